#include "startup/command_line.h"

#include <gtest/gtest.h>

namespace skyvault {
namespace {

TEST(ParseCommandLine, EverySwitchFormWindowsSends) {
  const std::tuple<const char*, SaverMode> cases[] = {
      {"/s", SaverMode::FullScreen},   {"   ", SaverMode::FullScreen},
      {"/p 1234", SaverMode::Preview}, {"/p", SaverMode::Preview},
      {"/c", SaverMode::Configure},    {"/C:0004", SaverMode::Configure},
      {"/A", SaverMode::Password},     {"-s", SaverMode::None},
      {"s", SaverMode::None},          {"/x", SaverMode::None},
      {"/", SaverMode::None},          {"//s", SaverMode::None},
      {"/sx", SaverMode::FullScreen},  {"\t/s\r\n", SaverMode::FullScreen},
  };
  for (const auto& [text, mode] : cases)
    EXPECT_EQ(ParseCommandLine(text).mode, mode) << '"' << text << '"';
}

TEST(ParsePreviewWindowNumber, TakesTheLongestNumericTail) {
  const std::tuple<const char*, int32_t> cases[] = {
      {"/p 1234", 1234}, {"/p:1234", 1234},    {"/p1234", 1234},
      {"/p", 0},         {"/p 0", 0},          {"/p 12.5", 12},
      {"/p 13.5", 14},   {"/p 12.4", 12},      {"/p:-7", -7},
      {"/p x", 0},       {"/p 12x", 0},        {"/p 1e3", 1000},
      {"/p  42", 42},    {"/p 4294967296", 0}, {"/p 2147483647", 2147483647},
      {"", 0},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(ParsePreviewWindowNumber(text), expected) << '"' << text << '"';
}

TEST(SecondInstance, OnlyAFullScreenStartIsRefused) {
  const CommandLine s = ParseCommandLine("/s");
  EXPECT_TRUE(ShouldEndAsSecondInstance(s, false, true));
  EXPECT_FALSE(ShouldEndAsSecondInstance(s, true, true)) << "the settings pane is open";
  EXPECT_FALSE(ShouldEndAsSecondInstance(s, false, false)) << "no earlier instance";
  EXPECT_FALSE(ShouldEndAsSecondInstance(ParseCommandLine("/p 5"), false, true));
  EXPECT_FALSE(ShouldEndAsSecondInstance(ParseCommandLine("/c"), false, true));
  // An empty command line also starts the saver, but only "/s" is refused.
  EXPECT_FALSE(ShouldEndAsSecondInstance(ParseCommandLine(""), false, true));
}

}  // namespace
}  // namespace skyvault
