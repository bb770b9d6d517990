#include "platform/win32/window_base.h"

#include <utility>
#include <vector>

#include "platform/win32/window_list.h"

namespace skyvault::win32 {
namespace {

// An extended dialog template with no controls, sized in code.
class EmptyDialogTemplate {
 public:
  EmptyDialogTemplate(DWORD style, DWORD exStyle, const std::wstring& title) {
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
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  std::vector<WORD> words_;
};

// Messages whose dialog-procedure result is the answer itself rather than
// "handled" (the answer then goes to DWLP_MSGRESULT).
bool AnswersDirectly(UINT message) {
  switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return true;
    default:
      return false;
  }
}

}  // namespace

UINT WindowDpi(HWND hwnd) {
  const UINT dpi = hwnd ? GetDpiForWindow(hwnd) : 0;
  return dpi ? dpi : 96;
}

WindowBase::~WindowBase() {
  if (!hwnd_) return;
  HWND window = std::exchange(hwnd_, nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  if (list_) list_->Remove(window);
  DestroyWindow(window);
}

void WindowBase::RegisterWindowClass(HINSTANCE instance, const wchar_t* className, HCURSOR cursor,
                                     HBRUSH background) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  // A device context of each window's own, kept from frame to frame: a
  // shared one is set up afresh at every GetDC (a new default font each
  // time, which Wine's X11 driver looks up in the X resources).
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = &WindowBase::WindowProcedure;
  wc.hInstance = instance;
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  RegisterClassExW(&wc);
}

HWND WindowBase::CreateOwnWindow(HINSTANCE instance, const wchar_t* className,
                                 const wchar_t* caption, DWORD style, DWORD exStyle,
                                 const RECT& rect, HWND parent) {
  CreateWindowExW(exStyle, className, caption, style, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent, nullptr, instance, this);
  return hwnd_;
}

HWND WindowBase::CreateDialogWindow(HINSTANCE instance, DWORD style, DWORD exStyle,
                                    const std::wstring& title, HWND owner) {
  const EmptyDialogTemplate dialog(style, exStyle, title);
  CreateDialogIndirectParamW(instance, dialog.get(), owner, &WindowBase::DialogProcedure,
                             reinterpret_cast<LPARAM>(this));
  return hwnd_;
}

INT_PTR WindowBase::RunModalDialog(HINSTANCE instance, DWORD style, DWORD exStyle,
                                   const std::wstring& title, HWND owner) {
  const EmptyDialogTemplate dialog(style, exStyle, title);
  return DialogBoxIndirectParamW(instance, dialog.get(), owner, &WindowBase::DialogProcedure,
                                 reinterpret_cast<LPARAM>(this));
}

bool WindowBase::RefitForDpi(UINT) { return false; }

void WindowBase::NoteIn(WindowList& list) {
  if (!hwnd_) return;
  list_ = &list;
  list.Add(hwnd_);
}

void WindowBase::FitClientArea(int width, int height, UINT dpi) {
  RECT frame{0, 0, width, height};
  AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)), dpi);
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowBase::CenterOnMonitor() {
  RECT window{};
  GetWindowRect(hwnd_, &window);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

WindowBase* WindowBase::Attach(HWND hwnd, WindowBase* arriving) {
  if (arriving) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(arriving));
    arriving->hwnd_ = hwnd;
    return arriving;
  }
  return reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK WindowBase::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  WindowBase* arriving =
      message == WM_NCCREATE
          ? static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams)
          : nullptr;
  if (WindowBase* self = Attach(hwnd, arriving)) {
    if (const auto result = self->Dispatch(message, wParam, lParam)) return *result;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

INT_PTR CALLBACK WindowBase::DialogProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  WindowBase* arriving = message == WM_INITDIALOG ? reinterpret_cast<WindowBase*>(lParam) : nullptr;
  WindowBase* self = Attach(hwnd, arriving);
  const auto result = self ? self->Dispatch(message, wParam, lParam) : std::nullopt;
  if (!result) return message == WM_INITDIALOG ? TRUE : FALSE;  // TRUE: the usual focus
  if (AnswersDirectly(message)) return static_cast<INT_PTR>(*result);
  SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, *result);
  return TRUE;
}

std::optional<LRESULT> WindowBase::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DPICHANGED && RefitForDpi(HIWORD(wParam))) {
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
  }
  const std::optional<LRESULT> result = OnMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    HWND gone = std::exchange(hwnd_, nullptr);
    SetWindowLongPtrW(gone, GWLP_USERDATA, 0);
    if (list_) std::exchange(list_, nullptr)->Remove(gone);
    OnDestroyed();
  }
  return result;
}

}  // namespace skyvault::win32
