#pragma once
#include <string>

namespace skyvault {

// The per-user settings of application "Skyvault": sections "Startup",
// "System" and "Planes", every value a string. A missing key reads as the
// fallback the caller passes (everyone in the system passes "1").
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::string Read(const std::string& section, const std::string& key,
                           const std::string& fallback) = 0;
  // Creates the key (and its section) when missing, else replaces the value.
  // False when the value could not be stored: the store then reads as it did
  // before. Callers go on either way; none of them reports it to the user.
  virtual bool Write(const std::string& section, const std::string& key,
                     const std::string& value) = 0;
};

}  // namespace skyvault
