#pragma once
// PNG for plots: a plot has few colours (white, black and the set colours), so its pixels fit an
// 8-bit palette, a quarter of the bytes of a true-colour image, compressed in two halves at once.
// The decoded pixels are the same as those of Qt's PNG writer.

#include <QByteArray>
#include <optional>

class QImage;

namespace corvex {

// The PNG file's bytes of an RGB32 image of at most 256 colours, with its dots per metre. None for
// another format, more colours, or an image without pixels: such images are left to Qt's writer.
std::optional<QByteArray> encodeIndexedPng(const QImage& image);

} // namespace corvex
