#pragma once
#include "controls/win32/win32_drawing_control.h"
#include "platform/win32/win32_headers.h"

namespace skyvault::win32::testing {

// A borderless window at (left, top) that passes its messages to the
// drawing control set in `control`.
class TestWindow {
 public:
  TestWindow(int left, int top, int width, int height, bool show = true) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &TestWindow::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SkyvaultControlsTest";
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassExW(&wc);
    hwnd = CreateWindowExW(0, L"SkyvaultControlsTest", L"test", WS_POPUP, left, top, width, height,
                           nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (show) {
      ShowWindow(hwnd, SW_SHOWNORMAL);
      UpdateWindow(hwnd);
    }
  }
  ~TestWindow() { DestroyWindow(hwnd); }
  void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }

  HWND hwnd = nullptr;
  Win32DrawingControl* control = nullptr;
  int paints = 0;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    LRESULT result = 0;
    if (self && message == WM_PAINT) ++self->paints;
    if (self && self->control && self->control->HandleWindowMessage(message, wp, lp, &result)) {
      return result;
    }
    return DefWindowProcW(hwnd, message, wp, lp);
  }
};

// Counts the drawing control's events.
struct CountingEvents : DrawingEvents {
  void OnFrame() override { ++frames; }
  void OnPointerMove() override { ++moves; }
  void OnMouseButton() override { ++buttons; }
  void OnKey() override { ++keys; }
  int frames = 0, moves = 0, buttons = 0, keys = 0;
};

}  // namespace skyvault::win32::testing
