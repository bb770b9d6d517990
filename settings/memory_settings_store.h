#pragma once
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "settings/settings_store.h"

namespace skyvault {

// A settings store in memory, for tests: keeps every value and a log of
// the writes in the order they came.
class MemorySettingsStore : public SettingsStore {
 public:
  struct WriteRecord {
    std::string section, key, value;
    bool operator==(const WriteRecord&) const = default;
  };

  std::string Read(const std::string& section, const std::string& key,
                   const std::string& fallback) override;
  void Write(const std::string& section, const std::string& key, const std::string& value) override;

  bool Has(const std::string& section, const std::string& key) const;
  const std::vector<WriteRecord>& writes() const { return writes_; }
  void ClearWrites() { writes_.clear(); }
  int reads() const { return reads_; }
  size_t size() const { return values_.size(); }

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
  std::vector<WriteRecord> writes_;
  int reads_ = 0;
};

}  // namespace skyvault
