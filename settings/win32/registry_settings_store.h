#pragma once
#include <map>
#include <string>
#include <utility>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_headers.h"
#include "settings/settings_store.h"

namespace skyvault::win32 {

// The saver's settings under HKEY_CURRENT_USER.
inline constexpr wchar_t kSettingsKey[] = L"Software\\Skyvault";

// The settings in the registry: HKEY_CURRENT_USER\Software\<application>\<section>,
// one REG_SZ value per key. Values of another type read as
// RegistryValueText (settings/registry_value.h) has them.
//
// Reads are answered from a cache that a registry change notification
// empties, so the display can read settings every frame without opening
// a registry key each time and still sees the dialog's changes at once.
class RegistrySettingsStore : public SettingsStore {
 public:
  explicit RegistrySettingsStore(std::wstring applicationKey = kSettingsKey);
  ~RegistrySettingsStore() override;
  RegistrySettingsStore(const RegistrySettingsStore&) = delete;
  RegistrySettingsStore& operator=(const RegistrySettingsStore&) = delete;

  std::string Read(const std::string& section, const std::string& key,
                   const std::string& fallback) override;
  bool Write(const std::string& section, const std::string& key, const std::string& value) override;

  // Reads that went to the registry itself (for tests and benchmarks).
  int registryReads() const { return registryReads_; }

 private:
  void DropCacheIfChanged();
  void WatchForChanges();
  std::pair<bool, std::string> ReadFromRegistry(const std::string& section, const std::string& key);

  std::wstring applicationKey_;
  UniqueRegistryKey watchedKey_;
  UniqueKernelHandle changed_;
  // (section, key) -> (present, value)
  std::map<std::pair<std::string, std::string>, std::pair<bool, std::string>> cache_;
  int registryReads_ = 0;
  bool looked_ = false;           // at the change notification, yet
  ULONGLONG lastChangeLook_ = 0;  // GetTickCount64 then
};

}  // namespace skyvault::win32
