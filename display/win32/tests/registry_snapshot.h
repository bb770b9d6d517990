#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32::testing {

// A registry key under HKEY_CURRENT_USER with all its values and subkeys,
// taken when made and put back exactly (or removed again, if it did not
// exist) when destroyed, whatever the test did to it in between.
class RegistryKeySnapshot {
 public:
  explicit RegistryKeySnapshot(std::wstring path);
  ~RegistryKeySnapshot();
  RegistryKeySnapshot(const RegistryKeySnapshot&) = delete;
  RegistryKeySnapshot& operator=(const RegistryKeySnapshot&) = delete;

 private:
  struct Value {
    std::wstring name;
    DWORD type = 0;
    std::vector<BYTE> data;
  };
  struct Node {
    std::vector<Value> values;
    std::map<std::wstring, Node> children;
  };
  static Node Read(HKEY key);
  static void Write(HKEY key, const Node& node);

  std::wstring path_;
  bool existed_ = false;
  Node saved_;
};

// HKCU\<path>: remove it with everything below it.
void DeleteKeyTree(const std::wstring& path);
// HKCU\<path>\<section>, value <key>.
void WriteValue(const std::wstring& path, const std::string& section, const std::string& key,
                DWORD type, const void* data, DWORD bytes);
void WriteString(const std::wstring& path, const std::string& section, const std::string& key,
                 const std::string& text);
// The REG_SZ text; "<missing>" when absent or of another type.
std::string ReadString(const std::wstring& path, const std::string& section,
                       const std::string& key);

}  // namespace skyvault::win32::testing
