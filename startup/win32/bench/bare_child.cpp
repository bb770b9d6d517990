// The yardstick of the preview's start: a program that makes a plain child
// window in the host pane the way preview mode does, and fills it with one
// colour when painted. bare_child.exe <host window number>
#include <cwchar>

#include "platform/win32/win32_headers.h"

namespace {

LRESULT CALLBACK BareProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
      FillRect(dc, &paint.rcPaint, red);
      DeleteObject(red);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  const wchar_t* number = std::wcspbrk(commandLine, L"0123456789");
  HWND host = number
                  ? reinterpret_cast<HWND>(static_cast<intptr_t>(std::wcstoll(number, nullptr, 10)))
                  : nullptr;
  if (!IsWindow(host)) return 1;
  WNDCLASSEXW wc{sizeof wc};
  wc.lpfnWndProc = BareProcedure;
  wc.hInstance = instance;
  wc.lpszClassName = L"BareChild";
  RegisterClassExW(&wc);
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"Preview", WS_POPUP, 0, 0, 153, 115, nullptr,
                                nullptr, instance, nullptr);
  RECT client{};
  GetClientRect(host, &client);
  SetWindowLongW(window, GWL_STYLE, WS_CHILD);
  SetParent(window, host);
  SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(host));
  SetWindowPos(window, nullptr, 0, 0, client.right, client.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(window);
  SetTimer(window, 1, 250, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && !IsWindow(host)) break;
    DispatchMessageW(&msg);
  }
  return 0;
}
