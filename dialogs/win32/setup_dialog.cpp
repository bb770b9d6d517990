#include "dialogs/win32/setup_dialog.h"

namespace skyvault::win32 {
namespace {

LRESULT CALLBACK SetupProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wp, lp);
}

}  // namespace

int RunSetup(HINSTANCE instance) {
  WNDCLASSEXW wc{sizeof wc};
  wc.lpfnWndProc = SetupProc;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"SkyvaultSetup";
  RegisterClassExW(&wc);
  HWND dialog = CreateWindowExW(WS_EX_DLGMODALFRAME, L"SkyvaultSetup",
                                L"Skyvault1 Control Box   www.hallowmere.com  ",
                                WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 600, 420,
                                nullptr, nullptr, instance, nullptr);
  ShowWindow(dialog, SW_SHOW);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace skyvault::win32
