#include "app/DisplayCheck.h"

#include <QString>
#include <X11/Xlib.h>

namespace corvex {

std::optional<std::string> missingDisplay(bool platformGiven, const std::string& display) {
    if (platformGiven || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return std::nullopt;
    const std::string hint = "; to run without a screen, start it as: xvfb-run -a corvex [options]";
    const std::string name = display.empty() ? qEnvironmentVariable("DISPLAY").toStdString() : display;
    if (name.empty()) return "corvex: no display (DISPLAY is not set)" + hint;
    Display* connection = XOpenDisplay(name.c_str());
    if (!connection) return "corvex: cannot connect to display " + name + hint;
    XCloseDisplay(connection);
    return std::nullopt;
}

} // namespace corvex
