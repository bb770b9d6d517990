#include "settings/overlay_settings_store.h"

namespace skyvault {

OverlaySettingsStore::OverlaySettingsStore(std::unique_ptr<SettingsStore> stored,
                                           const std::vector<SettingOverride>& overrides)
    : stored_(std::move(stored)) {
  for (const SettingOverride& o : overrides) overrides_[{o.section, o.key}] = o.value;
}

std::string OverlaySettingsStore::Read(const std::string& section, const std::string& key,
                                       const std::string& fallback) {
  const auto found = overrides_.find({section, key});
  return found != overrides_.end() ? found->second : stored_->Read(section, key, fallback);
}

void OverlaySettingsStore::Write(const std::string& section, const std::string& key,
                                 const std::string& value) {
  stored_->Write(section, key, value);
}

}  // namespace skyvault
