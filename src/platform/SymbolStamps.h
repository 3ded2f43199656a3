#pragma once
// Pre-rendered symbols for raster drawing. A stamp is what the painter draws for one shape, size,
// pen and fill, kept as runs of opaque pixels around an anchor pixel; stamping it at another
// anchor writes the very pixels the painter would draw there, because aliased drawing at
// whole-pixel positions only moves with the anchor. This saves a painter call per data point.
// Only shapes wholly inside the image are stamped: the painter clips a shape that crosses the
// image's edge before drawing it, which can move its outline.

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace corvex {

// Everything that decides a symbol's pixels apart from its anchor. `size` holds the shape's
// geometry relative to the anchor: ellipse radius; rectangle width and height; polygon vertices
// relative to the first (which is the anchor).
struct StampKey {
    enum class Shape : uint8_t { Ellipse, Rect, Polygon };
    Shape shape = Shape::Ellipse;
    uint8_t count = 0; // polygon vertices
    bool filled = false;
    uint8_t penWidth = 1;
    uint32_t pen = 0, brush = 0; // the colours (Rgb); brush 0 when not filled
    double radius = 0;
    int32_t size[16] = {};

    bool operator==(const StampKey& o) const;
};

struct StampKeyHash {
    size_t operator()(const StampKey& k) const;
};

class SymbolStamps {
  public:
    // Draws the shape with its anchor at `anchor` of the painter's device.
    using DrawShape = std::function<void(QPainter& painter, QPoint anchor)>;

    // Largest extent, in pixels from the anchor, of a shape worth stamping; larger shapes are
    // left to the painter.
    static constexpr int kMaxReach = 48;

    // `target` must be a 32-bit image (RGB32, ARGB32 or ARGB32 premultiplied) that outlives this.
    explicit SymbolStamps(QImage& target);

    // True when every pixel within `reach` of `anchor` lies inside the target, 0 < reach <= kMaxReach.
    bool fits(QPoint anchor, int reach) const {
        return reach > 0 && reach <= kMaxReach && anchor.x() >= reach && anchor.y() >= reach &&
               anchor.x() + reach < m_width && anchor.y() + reach < m_height;
    }

    // Writes key's stamp at `anchor` of the target; fits(anchor, reach) must hold. `reach` bounds
    // the shape's pixels around the anchor; `draw`, callable as DrawShape, renders the shape on
    // first use of key only.
    template <typename Draw> void stamp(const StampKey& key, QPoint anchor, int reach, Draw&& draw) {
        const Stamp* s = find(key);
        if (!s) s = &add(key, render(reach, DrawShape(std::forward<Draw>(draw))));
        put(*s, anchor);
    }

  private:
    struct Run {
        int32_t dx, dy, length;
        uint32_t first; // index into m_pixels
    };
    struct Stamp {
        std::vector<Run> runs;
    };

    const Stamp* find(const StampKey& key);
    const Stamp& add(const StampKey& key, Stamp stamp);
    Stamp render(int reach, const DrawShape& draw);
    void put(const Stamp& stamp, QPoint anchor);

    uint32_t* m_bits;
    qsizetype m_stride; // in pixels
    int m_width, m_height;
    std::vector<uint32_t> m_pixels;
    std::unordered_map<StampKey, Stamp, StampKeyHash> m_stamps;
    const StampKey* m_lastKey = nullptr; // runs of equal symbols skip the hash lookup
    const Stamp* m_last = nullptr;
};

} // namespace corvex
