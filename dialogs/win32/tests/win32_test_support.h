#pragma once
#include <string>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32::testing_support {

inline std::wstring TextOf(HWND hwnd) {
  wchar_t text[1024] = {};
  GetWindowTextW(hwnd, text, 1024);
  return text;
}

// A fresh folder under the temporary directory, removed with its files.
class TempFolder {
 public:
  explicit TempFolder(const std::wstring& name) {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + name + std::to_wstring(GetCurrentProcessId());
    Remove(path_);
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempFolder() { Remove(path_); }
  const std::wstring& path() const { return path_; }
  void AddFile(const std::wstring& relative) const {
    HANDLE file = CreateFileW((path_ + L"\\" + relative).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(file);
  }
  void AddFolder(const std::wstring& relative) const {
    CreateDirectoryW((path_ + L"\\" + relative).c_str(), nullptr);
  }

 private:
  static void Remove(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring full = folder + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          Remove(full);
        } else {
          DeleteFileW(full.c_str());
        }
      } while (FindNextFileW(find, &found));
      FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
  }
  std::wstring path_;
};

}  // namespace skyvault::win32::testing_support
