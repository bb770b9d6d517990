#include "controls/picture_alpha.h"

#include <gtest/gtest.h>

#include <cmath>

namespace skyvault {
namespace {

using Pixels = std::vector<uint32_t>;

DecodedImage Picture(Pixels pixels) {
  const int width = static_cast<int>(pixels.size());
  return DecodedImage{width, 1, std::move(pixels), true};
}

TEST(AlphaRules, WholePicturesOfEachKind) {
  auto expect = [](const char* what, AlphaForm form, Pixels given, Pixels expected, bool alpha) {
    DecodedImage image = Picture(std::move(given));
    ApplyAlphaRules(image, form);
    EXPECT_EQ(image.pixels, expected) << what;
    EXPECT_EQ(image.hasAlpha, alpha) << what;
  };
  expect("alpha zero everywhere: padding, opaque with its colours", AlphaForm::Straight,
         {0x00123456, 0x00FFFFFF, 0}, {0xFF123456, 0xFFFFFFFF, 0xFF000000}, false);
  expect("the same when premultiplied", AlphaForm::Premultiplied, {0x00123456, 0},
         {0xFF123456, 0xFF000000}, false);
  expect("opaque", AlphaForm::Straight, {0xFF123456, 0xFFFFFFFF}, {0xFF123456, 0xFFFFFFFF}, false);
  expect("one see-through pixel is alpha", AlphaForm::Straight, {0xFF123456, 0x00FFFFFF},
         {0xFF123456, 0}, true);
  expect("straight colours multiplied", AlphaForm::Straight, {0x80FF8001, 0x01FFFFFF, 0xFE020202},
         {0x80804001, 0x01010101, 0xFE020202}, true);
  expect("premultiplied colours kept, but never above their alpha", AlphaForm::Premultiplied,
         {0x80402000, 0x80FF8081, 0x00FF0000, 0xFFFFFFFF}, {0x80402000, 0x80808080, 0, 0xFFFFFFFF},
         true);
  expect("no pixels at all", AlphaForm::Straight, {}, {}, false);
}

TEST(AlphaRules, EveryStraightColourAndAlphaRoundsToTheNearestPremultipliedLevel) {
  for (uint32_t a = 0; a < 256; ++a) {
    Pixels row;
    for (uint32_t c = 0; c < 256; ++c) row.push_back(a << 24 | c << 16 | (255 - c) << 8 | c / 3);
    row.push_back(0xFF000000);  // something visible, so alpha counts
    DecodedImage image = Picture(row);
    ApplyAlphaRules(image, AlphaForm::Straight);
    for (uint32_t c = 0; c < 256; ++c) {
      auto level = [a](uint32_t v) { return static_cast<uint32_t>(std::lround(v * a / 255.0)); };
      const uint32_t want = a << 24 | level(c) << 16 | level(255 - c) << 8 | level(c / 3);
      ASSERT_EQ(image.pixels[c], want) << "alpha " << a << ", colour " << c;
    }
  }
}

}  // namespace
}  // namespace skyvault
