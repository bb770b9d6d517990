#include "dialogs/win32/group_box.h"

#include <commctrl.h>

#include <string>

namespace skyvault::win32 {
namespace {

LRESULT CALLBACK GroupBoxProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp, UINT_PTR id,
                              DWORD_PTR) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, GroupBoxProc, id);
  if (message != WM_PAINT) return DefSubclassProc(hwnd, message, wp, lp);
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(hwnd, &paint);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT frame{};
  GetClientRect(hwnd, &frame);
  frame.top += metrics.tmHeight / 2 - 1;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);

  std::wstring caption(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  caption.resize(
      static_cast<size_t>(GetWindowTextW(hwnd, caption.data(), static_cast<int>(caption.size()))));
  if (!caption.empty()) {
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    const int left = MulDiv(7, static_cast<int>(GetDpiForWindow(hwnd)), 96);
    RECT behind{left, 0, left + extent.cx + 4 + metrics.tmOverhang, metrics.tmHeight};
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(hwnd), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(hwnd)));
    FillRect(dc, &behind, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    TextOutW(dc, left + 2, 0, caption.c_str(), static_cast<int>(caption.size()));
  }
  SelectObject(dc, oldFont);
  EndPaint(hwnd, &paint);
  return 0;
}

}  // namespace

void PaintGroupBoxItself(HWND groupBox) { SetWindowSubclass(groupBox, GroupBoxProc, 1, 0); }

}  // namespace skyvault::win32
