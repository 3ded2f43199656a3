#include "platform/SymbolStamps.h"

#include <algorithm>
#include <cstring>

namespace corvex {

bool StampKey::operator==(const StampKey& o) const {
    return shape == o.shape && count == o.count && filled == o.filled && penWidth == o.penWidth &&
           pen == o.pen && brush == o.brush && radius == o.radius &&
           std::equal(std::begin(size), std::end(size), o.size);
}

size_t StampKeyHash::operator()(const StampKey& k) const {
    // FNV-1a over the fields: any mixing serves, equal keys only need equal hashes.
    size_t h = std::hash<double>()(k.radius);
    auto mix = [&h](uint64_t v) {
        h ^= v;
        h *= 0x100000001b3ULL;
    };
    for (const uint64_t v : {uint64_t(k.shape), uint64_t(k.count), uint64_t(k.filled), uint64_t(k.penWidth),
                             uint64_t(k.pen), uint64_t(k.brush)})
        mix(v);
    for (const int32_t v : k.size)
        mix(uint32_t(v));
    return h;
}

SymbolStamps::SymbolStamps(QImage& target)
    : m_bits(reinterpret_cast<uint32_t*>(target.bits())), m_stride(target.bytesPerLine() / 4),
      m_width(target.width()), m_height(target.height()) {}

SymbolStamps::Stamp SymbolStamps::render(int reach, const DrawShape& draw) {
    const int side = 2 * reach + 1;
    QImage scratch(side, side, QImage::Format_ARGB32_Premultiplied);
    scratch.fill(Qt::transparent);
    {
        QPainter painter(&scratch);
        painter.setRenderHint(QPainter::Antialiasing, false);
        draw(painter, QPoint(reach, reach));
    }
    // Aliased drawing in opaque colours leaves each pixel either untouched or opaque.
    Stamp s;
    for (int y = 0; y < side; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(scratch.constScanLine(y));
        const auto* const rowEnd = row + side;
        const auto opaque = [](uint32_t pixel) { return qAlpha(pixel) != 0; };
        // Each run: from an opaque pixel up to the next transparent one or the row's end.
        for (const uint32_t* start = std::find_if(row, rowEnd, opaque); start != rowEnd;) {
            const uint32_t* const end = std::find_if_not(start, rowEnd, opaque);
            s.runs.push_back(
                {int32_t(start - row) - reach, y - reach, int32_t(end - start), uint32_t(m_pixels.size())});
            m_pixels.insert(m_pixels.end(), start, end);
            start = std::find_if(end, rowEnd, opaque);
        }
    }
    return s;
}

const SymbolStamps::Stamp* SymbolStamps::find(const StampKey& key) {
    if (m_lastKey && *m_lastKey == key) return m_last;
    const auto it = m_stamps.find(key);
    if (it == m_stamps.end()) return nullptr;
    m_lastKey = &it->first; // unordered_map keeps its nodes in place
    m_last = &it->second;
    return m_last;
}

const SymbolStamps::Stamp& SymbolStamps::add(const StampKey& key, Stamp stamp) {
    const auto it = m_stamps.emplace(key, std::move(stamp)).first;
    m_lastKey = &it->first;
    m_last = &it->second;
    return *m_last;
}

void SymbolStamps::put(const Stamp& s, QPoint anchor) {
    uint32_t* const origin = m_bits + qsizetype(anchor.y()) * m_stride + anchor.x();
    const uint32_t* pixels = m_pixels.data();
    for (const Run& run : s.runs) {
        uint32_t* to = origin + run.dy * m_stride + run.dx;
        const uint32_t* from = pixels + run.first;
        // Runs are a few pixels long: copied in place, not by a library call per run.
        for (int32_t k = 0; k < run.length; ++k)
            to[k] = from[k];
    }
}

} // namespace corvex
