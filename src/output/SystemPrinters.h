#pragma once
// The installed printers as the print system (CUPS) reports them.

#include <string>
#include <vector>

namespace corvex {

// Names of the installed printers in the print system's order; empty when it cannot be reached.
std::vector<std::string> InstalledPrinterNames();

// Name of the system's default printer; empty when none is set or the print system cannot be reached
// (an empty name matches no printer, so the first printer becomes current).
std::string DefaultPrinterName();

} // namespace corvex
