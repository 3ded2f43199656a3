#pragma once
// Colours as the plot state keeps them: red + 256 * green + 65536 * blue.

#include <QColor>
#include <cstdint>

namespace corvex {

using Rgb = uint32_t;

constexpr Rgb rgb(int r, int g, int b) {
    return Rgb(r) + 256u * Rgb(g) + 65536u * Rgb(b);
}

inline QColor toQColor(Rgb c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline Rgb fromQColor(const QColor& c) {
    return rgb(c.red(), c.green(), c.blue());
}

} // namespace corvex
