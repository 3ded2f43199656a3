#pragma once
// Bytes in memory handed out in pieces of a chosen size, as a file read piece by piece would be.

#include "platform/ByteSource.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace corvex::testing {

class MemorySource : public ByteSource {
  public:
    MemorySource(std::string_view bytes, size_t pieceSize) : bytes_(bytes), pieceSize_(pieceSize) {}
    size_t read(char* into, size_t max) override {
        const size_t n = std::min({max, pieceSize_, bytes_.size() - pos_});
        std::memcpy(into, bytes_.data() + pos_, n);
        pos_ += n;
        return n;
    }

  private:
    std::string_view bytes_;
    size_t pieceSize_;
    size_t pos_ = 0;
};

} // namespace corvex::testing
