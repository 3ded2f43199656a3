#include "platform/LargePages.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace corvex {

namespace {
constexpr size_t kLargePage = size_t(2) << 20;

// Lengths are whole pages of the system, so that the end of a block is where its tail can be unmapped.
size_t page() {
    static const size_t bytes = size_t(::sysconf(_SC_PAGESIZE));
    return bytes;
}

size_t roundUp(size_t bytes, size_t unit) {
    return (bytes + unit - 1) / unit * unit;
}
} // namespace

void* mapLargeBlock(size_t bytes) {
    const size_t length = roundUp(bytes, page());
    // A block of a large page or more starts on a large-page boundary; its whole large pages are
    // asked for as such, and the rest keeps small pages, so nothing beyond the block is ever touched.
    const size_t slack = length >= kLargePage ? kLargePage : 0;
    void* mapped =
        ::mmap(nullptr, length + slack, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    if (slack == 0) return mapped;
    auto* start = static_cast<char*>(mapped);
    auto* aligned = reinterpret_cast<char*>(roundUp(reinterpret_cast<uintptr_t>(start), kLargePage));
    if (aligned > start) ::munmap(start, size_t(aligned - start));
    ::munmap(aligned + length, slack - size_t(aligned - start));         // the slack after the block
    ::madvise(aligned, length / kLargePage * kLargePage, MADV_HUGEPAGE); // ignored where not offered
    return aligned;
}

void unmapLargeBlock(void* block, size_t bytes) noexcept {
    if (block) ::munmap(block, roundUp(bytes, page()));
}

} // namespace corvex
