#pragma once
// Text from files (titles, legends, file names) to the window system and back. One rule for every
// caption, label, message and drawn text: UTF-8 where the bytes are valid UTF-8, otherwise the 8-bit
// Latin-1 set in which older instruments write. File names go back as UTF-8, as Linux stores them.

#include <QString>
#include <string>

namespace corvex {

QString toQString(const std::string& text);
std::string toFileText(const QString& text);

} // namespace corvex
