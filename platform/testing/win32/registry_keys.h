#pragma once
#include <string>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32::testing {

// Values under HKEY_CURRENT_USER\<path>\<section>, and whole keys.
void DeleteKeyTree(const std::wstring& path);
void WriteValue(const std::wstring& path, const std::string& section, const std::string& key,
                DWORD type, const void* data, DWORD bytes);
void WriteString(const std::wstring& path, const std::string& section, const std::string& key,
                 const std::string& text);
// The REG_SZ text; "<missing>" when absent or of another type.
std::string ReadString(const std::wstring& path, const std::string& section,
                       const std::string& key);
// Makes HKEY_CURRENT_USER\<path> readable, removable and its rights restorable, but not
// writable; true when done.
bool RefuseWrites(const std::wstring& path);

// Keeps a copy of HKEY_CURRENT_USER\<path> and puts it back exactly (or removes the key, if it
// did not exist) when destroyed.
class KeyBackup {
 public:
  explicit KeyBackup(std::wstring path);
  ~KeyBackup();
  KeyBackup(const KeyBackup&) = delete;
  KeyBackup& operator=(const KeyBackup&) = delete;

 private:
  std::wstring path_, backup_;
  bool saved_ = false;
};

}  // namespace skyvault::win32::testing
