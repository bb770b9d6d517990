#include "platform/testing/win32/message_wait.h"

#include <algorithm>

namespace skyvault::win32::testing {
namespace {

void DispatchWaiting() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    DispatchWaiting();
    if (done()) return true;
    const DWORD waited = GetTickCount() - start;
    if (waited >= ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(10, ms - waited), QS_ALLINPUT);
  }
}

}  // namespace skyvault::win32::testing
