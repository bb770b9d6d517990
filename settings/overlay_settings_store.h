#pragma once
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "settings/command_line_overrides.h"
#include "settings/settings_store.h"

namespace skyvault {

// A store whose reads see the command line's settings first, for this run
// only: a key that an override names reads as the override (the last one,
// when the line names it twice), every other key as the stored value.
// Writes go to the store beneath and never touch an override, so the
// overrides are neither saved nor replaced by what the saver writes (its
// first-run values).
class OverlaySettingsStore : public SettingsStore {
 public:
  OverlaySettingsStore(std::unique_ptr<SettingsStore> stored,
                       const std::vector<SettingOverride>& overrides);

  std::string Read(const std::string& section, const std::string& key,
                   const std::string& fallback) override;
  void Write(const std::string& section, const std::string& key, const std::string& value) override;

  SettingsStore& stored() { return *stored_; }

 private:
  std::unique_ptr<SettingsStore> stored_;
  std::map<std::pair<std::string, std::string>, std::string> overrides_;
};

}  // namespace skyvault
