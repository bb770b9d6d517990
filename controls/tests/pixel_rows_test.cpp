#include "controls/pixel_rows.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <random>
#include <vector>

namespace skyvault {

// Test names and messages show the level by name.
void PrintTo(PixelRowsLevel level, std::ostream* out) { *out << PixelRowsLevelName(level); }

namespace {

class PixelRowsAtLevel : public ::testing::TestWithParam<PixelRowsLevel> {};

// Each level gives the scalar rule's pixels for every length to 100 (the tails included), any
// alignment, alpha 0, 255 and between, colours above their alpha; nothing outside the row written.
TEST_P(PixelRowsAtLevel, CopyAndBlendGiveThePixelRuleOnRandomRows) {
  if (!PixelRowsLevelAvailable(GetParam())) GTEST_SKIP() << "not on this processor";
  const PixelRowLoops loops = PixelRowLoopsAt(GetParam());
  std::mt19937 random(7);
  auto below = [&random](uint32_t n) { return static_cast<uint32_t>(random() % n); };
  constexpr size_t kRoom = 100 + 2 * 8;
  for (int round = 0; round < 3000; ++round) {
    const size_t length = round <= 100 ? round : below(101);
    const size_t from = below(8), to = below(8);
    std::vector<uint32_t> source(kRoom), under(kRoom);
    for (uint32_t& pixel : source) {
      const uint32_t kind = below(4);
      const uint32_t a = kind == 0 ? 0 : kind == 1 ? 255 : below(256);
      const uint32_t limit = below(8) == 0 ? 255 : a;
      pixel = a << 24 | below(limit + 1) << 16 | below(limit + 1) << 8 | below(limit + 1);
    }
    for (uint32_t& pixel : under) pixel = static_cast<uint32_t>(random());

    std::vector<uint32_t> blended = under, copied = under;
    loops.blend(blended.data() + to, source.data() + from, length);
    loops.copy(copied.data() + to, source.data() + from, length);
    std::vector<uint32_t> wantBlended = under, wantCopied = under;
    for (size_t i = 0; i < length; ++i) {
      wantBlended[to + i] = BlendXrgb(source[from + i], under[to + i]);
      wantCopied[to + i] = source[from + i];
    }
    ASSERT_EQ(std::pair(blended, copied), std::pair(wantBlended, wantCopied))
        << "length " << length << ", from " << from << ", to " << to;
  }
}

INSTANTIATE_TEST_SUITE_P(WiderThanScalar, PixelRowsAtLevel,
                         ::testing::Values(PixelRowsLevel::Sse2, PixelRowsLevel::Avx2),
                         [](const auto& info) { return PixelRowsLevelName(info.param); });

// The program's own CopyPixels and BlendPixels run the widest level there is.
TEST(PixelRows, TheWidestAvailableLevelIsChosen) {
  if (std::getenv("SKYVAULT_PIXEL_ROWS") != nullptr) GTEST_SKIP() << "a level is asked for";
  PixelRowsLevel widest = PixelRowsLevel::Scalar;
  for (auto level : {PixelRowsLevel::Sse2, PixelRowsLevel::Avx2})
    if (PixelRowsLevelAvailable(level)) widest = level;
  EXPECT_EQ(ActivePixelRowsLevel(), widest);
}

}  // namespace
}  // namespace skyvault
