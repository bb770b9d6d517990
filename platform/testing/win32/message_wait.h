#pragma once
#include <functional>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32::testing {

// Dispatches this thread's messages (so its windows keep answering) until
// `done` holds, looking again whenever a message comes and at least every
// 10 ms; gives up after `ms` milliseconds. Returns whether `done` holds.
bool WaitUntil(const std::function<bool()>& done, DWORD ms);

}  // namespace skyvault::win32::testing
