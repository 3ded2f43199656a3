#pragma once
// Sequential text input over a file's bytes: whole lines and free-format number fields. Input from a
// ByteSource is read in pieces of kWindowBytes, so memory does not grow with the input's length.
// Lines end at CR, CRLF or LF. A field starts at its first character that is not a blank, tab or
// line end, and ends at a blank, tab, comma or line end; a comma right after a field (blanks
// between allowed) belongs to it, so an empty field between two commas reads as 0. Numbers are
// decimal with optional sign, fraction and exponent "E"; "." is always the decimal point.

#include "platform/ByteSource.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvex {

class FreeFormatInput {
  public:
    static constexpr size_t kWindowBytes = 64 * 1024;
    static constexpr size_t kMaxLineChars = 64 * 1024; // a longer line keeps its start; the rest is skipped
    static constexpr size_t kMaxFieldChars = 4096;     // a longer field is not a number

    // Over bytes held in memory (they must outlive the input).
    explicit FreeFormatInput(std::string_view bytes) : m_window(bytes) {}
    // Over a source read piece by piece (it must outlive the input).
    explicit FreeFormatInput(ByteSource& source) : m_source(&source), m_buffer(kWindowBytes) {}
    FreeFormatInput(const FreeFormatInput&) = delete; // the window may point into the buffer
    FreeFormatInput& operator=(const FreeFormatInput&) = delete;

    // Reads up to the next line end (not included) and moves past it. False at end of input.
    bool readLine(std::string& line);

    // Each reads one field. On a field that is missing (end of input), not a decimal number or out
    // of range for the target, it returns false and leaves the target unchanged; the field is
    // consumed either way, with the blanks after it, so reading goes on after it.
    bool readField(float& target);   // 4-byte float range
    bool readField(int32_t& target); // rounded, halves to even
    bool readField(int16_t& target); // rounded, halves to even

    bool atEnd();
    // Bytes consumed so far.
    size_t position() const { return m_windowStart + m_pos; }

  private:
    bool nextField(double& value);
    bool refill(); // the next piece of the source as the window; false at its end
    template <typename Skip>
    bool skipWhile(Skip skip); // moves past matching bytes; false at the end of the input

    std::string_view m_window; // the bytes at hand; m_pos indexes it
    size_t m_pos = 0;
    size_t m_windowStart = 0; // position of the window's first byte in the whole input
    ByteSource* m_source = nullptr;
    std::vector<char> m_buffer;
    std::string m_piecedField; // a field that straddles two windows
};

// Parses a complete decimal number (the whole of text). False for anything else: empty text,
// "nan", "inf", hexadecimal, trailing characters.
bool parseDecimal(std::string_view text, double& value);

} // namespace corvex
