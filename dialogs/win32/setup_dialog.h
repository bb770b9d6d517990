#pragma once
#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

// Configure mode: shows the settings dialog `Setup` (not modal) and runs
// its events until it closes; returns the exit code.
int RunSetup(HINSTANCE instance);

}  // namespace skyvault::win32
