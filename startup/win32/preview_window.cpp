#include "startup/win32/preview_window.h"

#include "startup/win32/resource_ids.h"

namespace skyvault::win32 {
namespace {

constexpr wchar_t kPreviewClass[] = L"SkyvaultPreview";
constexpr UINT_PTR kHostWatch = 1;

struct PreviewData {
  HBITMAP image1 = nullptr;
  HWND host = nullptr;
};

// `Image1`: the still picture, stretched over the pane.
void PaintImage1(HWND window, const PreviewData& data) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  if (data.image1) {
    BITMAP info{};
    GetObjectW(data.image1, sizeof info, &info);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, data.image1);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, info.bmWidth, info.bmHeight,
               SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
  } else {
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  EndPaint(window, &paint);
}

LRESULT CALLBACK PreviewProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
  auto* data = reinterpret_cast<PreviewData*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(
          window, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (data) {
        PaintImage1(window, *data);
        return 0;
      }
      break;
    case WM_TIMER:
      // A preview never outlives its pane, even if the pane's end is missed.
      if (wp == kHostWatch && data && !IsWindow(data->host)) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wp, lp);
}

}  // namespace

int RunPreview(HINSTANCE instance, HWND parentWindow) {
  if (!parentWindow || !IsWindow(parentWindow)) return 0;

  RECT windowRect{};
  GetClientRect(parentWindow, &windowRect);

  WNDCLASSEXW wc{sizeof wc};
  wc.lpfnWndProc = PreviewProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kPreviewClass;
  RegisterClassExW(&wc);

  PreviewData data;
  data.host = parentWindow;
  data.image1 = static_cast<HBITMAP>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDB_PREVIEW), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));

  // Loaded without showing: a borderless 153 x 115 window until it is embedded.
  HWND preview = CreateWindowExW(0, kPreviewClass, L"Preview", WS_POPUP, 0, 0, 153, 115, nullptr,
                                 nullptr, instance, &data);
  if (!preview) return 0;
  SetWindowTextW(preview, L"Preview");

  // A child of the pane (a child cannot also be a pop-up, so that bit goes).
  const LONG style = GetWindowLongW(preview, GWL_STYLE);
  SetWindowLongW(preview, GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
  SetParent(preview, parentWindow);
  SetWindowLongPtrW(preview, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(parentWindow));
  SetWindowPos(preview, nullptr, 0, 0, windowRect.right, windowRect.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  SetTimer(preview, kHostWatch, 250, nullptr);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (data.image1) DeleteObject(data.image1);
  return 0;
}

}  // namespace skyvault::win32
