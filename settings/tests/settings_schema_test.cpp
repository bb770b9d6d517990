#include "settings/settings_schema.h"

#include <gtest/gtest.h>

#include "settings/testing/recording_settings_store.h"
#include "settings/unsaved_values_store.h"

namespace skyvault {
namespace {

using Write = RecordingSettingsStore::WriteRecord;

// A store that refuses one key: a value it cannot take.
struct RefusingOneKey : RecordingSettingsStore {
  std::string refused;
  bool Write(const std::string& section, const std::string& key,
             const std::string& value) override {
    if (section + "/" + key != refused) return RecordingSettingsStore::Write(section, key, value);
    refuseWrites = true;
    const bool written = RecordingSettingsStore::Write(section, key, value);
    refuseWrites = false;
    return written;
  }
};

// Whichever value is refused, every other one is still written, the marker last, once.
TEST(WriteFirstRunValues, GoOnPastARefusedValueWithTheMarkerLast) {
  for (const SettingEntry& entry : kFirstRunValues) {
    RefusingOneKey store;
    store.refused = std::string(entry.section) + "/" + entry.key;
    WriteFirstRunValues(store, "/data/");
    ASSERT_EQ(store.writes().size(), kFirstRunValues.size()) << store.refused;
    for (size_t i = 0; i < kFirstRunValues.size(); ++i) {
      const SettingEntry& e = kFirstRunValues[i];
      EXPECT_EQ(store.writes()[i], (Write{e.section, e.key, FirstRunValue(e, "/data/")}))
          << store.refused;
      EXPECT_EQ(store.Has(e.section, e.key), &e != &entry) << store.refused << " " << e.key;
    }
    EXPECT_EQ(store.writes().back(), (Write{"System", "SetReg", "2"}));
  }
}

// What the store refuses is kept and read first until the store takes that key.
TEST(UnsavedValuesStore, KeepsWhatTheStoreRefusedUntilItTakesIt) {
  RefusingOneKey stored;
  stored.refused = "Startup/Speed";
  stored.Write("Startup", "Clock", "0");
  UnsavedValuesStore store(stored);
  EXPECT_FALSE(store.Write("Startup", "Speed", "3"));
  EXPECT_TRUE(store.Write("Startup", "Message", "hi"));
  EXPECT_EQ(store.Read("Startup", "Speed", "1"), "3");
  EXPECT_EQ(store.Read("Startup", "Message", "1"), "hi");
  EXPECT_EQ(store.Read("Startup", "Clock", "1"), "0");
  EXPECT_EQ(store.Read("Startup", "Volume", "1"), "1");
  EXPECT_FALSE(stored.Has("Startup", "Speed"));

  stored.refused.clear();
  stored.Write("Startup", "Speed", "9");  // by someone else: the kept value still wins
  EXPECT_EQ(store.Read("Startup", "Speed", "1"), "3");
  EXPECT_TRUE(store.Write("Startup", "Speed", "5"));
  stored.Write("Startup", "Speed", "7");
  EXPECT_EQ(store.Read("Startup", "Speed", "1"), "7");
}

TEST(FirstRunCheck, OnlyTheNumberTwoCountsAsInitialised) {
  const struct {
    const char* marker;  // nullptr: key missing
    bool needsFirstRun;
  } cases[] = {{nullptr, true}, {"1", true},    {"3", true},     {"2", false},
               {" 2 ", false},  {"2.0", false}, {"2.5", false},  {"1.5", false},
               {"abc", true},   {"", true},     {"99999", true}, {"2x", true}};
  for (const auto& c : cases) {
    RecordingSettingsStore store;
    if (c.marker) store.Write("System", "SetReg", c.marker);
    EXPECT_EQ(NeedsFirstRunValues(store), c.needsFirstRun) << (c.marker ? c.marker : "(missing)");
  }
}

}  // namespace
}  // namespace skyvault
