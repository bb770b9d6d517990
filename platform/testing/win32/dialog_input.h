#pragma once
#include <string>
#include <vector>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32::testing {

// Types `keys` over the whole text of an edit box.
inline void Type(HWND edit, const std::wstring& keys) {
  SendMessageW(edit, EM_SETSEL, 0, -1);
  for (wchar_t c : keys) SendMessageW(edit, WM_CHAR, c, 1);
}

// A window's text, asked of the window itself: a control of another process too.
inline std::wstring TextOf(HWND hwnd) {
  wchar_t text[1024] = {};
  SendMessageW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return text;
}

// The texts of a list box (LB_GETCOUNT, LB_GETTEXT) or a combo box (CB_...).
inline std::vector<std::wstring> Items(HWND list, UINT count, UINT get) {
  std::vector<std::wstring> items(static_cast<size_t>(SendMessageW(list, count, 0, 0)));
  for (size_t i = 0; i < items.size(); ++i) {
    wchar_t text[MAX_PATH] = {};
    SendMessageW(list, get, i, reinterpret_cast<LPARAM>(text));
    items[i] = text;
  }
  return items;
}

}  // namespace skyvault::win32::testing
