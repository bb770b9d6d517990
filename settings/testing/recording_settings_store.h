#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "settings/memory_settings_store.h"

namespace skyvault {

// One write to a settings store.
struct SettingWrite {
  std::string section, key, value;
  bool operator==(const SettingWrite&) const = default;
};

// Shows a write as "Section/Key=value" in test failures.
inline void PrintTo(const SettingWrite& write, std::ostream* out) {
  *out << write.section << "/" << write.key << "=" << write.value;
}

// An in-memory store that logs the writes in order, refused ones included.
class RecordingSettingsStore : public MemorySettingsStore {
 public:
  using WriteRecord = SettingWrite;

  bool Write(const std::string& section, const std::string& key,
             const std::string& value) override {
    writes_.push_back({section, key, value});
    return !refuseWrites && MemorySettingsStore::Write(section, key, value);
  }

  // While set, every write fails and changes nothing, as on a read-only store.
  bool refuseWrites = false;

  const std::vector<SettingWrite>& writes() const { return writes_; }
  void ClearWrites() { writes_.clear(); }

 private:
  std::vector<SettingWrite> writes_;
};

}  // namespace skyvault
