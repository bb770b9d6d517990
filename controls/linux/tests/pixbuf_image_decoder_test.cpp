#include "controls/linux/pixbuf_image_decoder.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <fstream>

#include "platform/testing/little_endian.h"
#include "platform/testing/temp_folder.h"

namespace skyvault {
namespace {

using testing::Bytes;
using testing::Put32;

class PixbufImageDecoderTest : public ::testing::Test {
 protected:
  // A PNG of `height` rows of straight RGBA pixels, written by gdk-pixbuf itself.
  std::string WritePng(const std::string& name, Bytes rgba, int height = 1) {
    const int width = static_cast<int>(rgba.size() / 4) / height;
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_data(rgba.data(), GDK_COLORSPACE_RGB, TRUE, 8, width,
                                                 height, width * 4, nullptr, nullptr);
    const std::string path = folder_.Path(name);
    EXPECT_TRUE(gdk_pixbuf_save(pixbuf, path.c_str(), "png", nullptr, nullptr));
    g_object_unref(pixbuf);
    return path;
  }

  testing::TempFolder folder_;
  PixbufImageDecoder decoder_;
};

// A 24-bit bitmap claiming width x height, with `rows` rows of grey 0x40 (fewer: truncated).
Bytes Bitmap24(int32_t width, int32_t height, int32_t rows) {
  const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  Bytes bytes{'B', 'M'};
  for (uint32_t v : {54 + rowBytes * uint32_t(height), 0u, 54u, 40u, uint32_t(width),
                     uint32_t(height), 24u << 16 | 1})  // one plane, 24 bits
    Put32(bytes, v);
  bytes.resize(54, 0);
  bytes.resize(54 + static_cast<size_t>(rowBytes) * rows, 0x40);
  return bytes;
}

TEST_F(PixbufImageDecoderTest, PicturesDecodeWithTheWindowsAlphaRules) {
  // Straight alpha premultiplied; opaque pixels kept.
  const auto png = decoder_.Decode(WritePng("alpha.png", {255, 0, 0, 128, 0, 0, 255, 255}));
  ASSERT_TRUE(png);
  EXPECT_EQ(png->pixels, (std::vector<uint32_t>{0x80800000, 0xFF0000FF}));
  EXPECT_TRUE(png->hasAlpha);

  const auto bitmap = decoder_.Decode(folder_.Write("grey.bmp", Bitmap24(3, 2, 2)));
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(std::tuple(bitmap->width, bitmap->height, bitmap->hasAlpha), std::tuple(3, 2, false));
  EXPECT_EQ(bitmap->pixels, std::vector<uint32_t>(6, 0xFF404040));

  // The saver's own aircraft: a 32-bit bitmap whose alpha counts.
  const auto plane = decoder_.Decode(SKYVAULT_DATA_FOLDER "Plane01.bmp");
  ASSERT_TRUE(plane);
  EXPECT_TRUE(plane->hasAlpha);
  EXPECT_EQ(plane->pixels.front() >> 24, 0u);  // clear sky around it
}

// Only the part asked for, with its place and the whole's corner colour; an empty part: none.
TEST_F(PixbufImageDecoderTest, KeepsOnlyThePartAskedFor) {
  Bytes rgba;
  for (int i = 0; i < 8 * 4; ++i) rgba.insert(rgba.end(), {uint8_t(i), uint8_t(2 * i), 7, 255});
  const std::string path = WritePng("part.png", rgba, 4);
  const auto whole = decoder_.Decode(path);
  ASSERT_TRUE(whole);
  std::pair<int, int> told;
  const auto part = decoder_.DecodePart(path, [&](int width, int height) {
    told = {width, height};
    return PixelRect{2, 1, 5, 3};
  });
  ASSERT_TRUE(part);
  EXPECT_EQ(told, std::pair(8, 4));
  EXPECT_EQ(std::tuple(part->left, part->top, part->width, part->height, part->cornerColour),
            std::tuple(2, 1, 3, 2, 0x000007u));
  std::vector<uint32_t> expected;
  for (int y = 1; y < 3; ++y)
    expected.insert(expected.end(), &whole->pixels[y * 8 + 2], &whole->pixels[y * 8 + 5]);
  EXPECT_EQ(part->pixels, expected);
  EXPECT_FALSE(decoder_.DecodePart(path, [](int, int) { return PixelRect{}; }));
}

// The size limit is checked from the header (random bytes and a header claiming 100000 x 100000
// pixels are the saver's process test).
TEST_F(PixbufImageDecoderTest, HostileOversizedAndMissingFilesGiveNothing) {
  EXPECT_TRUE(decoder_.Decode(folder_.Write("widest.bmp", Bitmap24(kMaxPictureSide, 1, 1))));
  std::ifstream in(WritePng("whole.png", Bytes(64 * 4, 200)), std::ios::binary);
  const Bytes png(std::istreambuf_iterator<char>(in), {});  // by gdk-pixbuf, compressed

  for (const std::string& path :
       {std::string(), folder_.Path("missing.png"), testing::Utf8(folder_.path()),
        folder_.Write("empty.jpg", {}),
        folder_.Write("truncated.png", Bytes(png.begin(), png.begin() + png.size() / 2)),
        folder_.Write("too-wide.bmp", Bitmap24(kMaxPictureSide + 1, 1, 1)),
        folder_.Write("too-tall.bmp", Bitmap24(1, kMaxPictureSide + 1, 1))}) {
    EXPECT_FALSE(decoder_.Decode(path)) << path;
  }
  // A bitmap cut short may come out whole-sized with its missing rows filled in.
  for (int rows : {0, 10, 63}) {
    const auto cut = decoder_.Decode(folder_.Write("cut.bmp", Bitmap24(64, 64, rows)));
    if (cut) {
      EXPECT_EQ(cut->pixels.size(), 64u * 64u);
    }
  }
}

}  // namespace
}  // namespace skyvault
