#include "display/win32/form1_window.h"

namespace skyvault::win32 {
namespace {

// For now a black topmost window that a key or a button closes.
class PlaceholderForm1 : public Form1Window {
 public:
  explicit PlaceholderForm1(HINSTANCE instance) {
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = &PlaceholderForm1::Proc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = L"SkyvaultForm1";
    RegisterClassExW(&wc);
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST, L"SkyvaultForm1", L"Skyvault", WS_POPUP, 0, 0, 1, 1,
                            nullptr, nullptr, instance, nullptr);
  }
  HWND hwnd() const override { return hwnd_; }
  void ShowOver(const RECT& r) override {
    SetWindowPos(hwnd_, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_SHOWWINDOW);
  }
  int RunMessageLoop() override {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    return 0;
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
      case WM_KEYDOWN:
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
        DestroyWindow(hwnd);
        return 0;
      case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wp, lp);
  }
  HWND hwnd_ = nullptr;
};

}  // namespace

std::unique_ptr<Form1Window> Form1Window::Create(HINSTANCE instance) {
  return std::make_unique<PlaceholderForm1>(instance);
}

}  // namespace skyvault::win32
