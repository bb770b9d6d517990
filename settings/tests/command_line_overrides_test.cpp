#include "settings/command_line_overrides.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "settings/command_line_options.h"
#include "settings/overlay_settings_store.h"
#include "settings/settings_schema.h"
#include "settings/testing/recording_settings_store.h"

namespace skyvault {
namespace {

using Args = std::vector<std::string>;
using Overrides = std::vector<SettingOverride>;

// The words of `line` between bars ("a||b": three, the second empty).
Args Split(const std::string& line) {
  Args words{""};
  for (char c : line) c == '|' ? void(words.emplace_back()) : words.back().push_back(c);
  return words;
}

// The overrides as "Section/Key=value " each.
std::string Text(const Overrides& overrides) {
  std::string text;
  for (const auto& o : overrides) text += o.section + "/" + o.key + "=" + o.value + " ";
  return text;
}

TEST(SettingOptions, EachOptionSetsOneKeyAndOthersAreLeftAlone) {
  // The pace steps store Speed values, anything else nothing; a value is a value, also
  // when it looks like an option; window options and anything unknown take their values.
  const std::pair<const char*, const char*> cases[] = {
      {"--speed|9", "Startup/Speed=9 "},
      {"-speed|9", "Startup/Speed=9 "},
      {"--speed=9", "Startup/Speed=9 "},
      {"--message-text=a=b", "Startup/Message=a=b "},
      {"--picture|/home/me/sky.png|--background|3",
       "Startup/BMPFileName=/home/me/sky.png Startup/BackGround=3 "},
      {"--logo|--no-clock|-message|--no-engine",
       "Startup/LogoChecked=1 Startup/Clock=0 Startup/MessageChecked=1 Startup/Prop=0 "},
      {"--speed|5|--speed|7", "Startup/Speed=5 Startup/Speed=7 "},
      {"--pace|6|--pace=1|-pace|4", "Startup/Speed=3 Startup/Speed=100 Startup/Speed=42 "},
      {"--pace|0|--pace|7|--pace|3.5|--pace||--pace|x", ""},
      {"--message-text|--no-clock|--font=--speed",
       "Startup/Message=--no-clock Startup/FontName=--speed "},
      {"--window-id|0x400001|--root|-visual|default|--speed|5|stray", "Startup/Speed=5 "},
      {"--speed", ""},
      {"--logo=0", ""},
      {"--no-such|--speed|4", "Startup/Speed=4 "},
      {"-||speed|---speed|5", ""}};
  for (const auto& [line, expected] : cases) {
    const SettingOptions options = ParseSettingOptions(Split(line));
    EXPECT_EQ(Text(options.overrides), expected) << line;
    EXPECT_FALSE(options.help) << line;
  }
  for (const char* line : {"--help", "-help", "-h", "--root|--help"})
    EXPECT_TRUE(ParseSettingOptions(Split(line)).help) << line;
  EXPECT_FALSE(ParseSettingOptions({"--helpful"}).help);
}

// Each settings option of the table sets one key the settings have.
TEST(SettingOptions, EverySettingsOptionSetsAKeyOfTheSettings) {
  for (const CommandLineOption& option : CommandLineOptions()) {
    if (option.role != OptionRole::kSetting) continue;
    const std::string name = "--" + std::string(option.name);
    const Args args = ArgumentText(option).empty() ? Args{name} : Args{name, "2"};
    const auto overrides = ParseSettingOptions(args).overrides;
    ASSERT_EQ(overrides.size(), 1u) << name;
    EXPECT_TRUE(std::any_of(kFirstRunValues.begin(), kFirstRunValues.end(),
                            [&](const SettingEntry& e) {
                              return overrides[0].section == e.section && overrides[0].key == e.key;
                            }))
        << name;
  }
}

// At 60 frames a second on whole-millisecond ticks, each pace step is its own, faster each step.
TEST(SettingOptions, EveryStepOfTheSpeedScaleIsAPaceOfItsOwn) {
  const auto framesPerStep = [](int interval, int firstFrame) {
    const auto tick = [](int frame) { return frame * 1000 / 60; };
    int frame = firstFrame + 1;
    while (tick(frame) - tick(firstFrame) < interval) ++frame;
    return frame - firstFrame;
  };
  std::vector<int> paces;
  for (int step = 1; step <= 6; ++step) {
    const auto overrides = ParseSettingOptions({"--pace", std::to_string(step)}).overrides;
    ASSERT_EQ(overrides.size(), 1u) << step;
    const int interval = std::stoi(overrides[0].value);
    // The same pace whichever frame the last step fell on.
    const int frames = framesPerStep(interval, 0);
    for (int first = 1; first < 3; ++first) EXPECT_EQ(framesPerStep(interval, first), frames);
    paces.push_back(frames);
  }
  EXPECT_EQ(paces.front(), 6) << "the slowest step is the dialog's slowest, Speed 100";
  EXPECT_EQ(paces.back(), 1) << "the fastest step steps every frame";
  EXPECT_TRUE(std::is_sorted(paces.rbegin(), paces.rend()));
  EXPECT_EQ(std::set<int>(paces.begin(), paces.end()).size(), paces.size());
}

TEST(OverlaySettingsStore, OverridesWinReadsAndAreNeverWrittenBack) {
  auto stored = std::make_unique<RecordingSettingsStore>();
  RecordingSettingsStore& file = *stored;
  WriteFirstRunValues(file, "/usr/share/skyvault/");
  file.ClearWrites();
  OverlaySettingsStore store(
      std::move(stored),
      ParseSettingOptions({"--speed", "9", "--no-clock", "--speed", "11"}).overrides);

  EXPECT_EQ(ReadSetting(store, kStartup, keys::Speed) + " " +
                ReadSetting(store, kStartup, keys::Clock) + " " +
                ReadSetting(store, kStartup, keys::Volume),
            "11 0 -748");
  // The section counts.
  EXPECT_EQ(store.Read("Startup", "NoSuchKey", "-") + store.Read("System", "Speed", "-"), "--");

  // The first run through the overlay writes the file; the overrides still win.
  WriteFirstRunValues(store, "/usr/share/skyvault/");
  EXPECT_TRUE(store.Write("Startup", "Speed", "50"));
  file.refuseWrites = true;
  EXPECT_FALSE(store.Write("Startup", "Speed", "51")) << "a refused write reported as done";
  EXPECT_EQ(file.writes().size(), 34u);
  EXPECT_EQ(file.Read("Startup", "Speed", "") + file.Read("Startup", "Clock", ""), "501");
  EXPECT_EQ(ReadSetting(store, kStartup, keys::Speed), "11");
  for (const auto& w : file.writes())
    EXPECT_FALSE(w.value == "11" || (w.key == "Clock" && w.value == "0"))
        << w.key << "=" << w.value;
}

}  // namespace
}  // namespace skyvault
