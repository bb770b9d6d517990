#include "platform/testing/win32/registry_keys.h"

#include <aclapi.h>

namespace skyvault::win32::testing {
namespace {

std::wstring SectionPath(const std::wstring& path, const std::string& section) {
  return path + L"\\" + Widen(section);
}

bool CopyKey(const std::wstring& from, const std::wstring& to) {
  HKEY source = nullptr, target = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, from.c_str(), 0, KEY_READ, &source) != ERROR_SUCCESS)
    return false;
  RegCreateKeyW(HKEY_CURRENT_USER, to.c_str(), &target);
  const bool copied = RegCopyTreeW(source, nullptr, target) == ERROR_SUCCESS;
  RegCloseKey(source);
  RegCloseKey(target);
  return copied;
}

}  // namespace

void DeleteKeyTree(const std::wstring& path) {
  RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
}

void WriteValue(const std::wstring& path, const std::string& section, const std::string& key,
                DWORD type, const void* data, DWORD bytes) {
  RegSetKeyValueW(HKEY_CURRENT_USER, SectionPath(path, section).c_str(), Widen(key).c_str(), type,
                  data, bytes);
}

void WriteString(const std::wstring& path, const std::string& section, const std::string& key,
                 const std::string& text) {
  const std::wstring wide = Widen(text);
  WriteValue(path, section, key, REG_SZ, wide.c_str(), static_cast<DWORD>((wide.size() + 1) * 2));
}

std::string ReadString(const std::wstring& path, const std::string& section,
                       const std::string& key) {
  wchar_t text[1024] = {};
  DWORD bytes = sizeof text;
  if (RegGetValueW(HKEY_CURRENT_USER, SectionPath(path, section).c_str(), Widen(key).c_str(),
                   RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
    return "<missing>";
  return Narrow(text);
}

KeyBackup::KeyBackup(std::wstring path) : path_(std::move(path)), backup_(path_ + L".TestBackup") {
  DeleteKeyTree(backup_);
  saved_ = CopyKey(path_, backup_);
}

KeyBackup::~KeyBackup() {
  DeleteKeyTree(path_);
  if (saved_) CopyKey(backup_, path_);
  DeleteKeyTree(backup_);
}

bool RefuseWrites(const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS)
    return false;
  EXPLICIT_ACCESS_W readAndRemove{};
  BuildExplicitAccessWithNameW(&readAndRemove, const_cast<wchar_t*>(L"CURRENT_USER"),
                               KEY_READ | DELETE | WRITE_DAC, SET_ACCESS, NO_INHERITANCE);
  PACL readOnly = nullptr;
  const bool refused = SetEntriesInAclW(1, &readAndRemove, nullptr, &readOnly) == ERROR_SUCCESS &&
                       SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr,
                                       nullptr, readOnly, nullptr) == ERROR_SUCCESS;
  LocalFree(readOnly);
  RegCloseKey(key);
  return refused;
}

}  // namespace skyvault::win32::testing
