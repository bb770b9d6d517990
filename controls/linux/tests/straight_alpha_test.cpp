#include "controls/linux/straight_alpha.h"

#include <gtest/gtest.h>

namespace skyvault {
namespace {

DecodedImage FromRgba(std::vector<uint8_t> bytes, int channels) {
  const int pixels = static_cast<int>(bytes.size()) / channels;
  return DecodedFromStraightRgba(pixels, 1, bytes.data(), pixels * channels, channels);
}

TEST(StraightAlpha, PremultipliesLikeTheWindowsDecoder) {
  struct Case {
    std::vector<uint8_t> rgba;
    std::vector<uint32_t> pixels;
    bool hasAlpha;
  };
  const std::vector<Case> cases = {
      // Opaque: colours kept, no alpha.
      {{10, 20, 30, 255, 255, 0, 128, 255}, {0xFF0A141E, 0xFFFF0080}, false},
      // Half and none: premultiplied and rounded.
      {{255, 128, 1, 128, 200, 100, 50, 0}, {0x80804001, 0x00000000}, true},
      {{255, 255, 255, 1, 9, 9, 9, 255}, {0x01010101, 0xFF090909}, true},
      // Alpha zero everywhere: an unused fourth byte, the picture is opaque.
      {{1, 2, 3, 0, 4, 5, 6, 0}, {0xFF010203, 0xFF040506}, false},
  };
  for (const Case& c : cases) {
    const DecodedImage image = FromRgba(c.rgba, 4);
    EXPECT_EQ(image.pixels, c.pixels);
    EXPECT_EQ(image.hasAlpha, c.hasAlpha);
  }
  const DecodedImage rgb = FromRgba({1, 2, 3, 250, 251, 252}, 3);
  EXPECT_EQ(rgb.pixels, (std::vector<uint32_t>{0xFF010203, 0xFFFAFBFC}));
  EXPECT_FALSE(rgb.hasAlpha);
}

TEST(StraightAlpha, RowsFollowTheStrideAndBadInputGivesNothing) {
  // Two rows of one pixel, each row padded to 8 bytes.
  const uint8_t rows[16] = {1, 2, 3, 255, 99, 99, 99, 99, 4, 5, 6, 255, 99, 99, 99, 99};
  const DecodedImage image = DecodedFromStraightRgba(1, 2, rows, 8, 4);
  EXPECT_EQ(image.width, 1);
  EXPECT_EQ(image.height, 2);
  EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0xFF010203, 0xFF040506}));
  EXPECT_TRUE(DecodedFromStraightRgba(0, 2, rows, 8, 4).pixels.empty());
  EXPECT_TRUE(DecodedFromStraightRgba(1, 2, rows, 8, 2).pixels.empty());
  EXPECT_TRUE(DecodedFromStraightRgba(1, 2, nullptr, 8, 4).pixels.empty());
}

}  // namespace
}  // namespace skyvault
