#pragma once
// Sequential text input over a file's bytes: whole lines and free-format number fields.
// Lines end at CR, CRLF or LF. A field starts at its first character that is not a blank, tab or
// line end, and ends at a blank, tab, comma or line end; a comma right after a field (blanks
// between allowed) belongs to it, so an empty field between two commas reads as 0. Numbers are
// decimal with optional sign, fraction and exponent "E"; "." is always the decimal point.

#include <cstdint>
#include <string>
#include <string_view>

namespace corvex {

class FreeFormatInput {
  public:
    explicit FreeFormatInput(std::string_view bytes) : m_bytes(bytes) {}

    // Reads up to the next line end (not included) and moves past it. False at end of input.
    bool readLine(std::string& line);

    // Each reads one field. On a field that is missing (end of input), not a decimal number or out
    // of range for the target, it returns false and leaves the target unchanged; the field is
    // consumed either way, so reading goes on after it.
    bool readField(float& target);   // 4-byte float range
    bool readField(int32_t& target); // rounded, halves to even
    bool readField(int16_t& target); // rounded, halves to even

    bool atEnd() const { return m_pos >= m_bytes.size(); }
    size_t position() const { return m_pos; }

  private:
    bool nextField(double& value);

    std::string_view m_bytes;
    size_t m_pos = 0;
};

// Parses a complete decimal number (the whole of text). False for anything else: empty text,
// "nan", "inf", hexadecimal, trailing characters.
bool parseDecimal(std::string_view text, double& value);

} // namespace corvex
