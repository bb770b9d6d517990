#pragma once
#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

// Paints a group box itself: an etched frame with its caption in full. (The
// stock group box under Wine leaves a caption gap a few pixels too narrow and
// cuts off the last letter.)
void PaintGroupBoxItself(HWND groupBox);

}  // namespace skyvault::win32
