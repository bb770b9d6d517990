// The table that ties the settings dialog's controls to their settings.
#include "dialogs/setup_bindings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "settings/conversions.h"

namespace skyvault {
namespace {

std::string Name(const SettingKey& key) { return std::string(key.section) + "/" + key.key; }

// Every setting the first run stores, with its value.
std::string FirstRunValue(const SettingKey& key) {
  for (const SettingEntry& entry : kFirstRunValues) {
    if (Name({entry.section, entry.key}) == Name(key)) return entry.firstRunValue;
  }
  return "";
}

TEST(SetupBindings, EachControlIsBoundOnceAndNoTwoControlsShareASetting) {
  std::set<std::string> settings;
  const auto claim = [&](const SettingKey& key) {
    EXPECT_NE(FirstRunValue(key), "") << Name(key) << " is no setting of the saver";
    EXPECT_TRUE(settings.insert(Name(key)).second) << Name(key) << " bound twice";
  };
  for (int i = 0; i < 5; ++i) {
    const auto box = static_cast<SetupCheckBox>(i);
    EXPECT_EQ(BindingOf(box).box, box);
    claim(BindingOf(box).setting);
  }
  for (int i = 0; i < 3; ++i) {
    const auto bar = static_cast<SetupScrollBar>(i);
    EXPECT_EQ(BindingOf(bar).bar, bar);
    claim(BindingOf(bar).setting);
  }
  for (const TextBoxBinding& box : kTextBoxBindings) {
    EXPECT_EQ(BindingOf(box.box), &box);
    claim(box.setting);
  }
  EXPECT_EQ(BindingOf(SetupTextBox::txtSpeed), nullptr);
  EXPECT_EQ(BindingOf(SetupTextBox::txtMouseS), nullptr);
}

// The first-run values lie inside the bars' ranges, and a bar's number box
// is one that no setting owns.
TEST(SetupBindings, BarsHoldTheirFirstRunValuesAndShowThemInANumberBoxOfTheirOwn) {
  std::set<SetupTextBox> numberBoxes;
  for (const ScrollBarBinding& bar : kScrollBarBindings) {
    const auto firstRun = ToInt16(FirstRunValue(bar.setting));
    ASSERT_TRUE(firstRun.has_value()) << Name(bar.setting);
    EXPECT_TRUE(bar.range.Contains(*firstRun)) << Name(bar.setting);
    EXPECT_TRUE(bar.range.Contains(bar.range.start)) << Name(bar.setting);
    if (bar.numberBox) {
      EXPECT_EQ(BindingOf(*bar.numberBox), nullptr);
      EXPECT_TRUE(numberBoxes.insert(*bar.numberBox).second);
    }
  }
}

}  // namespace
}  // namespace skyvault
