#pragma once
#include <X11/Xlib.h>

namespace skyvault {

// A window of the saver's own over the whole screen (test mode): titled
// "Skyvault", black, asking the window manager for full screen, not yet
// shown. Null when it cannot be made.
Window CreateOwnWindow(Display* display);

// Shows the saver's own window above the others.
void ShowOwnWindow(Display* display, Window window);

// The screen's virtual root: the window that desktops which draw their own
// background mark with __SWM_VROOT, else the root window itself (also when
// the window so marked no longer exists, which is said on stderr).
Window FindVirtualRoot(Display* display);

// A pointer with no pixels, for hiding the pointer over a window.
Cursor CreateBlankCursor(Display* display, Window window);

}  // namespace skyvault
