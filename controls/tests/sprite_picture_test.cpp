#include "controls/sprite_picture.h"

#include <gtest/gtest.h>

#include "controls/pixel_format.h"
#include "controls/drawing_control.h"
#include "controls/tests/fake_image_decoder.h"

namespace skyvault {
namespace {

TEST(PixelFormat, ColourAsShownIsStableAndExpandsLevelsByBitRepetition) {
  EXPECT_EQ(ColourAsShown(Rgb(0, 226, 251), 16), Rgb(0, 227, 255));
  EXPECT_EQ(ColourAsShown(Rgb(255, 255, 0), 16), Rgb(255, 255, 0));
  EXPECT_EQ(ColourAsShown(Rgb(1, 2, 3), 32), Rgb(1, 2, 3));
  // Every 565 value survives the trip to 8 bits and back.
  for (int p = 0; p < 65536; ++p) {
    const uint16_t pixel = static_cast<uint16_t>(p);
    ASSERT_EQ(Pack565(Red8Of565(pixel), Green8Of565(pixel), Blue8Of565(pixel)), pixel) << p;
  }
  EXPECT_EQ(XrgbOf565(0xF800), 0xFF0000u);
  EXPECT_EQ(XrgbOf565(0x07E0), 0x00FF00u);
  EXPECT_EQ(XrgbOf565(0x001F), 0x0000FFu);
  EXPECT_EQ(XrgbOf565(0x8410), 0x848284u);
}

TEST(Blend, PremultipliedSourceOverCanvasPixels) {
  // Opaque source replaces, transparent source keeps.
  EXPECT_EQ(BlendXrgb(0xFF102030, 0x00FFFFFF), 0x102030u);
  EXPECT_EQ(BlendXrgb(0x00000000, 0x00123456), 0x123456u);
  // 50 % grey (premultiplied 0x80) over 0x402000: 128 + 64 * 127 / 255 = 160 (0xA0),
  // 128 + 32 * 127 / 255 = 144 (0x90), 128 + 0 = 128.
  EXPECT_EQ(BlendXrgb(0x80808080, 0x00402000), 0xA09080u);
  // Colour beyond alpha (not validly premultiplied) saturates instead of wrapping.
  EXPECT_EQ(BlendXrgb(0x10FFFFFF, 0x00FFFFFF), 0xFFFFFFu);
  EXPECT_EQ(Blend565(0x80808080, 0x0000), 0x8410);
  EXPECT_EQ(Blend565(0xFF000000, 0xFFFF), 0x0000);
}

TEST(Blend, Rgb565LookupMatchesTheRoundedSumPerComponent) {
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

TEST(SpritePicture, DrawReportsTheCoveredCanvasRectangle) {
  std::vector<uint16_t> memory(10 * 10, 0);
  CanvasView canvas{reinterpret_cast<uint8_t*>(memory.data()), 10, 10, 20, 16};
  SpritePicture picture(testing::OpaqueImage(4, 3, {}), PictureKind::kOpaque, 16);
  EXPECT_EQ(picture.Draw(canvas, 8, -1), (PixelRect{8, 0, 10, 2}));
  EXPECT_EQ(picture.Draw(canvas, 2, 3), (PixelRect{2, 3, 6, 6}));
  EXPECT_TRUE(picture.Draw(canvas, 10, 0).Empty());
  EXPECT_EQ(picture.Draw(canvas, 2, 3, {0, 4, 3, 10}), (PixelRect{2, 4, 3, 6}));
  // A canvas of the other depth is left alone.
  CanvasView wide{canvas.bits, 5, 10, 20, 32};
  EXPECT_TRUE(picture.Draw(wide, 0, 0).Empty());
}

TEST(SpritePicture, ATransparentPictureWithAlphaSkipsOnlyFullyTransparentPixels) {
  DecodedImage image{3, 1, {0x00000000, 0x01010101, 0xFFFFFFFF}, true};
  SpritePicture picture(image, PictureKind::kTransparent, 32);
  std::vector<uint32_t> memory(3, 0x00FF0000);
  CanvasView canvas{reinterpret_cast<uint8_t*>(memory.data()), 3, 1, 12, 32};
  picture.Draw(canvas, 0, 0);
  EXPECT_EQ(memory[0], 0xFF0000u);
  // 1 + 255 * 254 / 255 = 255 red; 1 + 0 green and blue
  EXPECT_EQ(memory[1], 0xFF0101u);
  EXPECT_EQ(memory[2], 0xFFFFFFu);
}

}  // namespace
}  // namespace skyvault
