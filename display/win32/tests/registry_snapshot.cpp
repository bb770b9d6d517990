#include "display/win32/tests/registry_snapshot.h"

namespace skyvault::win32::testing {

RegistryKeySnapshot::RegistryKeySnapshot(std::wstring path) : path_(std::move(path)) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
    existed_ = true;
    saved_ = Read(key);
    RegCloseKey(key);
  }
}

RegistryKeySnapshot::~RegistryKeySnapshot() {
  DeleteKeyTree(path_);
  if (!existed_) return;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) == ERROR_SUCCESS) {
    Write(key, saved_);
    RegCloseKey(key);
  }
}

RegistryKeySnapshot::Node RegistryKeySnapshot::Read(HKEY key) {
  Node node;
  for (DWORD index = 0;; ++index) {
    wchar_t name[16384];
    DWORD nameLength = 16384, type = 0, bytes = 0;
    if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, nullptr, &bytes) !=
        ERROR_SUCCESS)
      break;
    Value value{std::wstring(name, nameLength), type, std::vector<BYTE>(bytes)};
    nameLength = 16384;
    RegEnumValueW(key, index, name, &nameLength, nullptr, &type, value.data.data(), &bytes);
    value.data.resize(bytes);
    node.values.push_back(std::move(value));
  }
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD nameLength = 256;
    if (RegEnumKeyExW(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    HKEY child = nullptr;
    if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) == ERROR_SUCCESS) {
      node.children[name] = Read(child);
      RegCloseKey(child);
    }
  }
  return node;
}

void RegistryKeySnapshot::Write(HKEY key, const Node& node) {
  for (const Value& value : node.values) {
    RegSetValueExW(key, value.name.c_str(), 0, value.type, value.data.data(),
                   static_cast<DWORD>(value.data.size()));
  }
  for (const auto& [name, child] : node.children) {
    HKEY sub = nullptr;
    if (RegCreateKeyExW(key, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr) ==
        ERROR_SUCCESS) {
      Write(sub, child);
      RegCloseKey(sub);
    }
  }
}

void DeleteKeyTree(const std::wstring& path) {
  RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
}

void WriteValue(const std::wstring& path, const std::string& section, const std::string& key,
                DWORD type, const void* data, DWORD bytes) {
  HKEY handle = nullptr;
  const std::wstring sectionPath = path + L"\\" + Widen(section);
  if (RegCreateKeyExW(HKEY_CURRENT_USER, sectionPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &handle, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExW(handle, Widen(key).c_str(), 0, type, static_cast<const BYTE*>(data), bytes);
  RegCloseKey(handle);
}

void WriteString(const std::wstring& path, const std::string& section, const std::string& key,
                 const std::string& text) {
  const std::wstring wide = Widen(text);
  WriteValue(path, section, key, REG_SZ, wide.c_str(),
             static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

std::string ReadString(const std::wstring& path, const std::string& section,
                       const std::string& key) {
  const std::wstring sectionPath = path + L"\\" + Widen(section);
  wchar_t text[1024] = {};
  DWORD bytes = sizeof text;
  if (RegGetValueW(HKEY_CURRENT_USER, sectionPath.c_str(), Widen(key).c_str(), RRF_RT_REG_SZ,
                   nullptr, text, &bytes) != ERROR_SUCCESS)
    return "<missing>";
  return Narrow(text);
}

}  // namespace skyvault::win32::testing
