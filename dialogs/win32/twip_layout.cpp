#include "dialogs/win32/twip_layout.h"

namespace skyvault::win32 {

UINT WindowDpi(HWND hwnd) {
  const UINT dpi = hwnd ? GetDpiForWindow(hwnd) : 0;
  return dpi ? dpi : 96;
}

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

void TwipLayout::Track(HWND hwnd, const TwipRect& rect) { placed_.push_back({hwnd, rect}); }

void TwipLayout::SetRect(HWND hwnd, const TwipRect& rect) {
  for (Placed& p : placed_) {
    if (p.hwnd == hwnd) p.rect = rect;
  }
}

void TwipLayout::Place(UINT dpi, HFONT font) const {
  for (const Placed& p : placed_) {
    SetWindowPos(p.hwnd, nullptr, TwipsToPixels(p.rect.x, dpi), TwipsToPixels(p.rect.y, dpi),
                 TwipsToPixels(p.rect.width, dpi), TwipsToPixels(p.rect.height, dpi),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (font) SendMessageW(p.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

EmptyDialogTemplate::EmptyDialogTemplate(DWORD style, DWORD exStyle, const std::wstring& title) {
  auto put16 = [&](WORD w) { words_.push_back(w); };
  auto put32 = [&](DWORD d) {
    put16(LOWORD(d));
    put16(HIWORD(d));
  };
  put16(1);       // dlgVer
  put16(0xFFFF);  // signature: an extended template
  put32(0);       // helpID
  put32(exStyle);
  put32(style & ~static_cast<DWORD>(DS_SETFONT));
  put16(0);  // no items
  put16(0);  // x, y, cx, cy: sized in code
  put16(0);
  put16(10);
  put16(10);
  put16(0);  // no menu
  put16(0);  // the standard dialog class
  for (wchar_t c : title) put16(static_cast<WORD>(c));
  put16(0);
  if (words_.size() % 2) put16(0);  // keep the size a multiple of four bytes
}

HFONT CreatePointFont(const wchar_t* face, int hundredthsOfPoint, UINT dpi, int weight) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(hundredthsOfPoint, static_cast<int>(dpi), 7200);
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

}  // namespace skyvault::win32
