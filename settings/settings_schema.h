#pragma once
#include <array>
#include <string>

#include "settings/settings_store.h"

namespace skyvault {

// Every reader passes this fallback; a missing key reads as "1".
inline constexpr const char* kFallback = "1";

inline constexpr const char* kStartup = "Startup";
inline constexpr const char* kSystem = "System";
inline constexpr const char* kPlanes = "Planes";

// The data folder on Windows, with its trailing backslash. The saver asks
// the platform services for its data folder (PlatformServices::DataFolder);
// the Windows services answer with this one.
inline constexpr const char* kDataPath = "C:\\Hallowmere\\Skyvault1\\";

namespace keys {
inline constexpr const char* BackGround = "BackGround";
inline constexpr const char* BMPFileName = "BMPFileName";
inline constexpr const char* Clock = "Clock";
inline constexpr const char* FontClock = "FontClock";
inline constexpr const char* FontName = "FontName";
inline constexpr const char* LogoChecked = "LogoChecked";
inline constexpr const char* LogoFileName = "LogoFileName";
inline constexpr const char* Message = "Message";
inline constexpr const char* MessageChecked = "MessageChecked";
inline constexpr const char* MouseSens = "MouseSens";
inline constexpr const char* Prop = "Prop";
inline constexpr const char* SelectedFont = "SelectedFont";
inline constexpr const char* Speed = "Speed";
inline constexpr const char* Volume = "Volume";
inline constexpr const char* PwrSave = "PwrSave";
inline constexpr const char* SoundOff = "SoundOff";
inline constexpr const char* SetReg = "SetReg";
}  // namespace keys

// The values of System/SoundOff that the settings dialog offers, in its
// order: "Never", then a number of minutes after which the engine falls
// silent.
inline constexpr const char* kSoundNever = "Never";
inline constexpr std::array<int, 19> kSoundOffMinutes = {
    1, 2, 3, 4, 5, 10, 15, 20, 30, 45, 60, 90, 120, 180, 240, 300, 360, 420, 480};

struct SettingEntry {
  const char* section;
  const char* key;
  const char* firstRunValue;
  // The value is a file in the data folder: the folder goes before it.
  bool inDataFolder = false;
};

// The first-run values in the order WriteFirstRunValues writes them; the marker
// System/SetReg comes last, so an interrupted initialisation repeats in full.
extern const std::array<SettingEntry, 32> kFirstRunValues;

// An entry's first-run value with the data folder (trailing separator
// included) in front of the pictures that come from there.
std::string FirstRunValue(const SettingEntry& entry, const std::string& dataFolder);

// Reads a key with the system's fallback "1".
std::string ReadSetting(SettingsStore& store, const char* section, const char* key);

// True unless System/SetReg holds the number 2 (a text that is no number
// counts as "not 2").
bool NeedsFirstRunValues(SettingsStore& store);

// Writes every first-run value, marker last; the background and logo
// pictures are those in `dataFolder`. A value the store refuses stays as it
// was and the others, the marker too, are still written: a marker held back
// would bring the first-run values back over the user's choices at every
// start.
void WriteFirstRunValues(SettingsStore& store, const std::string& dataFolder);

// The first-run check: writes the first-run values when the store needs
// them (NeedsFirstRunValues). The saver's display runs it as it loads, and
// the settings dialog as it opens, before either reads a setting: a store
// the user fills in the dialog before the saver ever ran is then one the
// display leaves alone.
void RunFirstRunCheck(SettingsStore& store, const std::string& dataFolder);

}  // namespace skyvault
