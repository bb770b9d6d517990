#include "platform/testing/win32/test_window.h"

namespace skyvault::win32::testing {
namespace {

constexpr wchar_t kClassName[] = L"SkyvaultTestWindow";

LRESULT CALLBACK TestWindowProcedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  LRESULT result = 0;
  if (self && self->handler && self->handler(message, wp, lp, &result)) return result;
  return DefWindowProcW(hwnd, message, wp, lp);
}

}  // namespace

TestWindow::TestWindow(int width, int height, DWORD style, const wchar_t* title) {
  WNDCLASSEXW wc{sizeof wc, 0, TestWindowProcedure};
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);  // fails harmlessly once the class exists
  hwnd = CreateWindowExW(0, kClassName, title, style, 0, 0, width, height, nullptr, nullptr,
                         wc.hInstance, nullptr);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
}

TestWindow::~TestWindow() {
  if (IsWindow(hwnd)) DestroyWindow(hwnd);
}

}  // namespace skyvault::win32::testing
