#include "platform/LargePageImage.h"

#include "platform/LargePages.h"

namespace corvex {

QImage largePageImage(int width, int height) {
    struct Block {
        void* start;
        size_t bytes;
    };
    const qsizetype stride = qsizetype(width) * 4;
    const size_t bytes = size_t(stride) * size_t(height);
    void* start = nullptr;
    try {
        start = mapLargeBlock(bytes);
    } catch (const std::bad_alloc&) {
        return QImage(); // as QImage itself answers a size it has no memory for
    }
    auto* block = new Block{start, bytes};
    return QImage(
        static_cast<uchar*>(block->start), width, height, stride, QImage::Format_RGB32,
        [](void* info) {
            const auto* block = static_cast<Block*>(info);
            unmapLargeBlock(block->start, block->bytes);
            delete block;
        },
        block);
}

} // namespace corvex
