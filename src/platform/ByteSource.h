#pragma once
// A sequential source of bytes, such as an open file read piece by piece.

#include <cstddef>

namespace corvex {

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Reads up to `max` bytes into `into`; 0 at the end of the input or on a read error.
    virtual size_t read(char* into, size_t max) = 0;
};

} // namespace corvex
