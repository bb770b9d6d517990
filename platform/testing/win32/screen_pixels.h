#pragma once
#include <cstdint>
#include <vector>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32::testing {

// What `area` of a window's client area (of the whole screen for nullptr) shows, as 0x00RRGGBB
// pixels, top row first; empty when it cannot be read.
std::vector<uint32_t> CapturePixels(HWND window, const RECT& area);

}  // namespace skyvault::win32::testing
