#pragma once
// Sends a window the close request a window manager sends when its close button is pressed.

#include <cstdint>

namespace corvex::testing {

// WM_DELETE_WINDOW to the X window `window` on the display of $DISPLAY; false without a display.
bool sendWindowManagerClose(uint64_t window);

} // namespace corvex::testing
