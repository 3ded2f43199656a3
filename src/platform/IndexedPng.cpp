#include "platform/IndexedPng.h"

#include <QImage>
#include <algorithm>
#include <array>
#include <span>
#include <thread>
#include <vector>
#include <zlib.h>

namespace corvex {

namespace {

// Colour -> palette index, in order of first appearance, for up to 256 colours.
class Palette {
  public:
    // Index of the colour 0xRRGGBB, added when new; -1 when a 257th colour comes.
    int indexOf(uint32_t rgb) {
        const uint32_t slot = slotOf(rgb);
        if (m_keys[slot] != 0) return m_index[slot];
        if (m_colours.size() == 256) return -1;
        m_keys[slot] = rgb | kUsed;
        m_index[slot] = uint8_t(m_colours.size());
        m_colours.push_back(rgb);
        return m_index[slot];
    }
    // Index of a colour already in the palette.
    uint8_t at(uint32_t rgb) const { return m_index[slotOf(rgb)]; }
    const std::vector<uint32_t>& colours() const { return m_colours; }

  private:
    static constexpr uint32_t kSlots = 1024; // the hash's 10 bits; at most a quarter full
    static constexpr uint32_t kUsed = 0xFF000000u;
    // The colour's slot, or the free slot where it goes.
    uint32_t slotOf(uint32_t rgb) const {
        uint32_t slot = ((rgb | kUsed) * 2654435761u) >> 22;
        while (m_keys[slot] != 0 && m_keys[slot] != (rgb | kUsed))
            slot = (slot + 1) % kSlots;
        return slot;
    }
    std::array<uint32_t, kSlots> m_keys{};
    std::array<uint8_t, kSlots> m_index{};
    std::vector<uint32_t> m_colours;
};

uint32_t rgbAt(const QImage& image, int x, int y) {
    return reinterpret_cast<const QRgb*>(image.constScanLine(y))[x] & 0xFFFFFFu;
}

// The image's colours; false past 256.
bool collectColours(const QImage& image, Palette& palette) {
    uint32_t last = rgbAt(image, 0, 0);
    palette.indexOf(last);                                    // the first colour always has room
    const int width = image.width(), height = image.height(); // not a library call per pixel
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (const QRgb pixel : std::span(row, size_t(width))) {
            const uint32_t rgb = pixel & 0xFFFFFFu;
            if (rgb == last) continue; // plots are long runs of one colour: few lookups
            last = rgb;
            if (palette.indexOf(rgb) < 0) return false;
        }
    }
    return true;
}

// Rows first..last-1 as PNG scanlines (filter byte 0, one palette index per pixel), raw-deflated,
// with their Adler-32. A part other than the last ends on a byte boundary without ending the
// stream, so that the parts joined are one stream.
struct DeflatedPart {
    QByteArray bytes;
    uLong adler = adler32(0, nullptr, 0);
    size_t length = 0; // scanline bytes
    bool ok = false;
};

DeflatedPart deflateRows(const QImage& image, const Palette& palette, int first, int last, bool final) {
    DeflatedPart part;
    z_stream z{};
    // Level 1 with run-length matches only: a plot's rows are runs of one index, so this is the
    // fastest setting that still compresses them well. Memory level 4 (of 9) keeps the state small
    // and, on plots, gave smaller files as fast as the default 8.
    if (deflateInit2(&z, 1, Z_DEFLATED, -15, 4, Z_RLE) != Z_OK) return part;
    const int width = image.width();              // not a library call per pixel
    std::vector<uint8_t> line(size_t(width) + 1); // [0]: filter "none"
    part.length = line.size() * size_t(last - first);
    part.bytes.resize(qsizetype(deflateBound(&z, uLong(part.length)) + 16)); // and the flush marker
    z.next_out = reinterpret_cast<Bytef*>(part.bytes.data());
    z.avail_out = uInt(part.bytes.size());
    part.ok = true;
    for (int y = first; y < last && part.ok; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uint32_t lastRgb = row[0] & 0xFFFFFFu;
        uint8_t index = palette.at(lastRgb);
        uint8_t* out = line.data() + 1;
        for (const QRgb pixel : std::span(row, size_t(width))) {
            if (const uint32_t rgb = pixel & 0xFFFFFFu; rgb != lastRgb)
                lastRgb = rgb, index = palette.at(rgb);
            *out++ = index;
        }
        part.adler = adler32(part.adler, line.data(), uInt(line.size()));
        z.next_in = line.data();
        z.avail_in = uInt(line.size());
        const bool end = y + 1 == last;
        const int result = deflate(&z, !end ? Z_NO_FLUSH : final ? Z_FINISH : Z_SYNC_FLUSH);
        part.ok = (end && final ? result == Z_STREAM_END : result == Z_OK) && z.avail_in == 0;
    }
    part.bytes.resize(qsizetype(z.total_out));
    deflateEnd(&z);
    return part;
}

void putUint32(QByteArray& out, uint32_t v) {
    const char bytes[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    out.append(bytes, 4);
}

void putChunk(QByteArray& out, const char* type, const QByteArray& data) {
    putUint32(out, uint32_t(data.size()));
    const qsizetype start = out.size();
    out.append(type, 4).append(data);
    const auto* typed = reinterpret_cast<const Bytef*>(out.constData() + start);
    putUint32(out, uint32_t(crc32(crc32(0, nullptr, 0), typed, uInt(out.size() - start))));
}

} // namespace

std::optional<QByteArray> encodeIndexedPng(const QImage& image) {
    if (image.format() != QImage::Format_RGB32 || image.isNull()) return std::nullopt;
    Palette palette;
    if (!collectColours(image, palette)) return std::nullopt;

    // The lower half is deflated on another core (an image of one row in one part).
    const int split = std::max(1, image.height() / 2);
    const bool halves = split < image.height();
    DeflatedPart lower;
    std::thread helper;
    if (halves)
        helper = std::thread([&] { lower = deflateRows(image, palette, split, image.height(), true); });
    const DeflatedPart upper = deflateRows(image, palette, 0, split, !halves);
    if (helper.joinable()) helper.join();
    if (!upper.ok || (halves && !lower.ok)) return std::nullopt;

    QByteArray header, colours, density, stream;
    putUint32(header, uint32_t(image.width()));
    putUint32(header, uint32_t(image.height()));
    header.append("\x08\x03\x00\x00\x00", 5); // 8-bit palette indices, no interlace
    for (const uint32_t rgb : palette.colours())
        colours.append(char(rgb >> 16)).append(char(rgb >> 8)).append(char(rgb));
    putUint32(density, uint32_t(image.dotsPerMeterX()));
    putUint32(density, uint32_t(image.dotsPerMeterY()));
    density.append('\x01');       // per metre
    stream.append("\x78\x01", 2); // zlib header: deflate, 32 KiB window, fastest
    stream.append(upper.bytes).append(lower.bytes);
    putUint32(stream, uint32_t(lower.length ? adler32_combine(upper.adler, lower.adler, z_off_t(lower.length))
                                            : upper.adler));

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    putChunk(png, "IHDR", header);
    putChunk(png, "PLTE", colours);
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0) putChunk(png, "pHYs", density);
    putChunk(png, "IDAT", stream);
    putChunk(png, "IEND", {});
    return png;
}

} // namespace corvex
