#include "startup/win32/preview_window.h"

#include "platform/win32/unique_handle.h"
#include "platform/win32/window_base.h"
#include "platform/win32/window_classes.h"
#include "platform/win32/window_list.h"
#include "startup/win32/resource_ids.h"

namespace skyvault::win32 {
namespace {

constexpr UINT_PTR kHostWatch = 1;

// The `Preview` window: the still picture `Image1`, stretched over the
// window. It ends the program's message loop when it goes.
class PreviewWindow final : public WindowBase {
 public:
  PreviewWindow(HINSTANCE instance, HWND host)
      : host_(host),
        image1_(static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(IDB_PREVIEW),
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))) {
    RegisterWindowClass(instance, kPreviewWindowClass, LoadCursorW(nullptr, IDC_ARROW), nullptr);
    // Loaded without showing: a borderless 153 x 115 window until it is embedded.
    CreateOwnWindow(instance, kPreviewWindowClass, L"Preview", WS_POPUP, 0, RECT{0, 0, 153, 115},
                    nullptr);
    if (hwnd()) NoteIn(PreviewAndSetupWindows());
  }
  ~PreviewWindow() override {
    if (hwnd()) DestroyWindow(hwnd());
  }

  // Makes the window a child (and owned window) of the host pane covering
  // its client area, and shows it.
  void Embed() {
    RECT windowRect{};
    GetClientRect(host_, &windowRect);
    // A child cannot also be a pop-up, so that bit goes.
    const LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
    SetWindowLongW(hwnd(), GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
    SetParent(hwnd(), host_);
    SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(host_));
    SetWindowPos(hwnd(), nullptr, 0, 0, windowRect.right, windowRect.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetTimer(hwnd(), kHostWatch, 250, nullptr);
  }

 private:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM) override {
    switch (message) {
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT:
        PaintImage1();
        return 0;
      case WM_TIMER:
        // A preview never outlives its pane, even if the pane's end is missed.
        if (wParam == kHostWatch && !IsWindow(host_)) DestroyWindow(hwnd());
        return 0;
      case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
      default:
        return std::nullopt;
    }
  }

  void PaintImage1() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd(), &paint);
    RECT client;
    GetClientRect(hwnd(), &client);
    if (image1_) {
      BITMAP info{};
      GetObjectW(image1_.get(), sizeof info, &info);
      HDC source = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(source, image1_.get());
      SetStretchBltMode(dc, HALFTONE);
      SetBrushOrgEx(dc, 0, 0, nullptr);
      StretchBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, info.bmWidth, info.bmHeight,
                 SRCCOPY);
      SelectObject(source, old);
      DeleteDC(source);
    } else {
      FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    EndPaint(hwnd(), &paint);
  }

  HWND host_;
  UniqueBitmap image1_;
};

}  // namespace

int RunPreview(HINSTANCE instance, HWND parentWindow) {
  if (!parentWindow || !IsWindow(parentWindow)) return 0;
  PreviewWindow preview(instance, parentWindow);
  if (!preview.hwnd()) return 0;
  preview.Embed();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace skyvault::win32
