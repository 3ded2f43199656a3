#pragma once
// Bytes in memory handed out in pieces of a chosen size, as a file read piece by piece would be.

#include "platform/ByteSource.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace corvex::testing {

class MemorySource : public ByteSource {
  public:
    MemorySource(std::string_view bytes, size_t pieceSize) : m_bytes(bytes), m_pieceSize(pieceSize) {}
    size_t read(char* into, size_t max) override {
        const size_t n = std::min({max, m_pieceSize, m_bytes.size() - m_pos});
        std::memcpy(into, m_bytes.data() + m_pos, n);
        m_pos += n;
        return n;
    }

  private:
    std::string_view m_bytes;
    size_t m_pieceSize;
    size_t m_pos = 0;
};

} // namespace corvex::testing
