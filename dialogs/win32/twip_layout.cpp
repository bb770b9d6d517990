#include "dialogs/win32/twip_layout.h"

namespace skyvault::win32 {

HWND TwipLayout::Add(HWND parent, int id, const wchar_t* className, const std::wstring& text,
                     DWORD style, const TwipRect& rect, UINT dpi, DWORD exStyle) {
  HWND hwnd = CreateWindowExW(
      exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, TwipsToPixels(rect.x, dpi),
      TwipsToPixels(rect.y, dpi), TwipsToPixels(rect.width, dpi), TwipsToPixels(rect.height, dpi),
      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  placed_.push_back({hwnd, rect});
  return hwnd;
}

void TwipLayout::Place(UINT dpi, HFONT font) const {
  for (const Placed& p : placed_) {
    SetWindowPos(p.hwnd, nullptr, TwipsToPixels(p.rect.x, dpi), TwipsToPixels(p.rect.y, dpi),
                 TwipsToPixels(p.rect.width, dpi), TwipsToPixels(p.rect.height, dpi),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (font) SendMessageW(p.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

}  // namespace skyvault::win32
