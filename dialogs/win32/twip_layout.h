#pragma once
#include <string>
#include <vector>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

// A twip is 1/1440 inch: 1/15 pixel at 96 DPI.
inline int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

// A rectangle in twips, relative to the client area of the control's parent.
struct TwipRect {
  int x, y, width, height;
};

// The DPI of the monitor a window is on (96 when the system cannot say).
UINT WindowDpi(HWND hwnd);

// Child controls placed from twips, placed again whenever the DPI changes.
class TwipLayout {
 public:
  // Creates a child control of `parent` at `rect` (twips) for `dpi`.
  HWND Add(HWND parent, int id, const wchar_t* className, const std::wstring& text, DWORD style,
           const TwipRect& rect, UINT dpi, DWORD exStyle = 0);
  // Records a window that already exists.
  void Track(HWND hwnd, const TwipRect& rect);
  // Moves every control to its rectangle for `dpi` and gives it `font`.
  void Place(UINT dpi, HFONT font) const;
  void SetRect(HWND hwnd, const TwipRect& rect);

 private:
  struct Placed {
    HWND hwnd;
    TwipRect rect;
  };
  std::vector<Placed> placed_;
};

// A dialog template with no controls, for CreateDialogIndirectParamW and
// DialogBoxIndirectParamW; the controls are created in code from twips.
class EmptyDialogTemplate {
 public:
  EmptyDialogTemplate(DWORD style, DWORD exStyle, const std::wstring& title);
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  std::vector<WORD> words_;
};

// A font of `points` (in hundredths) at `dpi`.
HFONT CreatePointFont(const wchar_t* face, int hundredthsOfPoint, UINT dpi, int weight = FW_NORMAL);

}  // namespace skyvault::win32
