#pragma once
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/win32/win32_headers.h"
#include "settings/memory_settings_store.h"
#include "settings/win32/tests/registry_test_support.h"

namespace skyvault {
inline void PrintTo(const MemorySettingsStore::WriteRecord& w, std::ostream* out) {
  *out << w.section << "/" << w.key << "=" << w.value;
}
}  // namespace skyvault

namespace skyvault::win32::testing_support {

// Types `keys` over the whole text of an edit box.
inline void Type(HWND edit, const std::wstring& keys) {
  SendMessageW(edit, EM_SETSEL, 0, -1);
  for (wchar_t c : keys) SendMessageW(edit, WM_CHAR, c, 1);
}

inline std::wstring TextOf(HWND hwnd) {
  wchar_t text[1024] = {};
  GetWindowTextW(hwnd, text, 1024);
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

// A fresh folder with the given files (a "\" makes a subfolder) that is the
// current directory while it lives.
class TempFolder {
 public:
  TempFolder(const std::wstring& name, const std::vector<std::wstring>& files)
      : previous_(std::filesystem::current_path()),
        path_(std::filesystem::temp_directory_path() /
              (name + std::to_wstring(GetCurrentProcessId()))) {
    std::filesystem::remove_all(path_);
    for (const std::wstring& file : files) {
      std::filesystem::create_directories((path_ / file).parent_path());
      std::ofstream(path_ / file).put('x');
    }
    std::filesystem::current_path(path_);
  }
  ~TempFolder() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(path_);
  }
  std::wstring path() const { return path_.wstring(); }

 private:
  std::filesystem::path previous_, path_;
};

}  // namespace skyvault::win32::testing_support
