#pragma once
// The plot state's colours as Qt colours and back.

#include "platform/Color.h"

#include <QColor>

namespace corvex {

inline QColor toQColor(Rgb c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline Rgb fromQColor(const QColor& c) {
    return rgb(c.red(), c.green(), c.blue());
}

} // namespace corvex
