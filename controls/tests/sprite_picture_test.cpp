#include "controls/sprite_picture.h"

#include <gtest/gtest.h>

#include "controls/pixel_format.h"
#include "controls/testing/fake_image_decoder.h"

namespace skyvault {
namespace {

TEST(PixelFormat, Every565ValueSurvivesTheTripTo8BitsAndBack) {
  for (int p = 0; p < 65536; ++p) {
    const uint16_t pixel = static_cast<uint16_t>(p);
    ASSERT_EQ(Pack565(Red8Of565(pixel), Green8Of565(pixel), Blue8Of565(pixel)), pixel) << p;
  }
}

// Premultiplied source over the canvas: s + u * (255 - a) / 255, rounded,
// saturating (a colour beyond its alpha must not wrap).
TEST(Blend, PremultipliedSourceOverCanvasPixelsOnBothDepths) {
  EXPECT_EQ(BlendXrgb(0x80808080, 0x00402000), 0xA09080u);
  EXPECT_EQ(BlendXrgb(0x10FFFFFF, 0x00FFFFFF), 0xFFFFFFu);
  auto over = [](int s, int u, int a) { return std::min(255, s + (u * (255 - a) + 127) / 255); };
  for (int a = 0; a < 256; ++a) {
    const uint32_t source = testing::Premultiplied(a * 7 & 255, a * 13 & 255, a * 29 & 255, a);
    for (int u = 0; u < 65536; u += 3) {
      const uint16_t under = static_cast<uint16_t>(u);
      const uint16_t want = Pack565(over(source >> 16 & 255, Red8Of565(under), a),
                                    over(source >> 8 & 255, Green8Of565(under), a),
                                    over(source & 255, Blue8Of565(under), a));
      ASSERT_EQ(Blend565(source, under), want) << "alpha " << a << ", under " << u;
    }
  }
}

TEST(SpritePicture, APictureWithAlphaSkipsOnlyFullyTransparentPixels) {
  SpritePicture alpha(DecodedImage{3, 1, {0x00000000, 0x01010101, 0xFFFFFFFF}, true},
                      PictureKind::Transparent, 32);
  std::vector<uint32_t> row(3, 0x00FF0000);
  alpha.Draw(CanvasView{reinterpret_cast<uint8_t*>(row.data()), 3, 1, 12, 32}, 0, 0);
  EXPECT_EQ(row, (std::vector<uint32_t>{0xFF0000, 0xFF0101, 0xFFFFFF}));
}

}  // namespace
}  // namespace skyvault
