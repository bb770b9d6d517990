// The settings window's description (skyvault.xml) against the options the
// program takes: every switch it can put on the command line is one the
// settings options parser turns into a setting, and a widget left at its
// default adds nothing that differs from the first-run values.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "settings/command_line_overrides.h"
#include "settings/settings_schema.h"

namespace skyvault {
namespace {

std::string Description() {
  std::ifstream in(SKYVAULT_SETTINGS_XML);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::string FirstRunValueOf(const SettingOverride& o) {
  for (const SettingEntry& e : kFirstRunValues) {
    if (o.section == e.section && o.key == e.key) return FirstRunValue(e, "/data/");
  }
  ADD_FAILURE() << o.section << "/" << o.key << " is no setting";
  return {};
}

TEST(SettingsWindow, EveryArgumentBecomesASettingAndDefaultsAreTheFirstRunValues) {
  const std::string xml = Description();
  ASSERT_FALSE(xml.empty());
  const std::regex attribute(R"re(<(\w+)\b([^>]*?)\s(arg|arg-set|arg-unset)="([^"]*)")re");
  int arguments = 0;
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), attribute);
       it != std::sregex_iterator(); ++it) {
    const std::string element = (*it)[1], kind = (*it)[3], argument = (*it)[4];
    if (element == "command") {
      EXPECT_EQ(argument, "--root");
      continue;
    }
    ++arguments;
    std::string text = argument;
    if (const size_t percent = text.find('%'); percent != std::string::npos) {
      text.replace(percent, 1, "42");
    }
    const auto overrides = ParseSettingOptions(Words(text)).overrides;
    ASSERT_EQ(overrides.size(), 1u) << argument;
    const std::string firstRun = FirstRunValueOf(overrides[0]);
    if (kind == "arg-set" && element == "boolean") {
      EXPECT_NE(overrides[0].value, firstRun) << argument << ": the default box is the other state";
    } else if (kind == "arg-unset") {
      EXPECT_NE(overrides[0].value, firstRun) << argument << ": the default box is the other state";
    } else if (kind == "arg-set") {  // a menu entry: the default entry has none
      EXPECT_NE(overrides[0].value, firstRun)
          << argument << ": only the default entry has no switch";
    } else {
      EXPECT_EQ(overrides[0].value, "42") << argument;
    }
  }
  EXPECT_GE(arguments, 30);

  // Sliders start at the first-run values.
  const std::regex slider(R"re(arg="(--[a-z-]+) %"[^>]*default="([^"]*)")re");
  int sliders = 0;
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), slider); it != std::sregex_iterator();
       ++it, ++sliders) {
    const auto overrides = ParseSettingOptions({(*it)[1], "0"}).overrides;
    ASSERT_EQ(overrides.size(), 1u) << (*it)[1];
    EXPECT_EQ(FirstRunValueOf(overrides[0]), (*it)[2]) << (*it)[1];
  }
  EXPECT_EQ(sliders, 2);
}

}  // namespace
}  // namespace skyvault
