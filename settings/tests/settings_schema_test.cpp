#include "settings/settings_schema.h"

#include <gtest/gtest.h>

#include "settings/testing/recording_settings_store.h"

namespace skyvault {
namespace {

using Write = RecordingSettingsStore::WriteRecord;

TEST(WriteFirstRunValues, WritesPlanesThenStartupThenSystemWithTheMarkerLast) {
  RecordingSettingsStore store;
  WriteFirstRunValues(store, "C:\\Hallowmere\\Skyvault1\\");
  const auto& w = store.writes();
  ASSERT_EQ(w.size(), 32u);
  for (int i = 0; i < 15; ++i) {
    char key[8];
    std::snprintf(key, sizeof key, "Plane%02d", i + 1);
    EXPECT_EQ(w[i], (Write{"Planes", key, "1"}));
  }
  const std::vector<Write> rest = {
      {"Startup", "BackGround", "3"},
      {"Startup", "BMPFileName", "C:\\Hallowmere\\Skyvault1\\Bridge.bmp"},
      {"Startup", "Clock", "1"},
      {"Startup", "FontClock", "16"},
      {"Startup", "FontName", "Arial"},
      {"Startup", "LogoChecked", "0"},
      {"Startup", "LogoFileName", "C:\\Hallowmere\\Skyvault1\\Tarnwing1.bmp"},
      {"Startup", "Message", "Place a Message Here"},
      {"Startup", "MessageChecked", "0"},
      {"Startup", "MouseSens", "4"},
      {"Startup", "Prop", "1"},
      {"Startup", "SelectedFont", "3"},
      {"Startup", "Speed", "3"},
      {"Startup", "Volume", "-748"},
      {"System", "PwrSave", "0"},
      {"System", "SoundOff", "Never"},
      {"System", "SetReg", "2"},
  };
  EXPECT_EQ(std::vector<Write>(w.begin() + 15, w.end()), rest);
}

TEST(WriteFirstRunValues, OverwritesWhatTheUserHadSet) {
  RecordingSettingsStore store;
  store.Write("Startup", "Speed", "50");
  store.Write("Startup", "Message", "Hello");
  WriteFirstRunValues(store, "/usr/share/skyvault/");
  EXPECT_EQ(store.Read("Startup", "Speed", "1"), "3");
  EXPECT_EQ(store.Read("Startup", "Message", "1"), "Place a Message Here");
  EXPECT_EQ(store.Read("Startup", "BMPFileName", "1"), "/usr/share/skyvault/Bridge.bmp");
  EXPECT_EQ(store.Read("Startup", "LogoFileName", "1"), "/usr/share/skyvault/Tarnwing1.bmp");
  EXPECT_FALSE(NeedsFirstRunValues(store));
}

TEST(FirstRunCheck, OnlyTheNumberTwoCountsAsInitialised) {
  const struct {
    const char* marker;  // nullptr: key missing
    bool needsFirstRun;
  } cases[] = {
      {nullptr, true}, {"1", true},    {"3", true},   {"2", false}, {" 2 ", false},  {"2.0", false},
      {"2.5", false},  {"1.5", false}, {"abc", true}, {"", true},   {"99999", true}, {"2x", true},
  };
  for (const auto& c : cases) {
    RecordingSettingsStore store;
    if (c.marker) store.Write("System", "SetReg", c.marker);
    EXPECT_EQ(NeedsFirstRunValues(store), c.needsFirstRun) << (c.marker ? c.marker : "(missing)");
  }
}

}  // namespace
}  // namespace skyvault
