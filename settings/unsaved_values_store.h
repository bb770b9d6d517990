#pragma once
#include <string>

#include "settings/memory_settings_store.h"
#include "settings/settings_store.h"

namespace skyvault {

// A store over another that keeps, in memory and for as long as it lives,
// the values the store beneath refused to store: a read finds such a value
// first, so whoever wrote it runs on it all the same. A later write of the
// key that the store beneath takes lets the kept value go. Write still
// answers as the store beneath did.
//
// The saver display reads and writes through one: where the settings cannot
// be stored (a read-only folder, a full disk, a key that refuses writes),
// the first-run values it writes are still the values it runs on, instead
// of the fallback "1" for every key; and since nothing was stored, the next
// start tries to store them again.
class UnsavedValuesStore : public SettingsStore {
 public:
  explicit UnsavedValuesStore(SettingsStore& stored) : stored_(stored) {}

  std::string Read(const std::string& section, const std::string& key,
                   const std::string& fallback) override;
  bool Write(const std::string& section, const std::string& key, const std::string& value) override;

 private:
  SettingsStore& stored_;
  MemorySettingsStore unsaved_;
};

}  // namespace skyvault
