#include "settings/command_line_overrides.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>

#include "settings/overlay_settings_store.h"
#include "settings/settings_schema.h"
#include "settings/testing/recording_settings_store.h"

namespace skyvault {
namespace {

using Args = std::vector<std::string>;
using Overrides = std::vector<SettingOverride>;

TEST(SettingOptions, EachOptionSetsOneKeyAndOthersAreLeftAlone) {
  const struct {
    Args args;
    Overrides expected;
  } cases[] = {
      {{"--speed", "9"}, {{"Startup", "Speed", "9"}}},
      {{"-speed", "9"}, {{"Startup", "Speed", "9"}}},
      {{"--speed=9"}, {{"Startup", "Speed", "9"}}},
      {{"--volume", "-748"}, {{"Startup", "Volume", "-748"}}},
      {{"--sound-off", "Never"}, {{"System", "SoundOff", "Never"}}},
      {{"--message-text", "Hello, world"}, {{"Startup", "Message", "Hello, world"}}},
      {{"--message-text=a=b"}, {{"Startup", "Message", "a=b"}}},
      {{"--message-text", ""}, {{"Startup", "Message", ""}}},
      {{"--background", "abc"}, {{"Startup", "BackGround", "abc"}}},  // the display mends it
      {{"--picture", "/home/me/sky.png", "--background", "3"},
       {{"Startup", "BMPFileName", "/home/me/sky.png"}, {"Startup", "BackGround", "3"}}},
      {{"--logo", "--no-clock", "-message", "--no-engine"},
       {{"Startup", "LogoChecked", "1"},
        {"Startup", "Clock", "0"},
        {"Startup", "MessageChecked", "1"},
        {"Startup", "Prop", "0"}}},
      {{"--speed", "5", "--speed", "7"}, {{"Startup", "Speed", "5"}, {"Startup", "Speed", "7"}}},
      // The window options and anything unknown, with their values.
      {{"--window-id", "0x400001", "--root", "-visual", "default", "--speed", "5", "stray"},
       {{"Startup", "Speed", "5"}}},
      {{"--speed"}, {}},
      {{"--logo=0"}, {}},
      {{"--no-such", "--speed", "4"}, {{"Startup", "Speed", "4"}}},
      {{"-", "", "speed", "---speed", "5"}, {}},
  };
  for (const auto& c : cases) {
    std::string line;
    for (const auto& a : c.args) line += "[" + a + "] ";
    const SettingOptions options = ParseSettingOptions(c.args);
    EXPECT_EQ(options.overrides, c.expected) << line;
    EXPECT_FALSE(options.help) << line;
  }
  for (const Args& args : {Args{"--help"}, Args{"-help"}, Args{"-h"}, Args{"--root", "--help"}}) {
    EXPECT_TRUE(ParseSettingOptions(args).help) << args.back();
  }
  EXPECT_FALSE(ParseSettingOptions({"--helpful"}).help);
}

// Every option the usage names is one the parser takes, with a value where
// the usage shows one, and each sets a key of the settings.
TEST(SettingOptions, TheUsageNamesExactlyTheOptionsTheParserTakes) {
  std::istringstream usage(SettingOptionsUsage());
  std::string line;
  int named = 0;
  while (std::getline(usage, line)) {
    if (line.rfind("  --", 0) != 0) continue;
    std::istringstream words(line);
    std::string option, argument;
    words >> option >> argument;
    // A value is shown in capitals or figures; the help text starts in lower case.
    const bool takesValue = !argument.empty() && !std::islower(argument[0]);
    const Args args = takesValue ? Args{option, "42"} : Args{option};
    const auto overrides = ParseSettingOptions(args).overrides;
    ASSERT_EQ(overrides.size(), 1u) << line;
    EXPECT_TRUE(std::any_of(kFirstRunValues.begin(), kFirstRunValues.end(),
                            [&](const SettingEntry& e) {
                              return overrides[0].section == e.section && overrides[0].key == e.key;
                            }))
        << line;
    if (takesValue) {
      EXPECT_EQ(overrides[0].value, "42") << line;
    }
    ++named;
  }
  EXPECT_EQ(named, 17);
}

TEST(OverlaySettingsStore, OverridesWinReadsAndAreNeverWrittenBack) {
  auto stored = std::make_unique<RecordingSettingsStore>();
  RecordingSettingsStore& file = *stored;
  WriteFirstRunValues(file, "/usr/share/skyvault/");
  file.ClearWrites();
  OverlaySettingsStore store(
      std::move(stored),
      ParseSettingOptions({"--speed", "9", "--no-clock", "--speed", "11"}).overrides);

  EXPECT_EQ(ReadSetting(store, kStartup, keys::Speed), "11");
  EXPECT_EQ(ReadSetting(store, kStartup, keys::Clock), "0");
  EXPECT_EQ(ReadSetting(store, kStartup, keys::Volume), "-748");
  EXPECT_EQ(store.Read("Startup", "NoSuchKey", "fallback"), "fallback");
  EXPECT_EQ(store.Read("System", "Speed", "fallback"), "fallback");  // the section counts

  // The first run through the overlay writes the file, and the overrides
  // still win afterwards.
  WriteFirstRunValues(store, "/usr/share/skyvault/");
  store.Write("Startup", "Speed", "50");
  EXPECT_EQ(file.writes().size(), 33u);
  EXPECT_EQ(file.Read("Startup", "Speed", ""), "50");
  EXPECT_EQ(file.Read("Startup", "Clock", ""), "1");
  EXPECT_EQ(ReadSetting(store, kStartup, keys::Speed), "11");
  for (const auto& w : file.writes()) {
    EXPECT_NE(w.value, "11") << w.key;
    EXPECT_FALSE(w.key == "Clock" && w.value == "0");
  }
}

}  // namespace
}  // namespace skyvault
