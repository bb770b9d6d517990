#include "settings/memory_settings_store.h"

namespace skyvault {

std::string MemorySettingsStore::Read(const std::string& section, const std::string& key,
                                      const std::string& fallback) {
  const auto found = values_.find({section, key});
  return found == values_.end() ? fallback : found->second;
}

bool MemorySettingsStore::Write(const std::string& section, const std::string& key,
                                const std::string& value) {
  values_[{section, key}] = value;
  return true;
}

bool MemorySettingsStore::Has(const std::string& section, const std::string& key) const {
  return values_.count({section, key}) != 0;
}

void MemorySettingsStore::Forget(const std::string& section, const std::string& key) {
  values_.erase({section, key});
}

}  // namespace skyvault
