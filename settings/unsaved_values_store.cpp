#include "settings/unsaved_values_store.h"

namespace skyvault {

std::string UnsavedValuesStore::Read(const std::string& section, const std::string& key,
                                     const std::string& fallback) {
  if (unsaved_.Has(section, key)) return unsaved_.Read(section, key, fallback);
  return stored_.Read(section, key, fallback);
}

bool UnsavedValuesStore::Write(const std::string& section, const std::string& key,
                               const std::string& value) {
  if (stored_.Write(section, key, value)) {
    unsaved_.Forget(section, key);
    return true;
  }
  unsaved_.Write(section, key, value);
  return false;
}

}  // namespace skyvault
