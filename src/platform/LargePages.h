#pragma once
// Memory for the few large blocks of a plot: the image and the point arrays. They are mapped straight
// from the system, so pages are zero until written and never written just to clear them; and blocks
// of a whole 2 MiB page or more ask for 2 MiB pages, so that the first touch of an image costs a few
// page faults instead of one per 4 KiB (on virtual machines each such fault costs microseconds).

#include <cstddef>
#include <new>
#include <utility>

namespace corvex {

// A zeroed block of `bytes` (> 0); throws std::bad_alloc when the system has no room.
void* mapLargeBlock(size_t bytes);
// Gives back a block of mapLargeBlock(bytes).
void unmapLargeBlock(void* block, size_t bytes) noexcept;

// Allocator of vectors whose elements start as zero bytes: a new element is left as the mapped
// zero page holds it rather than written, so a vector of capacity touches only the pages it uses.
template <typename T> struct ZeroPageAllocator {
    using value_type = T;
    ZeroPageAllocator() = default;
    template <typename U> ZeroPageAllocator(const ZeroPageAllocator<U>&) {}
    T* allocate(size_t n) { return static_cast<T*>(mapLargeBlock(n * sizeof(T))); }
    void deallocate(T* p, size_t n) noexcept { unmapLargeBlock(p, n * sizeof(T)); }
    template <typename U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; } // stays zero
    template <typename U, typename... A> void construct(U* p, A&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<A>(args)...);
    }
    template <typename U> bool operator==(const ZeroPageAllocator<U>&) const { return true; }
};

} // namespace corvex
