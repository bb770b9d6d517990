#pragma once
#include <string>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32::testing_support {

// Registry values under HKCU\<path>\<section>, and whole keys.
inline void DeleteKeyTree(const std::wstring& path) {
  RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
}
inline void WriteValue(const std::wstring& path, const std::string& section, const std::string& key,
                       DWORD type, const void* data, DWORD bytes) {
  RegSetKeyValueW(HKEY_CURRENT_USER, (path + L"\\" + Widen(section)).c_str(), Widen(key).c_str(),
                  type, data, bytes);
}
inline void WriteString(const std::wstring& path, const std::string& section,
                        const std::string& key, const std::string& text) {
  const std::wstring wide = Widen(text);
  WriteValue(path, section, key, REG_SZ, wide.c_str(), static_cast<DWORD>((wide.size() + 1) * 2));
}

}  // namespace skyvault::win32::testing_support
