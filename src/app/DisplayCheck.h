#pragma once
// Whether the program can open its windows, told before Qt would abort without one.

#include <optional>
#include <string>

namespace corvex {

// Nothing when a window system is at hand (a Qt platform chosen by QT_QPA_PLATFORM or -platform, a
// Wayland display, or an X display, `display` or else $DISPLAY, that accepts a connection); otherwise
// the one line to tell the user.
std::optional<std::string> missingDisplay(bool platformGiven, const std::string& display);

} // namespace corvex
