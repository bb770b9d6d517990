#pragma once
#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

// Preview mode: the `Preview` window with its still picture `Image1`, made a
// child (and owned window) of the host pane and sized to its client area.
// Returns the exit code once the host pane has destroyed it; returns at once
// when `parentWindow` names no window.
int RunPreview(HINSTANCE instance, HWND parentWindow);

}  // namespace skyvault::win32
