#pragma once
#include <functional>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32::testing {

// Dispatches this thread's messages until `done` holds (looking at each message and every 10 ms)
// or `ms` milliseconds have gone; returns whether `done` holds.
bool WaitUntil(const std::function<bool()>& done, DWORD ms);

}  // namespace skyvault::win32::testing
