#pragma once
#include <string>
#include <vector>

#include "platform/win32/win32_headers.h"
#include "platform/win32/window_base.h"

namespace skyvault::win32 {

// A twip is 1/1440 inch: 1/15 pixel at 96 DPI.
inline int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

// A rectangle in twips, relative to the client area of the control's parent.
struct TwipRect {
  int x, y, width, height;
};

// Child controls placed from twips, placed again whenever the DPI changes.
class TwipLayout {
 public:
  // Creates a child control of `parent` at `rect` (twips) for `dpi`.
  HWND Add(HWND parent, int id, const wchar_t* className, const std::wstring& text, DWORD style,
           const TwipRect& rect, UINT dpi, DWORD exStyle = 0);
  // Moves every control to its rectangle for `dpi` and gives it `font`.
  void Place(UINT dpi, HFONT font) const;

 private:
  struct Placed {
    HWND hwnd;
    TwipRect rect;
  };
  std::vector<Placed> placed_;
};

}  // namespace skyvault::win32
