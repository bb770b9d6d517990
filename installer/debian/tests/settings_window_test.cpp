// The settings window's description (skyvault.xml) against the program's table of options.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "settings/command_line_options.h"
#include "settings/command_line_overrides.h"
#include "settings/settings_schema.h"

namespace skyvault {
namespace {

struct Element {
  std::string name;
  std::map<std::string, std::string> attributes;
};

std::vector<Element> Elements() {
  std::ifstream in(SKYVAULT_SETTINGS_XML);
  std::ostringstream text;
  text << in.rdbuf();
  const std::string xml = text.str();
  const std::regex tag(R"re(<(\w+)\b([^>]*)>)re"), attribute(R"re(([\w-]+)="([^"]*)")re");
  std::vector<Element> elements;
  for (auto t = std::sregex_iterator(xml.begin(), xml.end(), tag); t != std::sregex_iterator();
       ++t) {
    Element& element = elements.emplace_back(Element{(*t)[1], {}});
    const std::string inside = (*t)[2];
    for (auto a = std::sregex_iterator(inside.begin(), inside.end(), attribute);
         a != std::sregex_iterator(); ++a)
      element.attributes[(*a)[1]] = (*a)[2];
  }
  return elements;
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::string FirstRunValueOf(const SettingOverride& o) {
  for (const SettingEntry& e : kFirstRunValues)
    if (o.section == e.section && o.key == e.key) return FirstRunValue(e, "/data/");
  ADD_FAILURE() << o.section << "/" << o.key << " is no setting";
  return {};
}

// A widget's switch with `value` for "%".
std::vector<std::string> Filled(std::string argument, const std::string& value) {
  if (const size_t percent = argument.find('%'); percent != std::string::npos)
    argument.replace(percent, 1, value);
  return Words(argument);
}

// The one setting that a widget's switch sets with `value`.
SettingOverride OverrideOf(const std::string& argument, const std::string& value) {
  const auto overrides = ParseSettingOptions(Filled(argument, value)).overrides;
  EXPECT_EQ(overrides.size(), 1u) << argument;
  return overrides.empty() ? SettingOverride{} : overrides[0];
}

// The option of a widget's switch.
const CommandLineOption& OptionOf(const std::string& argument) {
  const auto given = ReadCommandLine(Filled(argument, "0"));
  static const CommandLineOption none{};
  EXPECT_EQ(given.size(), 1u) << argument;
  return given.empty() ? none : *given[0].option;
}

TEST(SettingsWindow, EverySwitchSetsASettingAndDefaultsAreTheFirstRunValues) {
  const std::vector<Element> elements = Elements();
  int switches = 0;
  for (const Element& e : elements) {
    for (const char* kind : {"arg", "arg-set", "arg-unset"}) {
      if (!e.attributes.count(kind)) continue;
      const std::string& argument = e.attributes.at(kind);
      if (e.name == "command") {
        EXPECT_EQ(argument, "--root");
        continue;
      }
      ++switches;
      if (e.name == "number") continue;  // the sliders have a test of their own
      const SettingOverride set = OverrideOf(argument, "42");
      // A box or menu entry adds its switch away from the default, the first-run value.
      EXPECT_TRUE(std::string(kind) == "arg" ? set.value == "42"
                                             : set.value != FirstRunValueOf(set))
          << argument << ": not the value given, or the default is the other way";
    }
  }
  EXPECT_GE(switches, 30);
}

TEST(SettingsWindow, SlidersSpanTheirOptionsRangeAndStartAtTheFirstRunValue) {
  int sliders = 0;
  for (const Element& e : Elements()) {
    if (e.name != "number") continue;
    ++sliders;
    const std::string& argument = e.attributes.at("arg");
    const CommandLineOption& option = OptionOf(argument);
    EXPECT_EQ(e.attributes.at("low") + " " + e.attributes.at("high"),
              std::to_string(option.low) + " " + std::to_string(option.high))
        << argument;
    EXPECT_FALSE(e.attributes.count("convert")) << argument << ": slow to fast, left to right";
    const SettingOverride atDefault = OverrideOf(argument, e.attributes.at("default"));
    EXPECT_EQ(atDefault.value, FirstRunValueOf(atDefault)) << argument;
  }
  EXPECT_EQ(sliders, 2);
}

TEST(SettingsWindow, MenusOfferValuesTheOptionsTake) {
  std::set<std::string> soundOff;
  for (const Element& e : Elements()) {
    if (e.name != "option" || !e.attributes.count("arg-set")) continue;
    const std::vector<std::string> words = Words(e.attributes.at("arg-set"));
    ASSERT_EQ(words.size(), 2u) << e.attributes.at("arg-set");
    const CommandLineOption& option = OptionOf(e.attributes.at("arg-set"));
    const int value = option.low != option.high ? std::stoi(words[1]) : option.low;
    EXPECT_TRUE(value >= option.low && value <= option.high) << e.attributes.at("arg-set");
    if (option.name == "sound-off") soundOff.insert(words[1]);
  }
  std::set<std::string> offered;
  for (int minutes : kSoundOffMinutes) offered.insert(std::to_string(minutes));
  EXPECT_EQ(soundOff, offered);
}

}  // namespace
}  // namespace skyvault
