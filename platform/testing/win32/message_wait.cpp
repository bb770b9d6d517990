#include "platform/testing/win32/message_wait.h"

#include <algorithm>

namespace skyvault::win32::testing {

bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    const DWORD waited = GetTickCount() - start;
    if (waited >= ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(10, ms - waited), QS_ALLINPUT);
  }
}

}  // namespace skyvault::win32::testing
