// The small parts the dialogs are built from: paths, the font list, the
// bars' steps and the fixed texts.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/picker_paths.h"
#include "dialogs/screen_font_list.h"
#include "dialogs/scroll_range.h"
#include "dialogs/setup.h"
#include "dialogs/setup_texts.h"

namespace skyvault {
namespace {

TEST(PickerPaths, TrailingBackslashIsAddedOnlyWhenMissing) {
  EXPECT_EQ(WithTrailingBackslash("C:\\"), "C:\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\pics"), "C:\\pics\\");
  EXPECT_EQ(WithTrailingBackslash(""), "\\");
}

TEST(PickerPaths, DriveOfAPath) {
  EXPECT_EQ(DriveOf("c:\\pics"), "C:");
  EXPECT_EQ(DriveOf("Z:"), "Z:");
  EXPECT_EQ(DriveOf("\\\\server\\share"), "");
  EXPECT_EQ(DriveOf("1:\\x"), "");
  EXPECT_EQ(DriveOf("C"), "");
}

TEST(PickerPaths, DirectoryEntriesRunFromTheRootToTheSubdirectories) {
  size_t current = 99;
  const auto entries = DirectoryEntries("C:\\pics\\old", {"a", "b"}, &current);
  const std::vector<DirectoryEntry> expected = {{"C:\\", "C:\\", 0},
                                                {"pics", "C:\\pics", 1},
                                                {"old", "C:\\pics\\old", 2},
                                                {"a", "C:\\pics\\old\\a", 3},
                                                {"b", "C:\\pics\\old\\b", 3}};
  EXPECT_EQ(entries, expected);
  EXPECT_EQ(current, 2u);
}

TEST(PickerPaths, DirectoryEntriesOfARoot) {
  size_t current = 99;
  const auto entries = DirectoryEntries("D:\\", {"art"}, &current);
  EXPECT_EQ(entries, (std::vector<DirectoryEntry>{{"D:\\", "D:\\", 0}, {"art", "D:\\art", 1}}));
  EXPECT_EQ(current, 0u);
  const auto trailing = DirectoryEntries("D:\\art\\", {}, &current);
  EXPECT_EQ(trailing.back(), (DirectoryEntry{"art", "D:\\art", 1}));
  EXPECT_EQ(current, 1u);
}

TEST(ScreenFontList, TakesTheFirstFortyDistinctNamesThenSorts) {
  std::vector<std::string> system = {"Zeta", "alpha", "Zeta", "Beta", ""};
  for (int i = 0; i < 50; ++i) system.push_back("M" + std::to_string(100 + i));
  const auto list = ScreenFontList(system);
  ASSERT_EQ(list.size(), 40u);
  EXPECT_EQ(list.front(), "alpha");  // case is ignored in the order
  EXPECT_EQ(list[1], "Beta");
  EXPECT_EQ(list.back(), "Zeta");
  EXPECT_EQ(std::count(list.begin(), list.end(), "Zeta"), 1);
  // "Zeta", "alpha", "Beta" and 37 of the M names: the last is M136.
  EXPECT_NE(std::find(list.begin(), list.end(), "M136"), list.end());
  EXPECT_EQ(std::find(list.begin(), list.end(), "M137"), list.end());
}

TEST(ScreenFontList, FewerThanFortyAreAllListed) {
  EXPECT_EQ(ScreenFontList({"b", "A", "c"}), (std::vector<std::string>{"A", "b", "c"}));
  EXPECT_TRUE(ScreenFontList({}).empty());
  EXPECT_TRUE(SameFontName("Arial", "ARIAL"));
  EXPECT_FALSE(SameFontName("Arial", "Arial "));
}

TEST(ScrollRange, StepsStayInsideTheRange) {
  constexpr ScrollRange range{-10, 10, 3, 8, 0};
  EXPECT_EQ(range.Step(0, ScrollStep::LineLess), -3);
  EXPECT_EQ(range.Step(9, ScrollStep::LineMore), 10);
  EXPECT_EQ(range.Step(-5, ScrollStep::PageLess), -10);
  EXPECT_EQ(range.Step(0, ScrollStep::PageMore), 8);
  EXPECT_EQ(range.Step(4, ScrollStep::ToMinimum), -10);
  EXPECT_EQ(range.Step(4, ScrollStep::ToMaximum), 10);
  EXPECT_TRUE(range.Contains(-10));
  EXPECT_FALSE(range.Contains(11));
}

TEST(ScrollRange, TheDialogsBars) {
  EXPECT_EQ(kSpeedRange.minimum, 2);
  EXPECT_EQ(kSpeedRange.maximum, 100);
  EXPECT_EQ(kMouseSensRange.minimum, 2);
  EXPECT_EQ(kMouseSensRange.maximum, 20);
  EXPECT_EQ(kVolumeRange.minimum, -2500);
  EXPECT_EQ(kVolumeRange.maximum, 0);
}

TEST(SetupTexts, TitleCarriesTheWebAddressBetweenItsBlanks) {
  EXPECT_EQ(setup_texts::Title(), "Skyvault1 Control Box   www.hallowmere.com  ");
}

TEST(SetupTexts, SpacedCaptionsKeepTheirExactSpacing) {
  const std::string scale = setup_texts::kVolumeScale;
  EXPECT_EQ(scale, "Low " + std::string(24, '-') + "VOLUME " + std::string(24, '-') + "High");
  const std::string stop = setup_texts::kStopSoundAfter;
  EXPECT_EQ(stop, "Stop sound after:" + std::string(20, ' ') + "min.");
  EXPECT_EQ(stop.rfind(setup_texts::kStopSoundAfterLead, 0), 0u);
  EXPECT_EQ(std::string(setup_texts::kBackgroundFolder), " C:\\Hallowmere\\Skyvault");
}

TEST(SetupTexts, AboutIsTwoLinesAndHelpPageIsInTheDataDirectory) {
  const std::string about = setup_texts::AboutMessage();
  ASSERT_EQ(std::count(about.begin(), about.end(), '\n'), 1);
  EXPECT_EQ(about.substr(0, about.find('\n')), setup_texts::kProductLine);
  EXPECT_EQ(setup_texts::HelpPage(), "C:\\Hallowmere\\Skyvault1\\help.html");
}

}  // namespace
}  // namespace skyvault
