#pragma once
#include <optional>
#include <string>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

class WindowList;

// The DPI of the monitor a window is on (96 when the system cannot say).
UINT WindowDpi(HWND hwnd);

// The base of the program's own windows, plain windows and dialogs alike.
// It ties the window to the object that handles its messages (the object's
// address rides on the first message into GWLP_USERDATA), keeps its handle
// until the window is gone, refits it when it moves to a monitor of another
// DPI, and can note it in a WindowList while it exists.
class WindowBase {
 public:
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  // Null before the window is created and once it is gone.
  HWND hwnd() const { return hwnd_; }

 protected:
  WindowBase() = default;
  // A window still there is destroyed without reaching this object any
  // more: a class whose handlers must see its end destroys it itself.
  virtual ~WindowBase();

  // Registers a window class whose messages reach the object of each window
  // made by CreateOwnWindow (registering twice is harmless). Its windows
  // show frames many times a second and keep a device context of their own.
  static void RegisterWindowClass(HINSTANCE instance, const wchar_t* className, HCURSOR cursor,
                                  HBRUSH background);
  HWND CreateOwnWindow(HINSTANCE instance, const wchar_t* className, const wchar_t* caption,
                       DWORD style, DWORD exStyle, const RECT& rect, HWND parent);
  // A dialog of the standard dialog class with no controls (they are made
  // in code): modeless, or modal, returning EndDialog's result.
  HWND CreateDialogWindow(HINSTANCE instance, DWORD style, DWORD exStyle, const std::wstring& title,
                          HWND owner);
  INT_PTR RunModalDialog(HINSTANCE instance, DWORD style, DWORD exStyle, const std::wstring& title,
                         HWND owner);

  // A message for the window: its result when handled, nothing to leave it
  // to the default handling. The first message (WM_NCCREATE, or
  // WM_INITDIALOG for a dialog) comes here too, hwnd() already set. For a
  // dialog the result is what the message asks for (a brush for
  // WM_CTLCOLOR..., the focus choice for WM_INITDIALOG, otherwise the
  // message's result).
  virtual std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // The window has moved to a monitor of `dpi`: a window that refits itself
  // (fonts, sizes, places) returns true, and then takes the rectangle the
  // system suggests. By default the window stays as it is.
  virtual bool RefitForDpi(UINT dpi);
  // The window is gone; hwnd() is already null.
  virtual void OnDestroyed() {}

  // Notes the window in `list` until it is destroyed.
  void NoteIn(WindowList& list);
  // Sizes the window so that its client area is `width` x `height` pixels
  // at `dpi`, keeping its place.
  void FitClientArea(int width, int height, UINT dpi);
  // Centres the window in the work area of its monitor.
  void CenterOnMonitor();

 private:
  static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Ties `arriving` (with the window's first message) to the window; the
  // window's object, or null.
  static WindowBase* Attach(HWND hwnd, WindowBase* arriving);
  std::optional<LRESULT> Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  WindowList* list_ = nullptr;
};

}  // namespace skyvault::win32
