#include "settings/settings_schema.h"

#include "settings/conversions.h"

namespace skyvault {

const std::array<SettingEntry, 32> kFirstRunValues = {{
    {kPlanes, "Plane01", "1"},
    {kPlanes, "Plane02", "1"},
    {kPlanes, "Plane03", "1"},
    {kPlanes, "Plane04", "1"},
    {kPlanes, "Plane05", "1"},
    {kPlanes, "Plane06", "1"},
    {kPlanes, "Plane07", "1"},
    {kPlanes, "Plane08", "1"},
    {kPlanes, "Plane09", "1"},
    {kPlanes, "Plane10", "1"},
    {kPlanes, "Plane11", "1"},
    {kPlanes, "Plane12", "1"},
    {kPlanes, "Plane13", "1"},
    {kPlanes, "Plane14", "1"},
    {kPlanes, "Plane15", "1"},
    {kStartup, keys::BackGround, "3"},
    {kStartup, keys::BMPFileName, "Bridge.bmp", true},
    {kStartup, keys::Clock, "1"},
    {kStartup, keys::FontClock, "16"},
    {kStartup, keys::FontName, "Arial"},
    {kStartup, keys::LogoChecked, "0"},
    {kStartup, keys::LogoFileName, "Tarnwing1.bmp", true},
    {kStartup, keys::Message, "Place a Message Here"},
    {kStartup, keys::MessageChecked, "0"},
    {kStartup, keys::MouseSens, "4"},
    {kStartup, keys::Prop, "1"},
    {kStartup, keys::SelectedFont, "3"},
    {kStartup, keys::Speed, "3"},
    {kStartup, keys::Volume, "-748"},
    {kSystem, keys::PwrSave, "0"},
    {kSystem, keys::SoundOff, kSoundNever},
    {kSystem, keys::SetReg, "2"},
}};

std::string ReadSetting(SettingsStore& store, const char* section, const char* key) {
  return store.Read(section, key, kFallback);
}

bool NeedsFirstRunValues(SettingsStore& store) {
  const auto marker = ToInt16(ReadSetting(store, kSystem, keys::SetReg));
  return !marker || *marker != 2;
}

std::string FirstRunValue(const SettingEntry& entry, const std::string& dataFolder) {
  return entry.inDataFolder ? dataFolder + entry.firstRunValue : entry.firstRunValue;
}

void WriteFirstRunValues(SettingsStore& store, const std::string& dataFolder) {
  for (const SettingEntry& entry : kFirstRunValues) {
    store.Write(entry.section, entry.key, FirstRunValue(entry, dataFolder));
  }
}

}  // namespace skyvault
