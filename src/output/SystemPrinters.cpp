#include "output/SystemPrinters.h"

#include <QPrinterInfo>

namespace corvex {

std::vector<std::string> InstalledPrinterNames() {
    std::vector<std::string> names;
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        names.push_back(name.toStdString());
    return names;
}

std::string DefaultPrinterName() {
    return QPrinterInfo::defaultPrinterName().toStdString();
}

} // namespace corvex
