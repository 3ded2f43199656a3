#include "output/PrinterMenuModel.h"

#include <algorithm>

namespace corvex {

std::string StripTrailingNuls(std::string name) {
    for (int dropped = 0; dropped < 2 && !name.empty() && name.back() == '\0'; ++dropped)
        name.pop_back();
    return name;
}

std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

PrinterMenuModel::PrinterMenuModel(std::vector<std::string> printers, const std::string& defaultName)
    : m_printers(std::move(printers)) {
    // Menu members are 16-bit indices; printers beyond that range are not offered.
    if (m_printers.size() > INT16_MAX) m_printers.resize(INT16_MAX);
    if (m_printers.empty()) return;
    const std::string wanted = TrimBlanks(StripTrailingNuls(defaultName));
    const auto match = std::find_if(m_printers.begin(), m_printers.end(),
                                    [&](const std::string& name) { return TrimBlanks(name) == wanted; });
    m_checked = static_cast<int16_t>(match == m_printers.end() ? 1 : match - m_printers.begin() + 1);
}

bool PrinterMenuModel::PrnArray_Click(int16_t Index) {
    if (Index < 1 || Index > static_cast<int>(m_printers.size())) return false;
    m_checked = Index;
    return true;
}

std::string PrinterMenuModel::currentPrinter() const {
    return m_checked == 0 ? std::string() : m_printers[m_checked - 1];
}

} // namespace corvex
