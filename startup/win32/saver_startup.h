#pragma once
#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

// Start-up: reads the switch, refuses a second full-screen instance, starts
// one of the four modes and runs it until its window is gone.
int StartSaver(HINSTANCE instance, const wchar_t* commandLine);

}  // namespace skyvault::win32
