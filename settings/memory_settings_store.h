#pragma once
#include <map>
#include <string>
#include <utility>

#include "settings/settings_store.h"

namespace skyvault {

// A settings store that keeps its values in memory for as long as it lives:
// nothing is read from or written to the system.
class MemorySettingsStore : public SettingsStore {
 public:
  std::string Read(const std::string& section, const std::string& key,
                   const std::string& fallback) override;
  bool Write(const std::string& section, const std::string& key, const std::string& value) override;

  bool Has(const std::string& section, const std::string& key) const;
  // Takes the key away: it reads as missing again.
  void Forget(const std::string& section, const std::string& key);

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

}  // namespace skyvault
