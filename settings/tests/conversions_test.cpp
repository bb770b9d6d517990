#include "settings/conversions.h"

#include <gtest/gtest.h>

#include <cmath>

namespace skyvault {
namespace {

struct NumberCase {
  const char* text;
  double expected;
};

TEST(NumberValue, TakesTheLeadingNumberOrZero) {
  const NumberCase cases[] = {
      {"12", 12},       {"12abc", 12},  {"abc", 0},    {"", 0},      {"   7", 7},
      {"\t3", 3},       {"-748", -748}, {"+5", 5},     {"3.5", 3.5}, {".5", 0.5},
      {"-.25x", -0.25}, {"1e3", 1000},  {"2E-1", 0.2}, {"1d2", 100}, {"1e", 1},
      {"1e+", 1},       {"5.", 5},      {"-", 0},      {".", 0},     {"Never", 0},
      {"0012", 12},     {"4 5", 4},     {"16 ", 16},   {"- 3", 0},   {"1,5", 1}};
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(NumberValue(c.text), c.expected) << '"' << c.text << '"';
}

TEST(NumberValue, HugeExponentGivesInfinityNotACrash) {
  EXPECT_TRUE(std::isinf(NumberValue("1e999")));
  EXPECT_EQ(NumberValue("1e-999"), 0.0);
}

struct Int16Case {
  const char* text;
  std::optional<int16_t> expected;
};

TEST(ToInt16, ConvertsTheWholeTextWithTiesToEven) {
  const Int16Case cases[] = {{"2", 2},           {" 2 ", 2},       {"-748", -748},
                             {"+3", 3},          {"2.5", 2},       {"3.5", 4},
                             {"-3.5", -4},       {"2.4999", 2},    {"2.5001", 3},
                             {"1e2", 100},       {"32767", 32767}, {"-32768", -32768},
                             {"32767.4", 32767}, {"32767.5", {}},  {"-32768.5", -32768},
                             {"-32768.6", {}},   {"32768", {}},    {"", {}},
                             {"   ", {}},        {"abc", {}},      {"12abc", {}},
                             {"2 2", {}},        {"-", {}},        {"1e999", {}}};
  for (const auto& c : cases) EXPECT_EQ(ToInt16(c.text), c.expected) << '"' << c.text << '"';
}

}  // namespace
}  // namespace skyvault
