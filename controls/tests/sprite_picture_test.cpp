#include "controls/sprite_picture.h"

#include <gtest/gtest.h>

#include <random>

#include "controls/pixel_format.h"
#include "controls/testing/fake_image_decoder.h"

namespace skyvault {
namespace {

// Premultiplied source over the canvas: s + u * (255 - a) / 255, rounded,
// saturating (a colour beyond its alpha must not wrap).
TEST(Blend, PremultipliedSourceOverCanvasPixels) {
  EXPECT_EQ(BlendXrgb(0x10FFFFFF, 0x00FFFFFF), 0xFFFFFFu);
  auto over = [](int s, int u, int a) { return std::min(255, s + (u * (255 - a) + 127) / 255); };
  for (int a = 0; a < 256; ++a) {
    const uint32_t source = testing::Premultiplied(a * 7 & 255, a * 13 & 255, a * 29 & 255, a);
    for (int u = 0; u < 256; u += 3) {
      const uint32_t under = PackXrgb(u, 255 - u, u * 5 & 255);
      const uint32_t want =
          PackXrgb(over(source >> 16 & 255, u, a), over(source >> 8 & 255, 255 - u, a),
                   over(source & 255, u * 5 & 255, a));
      ASSERT_EQ(BlendXrgb(source, under), want) << "alpha " << a << ", under " << u;
    }
  }
}

TEST(SpritePicture, ACanvasOfAnotherDepthIsLeftAlone) {
  SpritePicture alpha(DecodedImage{3, 1, {0, 0x01010101, 0xFFFFFFFF}, true},
                      PictureKind::Transparent);
  std::vector<uint16_t> other(3, 0x1234);
  EXPECT_TRUE(
      alpha.Draw(CanvasView{reinterpret_cast<uint8_t*>(other.data()), 3, 1, 6, 16}, 0, 0).Empty());
  EXPECT_EQ(other, (std::vector<uint16_t>(3, 0x1234)));
}

// Each pixel keys, covers or blends by itself however its neighbours are grouped (short runs of
// every kind close together, stray colour in fully transparent pixels).
TEST(SpritePicture, EveryPixelKeysCoversOrBlendsByItselfWhateverItsNeighbours) {
  std::mt19937 random(7);
  for (int trial = 0; trial < 60; ++trial) {
    const int width = 1 + random() % 90, height = 1 + random() % 4;
    const bool keyed = trial % 2 == 0;
    const unsigned sparse = 2 + random() % 20;  // 1 in `sparse` pixels keyed or not opaque
    DecodedImage image{width, height, std::vector<uint32_t>(size_t(width) * height), !keyed};
    for (uint32_t& p : image.pixels) {
      p = random() | 0xFF000000;
      if (random() % sparse == 0) p = keyed ? image.pixels[0] : random();
    }
    const SpritePicture picture(image, PictureKind::Transparent);
    std::vector<uint32_t> canvas(size_t(width + 8) * height);
    for (uint32_t& p : canvas) p = random() & 0xFFFFFF;
    const std::vector<uint32_t> under = canvas;
    const int x = static_cast<int>(random() % 12) - 4, stride = width + 8;
    picture.Draw(
        CanvasView{reinterpret_cast<uint8_t*>(canvas.data()), stride, height, stride * 4, 32}, x,
        0);
    for (int at = 0; at < stride * height; ++at) {
      const int row = at / stride, column = at % stride - x;
      uint32_t want = under[at];
      const uint32_t p = column >= 0 && column < width ? image.pixels[row * width + column] : 0;
      if (keyed && p && (p & 0xFFFFFF) != (image.pixels[0] & 0xFFFFFF)) want = p & 0xFFFFFF;
      if (!keyed && p >> 24 != 0) want = p >> 24 == 255 ? p & 0xFFFFFF : BlendXrgb(p, want);
      ASSERT_EQ(canvas[at], want) << trial << " at " << at;
    }
  }
}

}  // namespace
}  // namespace skyvault
