#pragma once
// The "Printers" menu as data: member 0 is the separator, member i (1..n) stands for installed printer i - 1,
// and exactly one member is checked while there is a printer. The checked printer is the current printer.

#include <cstdint>
#include <string>
#include <vector>

namespace corvex {

// Drops at most two trailing NUL characters, which a default printer's name may carry.
std::string StripTrailingNuls(std::string name);

// Removes leading and trailing blanks (spaces) only.
std::string TrimBlanks(const std::string& text);

class PrinterMenuModel {
  public:
    // Lists `printers` in the given order and checks the first whose name equals `defaultName` once both
    // are trimmed of blanks (after up to two trailing NULs are dropped from `defaultName`); when none
    // matches, the first printer is checked. With no printer nothing is checked and the menu is disabled.
    PrinterMenuModel(std::vector<std::string> printers, const std::string& defaultName);

    // Checks member `Index` (1..count) and makes its printer current. Any other index changes nothing
    // (the separator is not a printer). Returns whether the choice was taken.
    bool PrnArray_Click(int16_t Index);

    bool enabled() const { return !m_printers.empty(); } // "Printers" and "To Printer" enabled
    const std::vector<std::string>& printers() const { return m_printers; }
    int16_t checkedMember() const { return m_checked; } // 0 when there is no printer
    std::string currentPrinter() const;                 // empty when there is no printer

  private:
    std::vector<std::string> m_printers;
    int16_t m_checked = 0;
};

} // namespace corvex
