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
    : printers_(std::move(printers)) {
    // Menu members are 16-bit indices; printers beyond that range are not offered.
    if (printers_.size() > INT16_MAX) printers_.resize(INT16_MAX);
    if (printers_.empty()) return;
    const std::string wanted = TrimBlanks(StripTrailingNuls(defaultName));
    const auto match = std::find_if(printers_.begin(), printers_.end(),
                                    [&](const std::string& name) { return TrimBlanks(name) == wanted; });
    checked_ = static_cast<int16_t>(match == printers_.end() ? 1 : match - printers_.begin() + 1);
}

bool PrinterMenuModel::PrnArray_Click(int16_t Index) {
    if (Index < 1 || Index > static_cast<int>(printers_.size())) return false;
    checked_ = Index;
    return true;
}

std::string PrinterMenuModel::currentPrinter() const {
    return checked_ == 0 ? std::string() : printers_[checked_ - 1];
}

} // namespace corvex
