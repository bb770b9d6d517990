#include "settings/win32/registry_settings_store.h"

#include <algorithm>
#include <vector>

#include "settings/registry_value.h"

namespace skyvault::win32 {
namespace {

RegistryValueType TypeOf(DWORD type) {
  switch (type) {
    case REG_SZ:
      return RegistryValueType::String;
    case REG_EXPAND_SZ:
      return RegistryValueType::ExpandableString;
    case REG_MULTI_SZ:
      return RegistryValueType::MultiString;
    case REG_DWORD:
      return RegistryValueType::Dword;
    case REG_QWORD:
      return RegistryValueType::Qword;
    case REG_BINARY:
      return RegistryValueType::Binary;
    default:
      return RegistryValueType::Other;
  }
}

// Reads this close together share one look at the change notification: each
// look is a round trip to the system (under Wine, to its server), and one
// frame reads several settings. Frames are 16.7 ms apart, so a change made
// in the settings dialog still shows from the next frame on.
constexpr ULONGLONG kChangeLookInterval = 8;  // ms

}  // namespace

RegistrySettingsStore::RegistrySettingsStore(std::wstring applicationKey)
    : applicationKey_(std::move(applicationKey)),
      changed_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
  if (RegCreateKeyExW(HKEY_CURRENT_USER, applicationKey_.c_str(), 0, nullptr, 0,
                      KEY_NOTIFY | KEY_READ, nullptr, watchedKey_.Put(),
                      nullptr) != ERROR_SUCCESS) {
    watchedKey_.Reset();
  }
  WatchForChanges();
}

RegistrySettingsStore::~RegistrySettingsStore() = default;

void RegistrySettingsStore::WatchForChanges() {
  if (!watchedKey_ || !changed_ ||
      RegNotifyChangeKeyValue(watchedKey_.get(), TRUE,
                              REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET, changed_.get(),
                              TRUE) != ERROR_SUCCESS) {
    watchedKey_.Reset();  // without a watch, nothing may be cached
  }
}

void RegistrySettingsStore::DropCacheIfChanged() {
  if (!watchedKey_) {
    cache_.clear();
    return;
  }
  const ULONGLONG now = GetTickCount64();
  if (looked_ && now - lastChangeLook_ < kChangeLookInterval) return;
  looked_ = true;
  lastChangeLook_ = now;
  if (WaitForSingleObject(changed_.get(), 0) == WAIT_OBJECT_0) {
    cache_.clear();
    WatchForChanges();
  }
}

std::pair<bool, std::string> RegistrySettingsStore::ReadFromRegistry(const std::string& section,
                                                                     const std::string& key) {
  ++registryReads_;
  const std::wstring path = applicationKey_ + L"\\" + Widen(section);
  UniqueRegistryKey opened;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, opened.Put()) !=
      ERROR_SUCCESS) {
    return {false, {}};
  }
  HKEY handle = opened.get();
  const std::wstring name = Widen(key);
  DWORD type = 0;
  DWORD size = 0;
  std::optional<std::string> text;
  if (RegQueryValueExW(handle, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      size <= kLargestSettingValueBytes) {
    std::vector<BYTE> data(size);
    DWORD got = size;
    if (RegQueryValueExW(handle, name.c_str(), nullptr, &type, data.data(), &got) ==
        ERROR_SUCCESS) {
      text = RegistryValueText(TypeOf(type), std::span(data.data(), std::min<size_t>(got, size)));
    }
  }
  return {text.has_value(), text.value_or("")};
}

std::string RegistrySettingsStore::Read(const std::string& section, const std::string& key,
                                        const std::string& fallback) {
  DropCacheIfChanged();
  const auto id = std::make_pair(section, key);
  auto found = cache_.find(id);
  if (found == cache_.end()) {
    auto value = ReadFromRegistry(section, key);
    if (!watchedKey_) return value.first ? value.second : fallback;
    found = cache_.emplace(id, std::move(value)).first;
  }
  return found->second.first ? found->second.second : fallback;
}

bool RegistrySettingsStore::Write(const std::string& section, const std::string& key,
                                  const std::string& value) {
  const std::wstring path = applicationKey_ + L"\\" + Widen(section);
  UniqueRegistryKey handle;
  const std::wstring text = Widen(value);
  const bool written =
      RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      handle.Put(), nullptr) == ERROR_SUCCESS &&
      RegSetValueExW(handle.get(), Widen(key).c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  // A failed write leaves the registry as it was: the next read asks it.
  if (written) {
    cache_[{section, key}] = {true, value};
  } else {
    cache_.erase({section, key});
  }
  return written;
}

}  // namespace skyvault::win32
