#include "dialogs/screen_font_list.h"

#include <gtest/gtest.h>

namespace skyvault {
namespace {

using Names = std::vector<std::string>;

TEST(ScreenFontList, TakesTheFirstFortyDistinctNamesThenSortsIgnoringCase) {
  Names system = {"Zeta", "alpha", "Zeta", "Beta", ""};
  for (int i = 100; i < 150; ++i) system.push_back(std::string("M").append(std::to_string(i)));
  const auto list = ScreenFontList(system);
  ASSERT_EQ(list.size(), 40u);
  EXPECT_EQ(Names(list.begin(), list.begin() + 3), (Names{"alpha", "Beta", "M100"}));
  // "Zeta", "alpha", "Beta" and 37 of the M names: the last is M136.
  EXPECT_EQ(list[38], "M136");
  EXPECT_EQ(list.back(), "Zeta");
}

}  // namespace
}  // namespace skyvault
