#include "controls/scaled_picture.h"

#include <gtest/gtest.h>

#include "controls/colour_key.h"
#include "controls/resampler.h"
#include "controls/tests/fake_image_decoder.h"
#include "controls/tests/sample_pictures.h"

namespace skyvault {
namespace {

using testing::AlphaOf;

const std::string kPlane = "C:\\Hallowmere\\Skyvault1\\Plane24.bmp";
const std::string kPlane4x = "C:\\Hallowmere\\Skyvault1\\Plane24@4x.png";

TEST(LoadScaledPicture, KeepsTheNamedSizeAndDrawsFromTheBestSourceAtThePhysicalSize) {
  const DecodedImage named = testing::RandomPicture(100, 40, testing::Alphas::Any, 7);
  const struct {
    double scale;
    bool companion;
    int width, height, factor;
  } cases[] = {
      {1.0, true, 100, 40, 1},  {3.6, false, 360, 144, 1}, {3.6, true, 360, 144, 4},
      {4.0, true, 400, 160, 4}, {1.8, true, 180, 72, 4},   {0.8, true, 80, 32, 1},
      {1.35, true, 135, 54, 4},
  };
  for (const auto& c : cases) {
    testing::FakeImageDecoder decoder;
    decoder.pictures[kPlane] = named;
    if (c.companion)
      decoder.pictures[kPlane4x] = testing::RandomPicture(400, 160, testing::Alphas::Any, 8);
    const auto picture =
        LoadScaledPicture(decoder, kPlane, PictureKind::Transparent, FrameScale(c.scale));
    ASSERT_TRUE(picture) << c.scale;
    EXPECT_EQ(std::pair(picture->logicalWidth, picture->logicalHeight), std::pair(100, 40));
    EXPECT_EQ(std::pair(picture->image.width, picture->image.height), std::pair(c.width, c.height))
        << c.scale;
    EXPECT_EQ(picture->sourceFactor, c.factor) << c.scale;
    EXPECT_EQ(picture->image.pixels.size(), size_t(c.width) * c.height);
    // At the named or the companion's own size, the pixels are the file's.
    if (c.width == 100) {
      EXPECT_EQ(picture->image.pixels, named.pixels);
    } else if (c.width == 400) {
      EXPECT_EQ(picture->image.pixels, decoder.pictures[kPlane4x].pixels);
    }
  }
}

// An aircraft without alpha is keyed by its top-left colour at its own size;
// its companion is keyed by the named file's key even where the companion's
// own top-left pixel differs. The body has no red, so red is the key showing.
TEST(LoadScaledPicture, KeysAPictureWithoutAlphaAndItsCompanionByTheNamedFilesKey) {
  constexpr uint32_t kKey = 0xFF00FF;
  DecodedImage named = testing::FilledPicture(20, 10, 0xFF000000u | kKey);
  for (int x = 5; x < 15; ++x) named.pixels[5 * 20 + x] = 0xFF004060u;
  DecodedImage companion = testing::FilledPicture(80, 40, 0xFF000000u | kKey);
  companion.pixels[0] = 0xFF003456u;
  for (int x = 20; x < 60; ++x) companion.pixels[20 * 80 + x] = 0xFF004060u;
  testing::FakeImageDecoder decoder;
  decoder.pictures[kPlane] = named;
  decoder.pictures[kPlane4x] = companion;
  for (double scale : {1.0, 4.0, 3.6}) {
    const auto picture =
        LoadScaledPicture(decoder, kPlane, PictureKind::Transparent, FrameScale(scale));
    ASSERT_TRUE(picture);
    EXPECT_TRUE(picture->image.hasAlpha) << scale;
    int clear = 0;
    for (uint32_t p : picture->image.pixels) {
      clear += p == 0;
      ASSERT_EQ(p & 0xFF0000, 0u) << std::hex << p << " at " << scale;  // no key red
    }
    EXPECT_GT(clear, int(picture->image.pixels.size()) / 2) << scale;
  }
  const auto four = LoadScaledPicture(decoder, kPlane, PictureKind::Transparent, FrameScale(4));
  EXPECT_EQ(four->image.pixels[0], 0xFF003456u);
  // Opaque pictures are never keyed.
  const auto opaque = LoadScaledPicture(decoder, kPlane, PictureKind::Opaque, FrameScale(1));
  EXPECT_EQ(opaque->image.pixels, named.pixels);
}

TEST(LoadScaledPicture, NothingWithoutTheNamedFile) {
  testing::FakeImageDecoder decoder;
  decoder.pictures[kPlane4x] = testing::FilledPicture(40, 40, 0xFFFFFFFFu);
  EXPECT_FALSE(LoadScaledPicture(decoder, kPlane, PictureKind::Opaque, FrameScale(3.6)));
  EXPECT_FALSE(LoadScaledPicture(decoder, "", PictureKind::Opaque, FrameScale(3.6)));
  decoder.pictures[kPlane] = DecodedImage{kMaxPictureSide + 1, 1, {}, false};
  EXPECT_FALSE(LoadScaledPicture(decoder, kPlane, PictureKind::Opaque, FrameScale(1)));
}

// The user's background covers the frame whatever its shape: the middle of
// a wide picture fills the canvas, its sides (red here) cut off; the parts
// that fill the canvas (green) are all that shows.
TEST(LoadCoveringPicture, FillsTheCanvasFromTheMiddleOfTheFullPicture) {
  const std::string path = "/home/ann/harbour.jpg";
  DecodedImage wide = testing::FilledPicture(1600, 900, 0xFF00C000u);
  for (int y = 0; y < 900; ++y) {
    for (int x = 0; x < 1600; ++x) {
      if (x < 190 || x >= 1410) wide.pixels[size_t(y) * 1600 + x] = 0xFFFF0000u;
    }
  }
  for (double scale : {1.0, 1.8, 2.4}) {
    testing::FakeImageDecoder decoder;
    decoder.pictures[path] = wide;
    const auto picture = LoadCoveringPicture(decoder, path, FrameScale(scale));
    ASSERT_TRUE(picture);
    const FrameScale s(scale);
    EXPECT_EQ(std::pair(picture->image.width, picture->image.height),
              std::pair(s.canvasWidth(), s.canvasHeight()));
    EXPECT_EQ(std::pair(picture->logicalWidth, picture->logicalHeight), std::pair(800, 600));
    const auto green =
        std::count(picture->image.pixels.begin(), picture->image.pixels.end(), 0xFF00C000u);
    EXPECT_EQ(green, long(picture->image.pixels.size())) << scale;
  }
  // Its companion counts: at 2.4 the 1200-pixel-wide middle is needed at
  // 1920 pixels, so the @2x (the largest there is) is taken.
  testing::FakeImageDecoder decoder;
  decoder.pictures[path] = wide;
  decoder.pictures["/home/ann/harbour@2x.png"] = testing::FilledPicture(3200, 1800, 0xFF0000C0u);
  const auto sharp = LoadCoveringPicture(decoder, path, FrameScale(2.4));
  ASSERT_TRUE(sharp);
  EXPECT_EQ(sharp->sourceFactor, 2);
  EXPECT_EQ(sharp->image.pixels.front(), 0xFF0000C0u);
}

TEST(LoadCoveringPicture, AnExact800By600PictureIsAsAnyOtherPicture) {
  const std::string path = "C:\\Hallowmere\\Skyvault1\\Bridge.bmp";
  testing::FakeImageDecoder decoder;
  decoder.pictures[path] = testing::RandomPicture(800, 600, testing::Alphas::Opaque, 9);
  for (double scale : {1.0, 1.8}) {
    const auto covering = LoadCoveringPicture(decoder, path, FrameScale(scale));
    const auto sprite = LoadScaledPicture(decoder, path, PictureKind::Opaque, FrameScale(scale));
    ASSERT_TRUE(covering && sprite);
    EXPECT_EQ(covering->image.pixels, sprite->image.pixels);
  }
  EXPECT_EQ(LoadCoveringPicture(decoder, path, FrameScale(1))->image.pixels,
            decoder.pictures[path].pixels);
}

}  // namespace
}  // namespace skyvault
