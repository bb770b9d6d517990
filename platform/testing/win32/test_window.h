#pragma once
#include <functional>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32::testing {

// A shown top-level window at the screen's top-left (a host pane, a window to draw on); its
// messages go to `handler` first, and to the default handling unless the handler answers them.
class TestWindow {
 public:
  using Handler = std::function<bool(UINT message, WPARAM, LPARAM, LRESULT* result)>;

  TestWindow(int width, int height, DWORD style = WS_POPUP, const wchar_t* title = L"test");
  ~TestWindow();  // destroys the window unless it is gone already
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND hwnd = nullptr;
  Handler handler;
};

}  // namespace skyvault::win32::testing
