#include "app/DisplayCheck.h"

#include <QString>
#include <X11/Xlib.h>

namespace corvex {

std::optional<std::string> missingDisplay(bool platformGiven) {
    if (platformGiven || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return std::nullopt;
    const std::string hint = "; to run without a screen, start it as: xvfb-run -a corvex [options]";
    if (qEnvironmentVariableIsEmpty("DISPLAY")) return "corvex: no display (DISPLAY is not set)" + hint;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return "corvex: cannot connect to display " + qEnvironmentVariable("DISPLAY").toStdString() + hint;
    XCloseDisplay(display);
    return std::nullopt;
}

} // namespace corvex
