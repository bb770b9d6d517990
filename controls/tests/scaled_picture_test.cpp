#include "controls/scaled_picture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <new>
#include <thread>

#include "controls/resampler.h"
#include "controls/testing/fake_image_decoder.h"
#include "controls/tests/sample_pictures.h"

namespace skyvault {
namespace {

const std::string kPlane = "C:\\Hallowmere\\Skyvault1\\Plane24.bmp";
const std::string kPlane4x = "C:\\Hallowmere\\Skyvault1\\Plane24@4x.png";

// The named size kept, pixels from the best source at round(size * s), untouched where they can be.
TEST(LoadScaledPicture, KeepsTheNamedSizeAndDrawsFromTheBestSourceAtThePhysicalSize) {
  testing::FakeImageDecoder decoder;
  decoder.pictures[kPlane4x] = testing::RandomPicture(400, 160, testing::Alphas::Any, 8);
  EXPECT_FALSE(LoadScaledPicture(decoder, kPlane, PictureKind::Opaque, FrameScale(3.6)));
  decoder.pictures[kPlane] = testing::RandomPicture(100, 40, testing::Alphas::Any, 7);
  for (auto [scale, width, factor] :
       {std::tuple{1.0, 100, 1}, {3.6, 360, 4}, {4.0, 400, 4}, {1.35, 135, 4}, {0.8, 80, 1}}) {
    const auto picture =
        LoadScaledPicture(decoder, kPlane, PictureKind::Transparent, FrameScale(scale));
    ASSERT_TRUE(picture) << scale;
    EXPECT_EQ(picture->sourceFactor, factor);
    EXPECT_EQ(std::tuple(picture->image.width, picture->image.height, picture->image.pixels.size()),
              std::tuple(width, width * 2 / 5, size_t(width) * width * 2 / 5));
    EXPECT_TRUE(width % 300 != 100 ||  // 100 and 400: no resampling
                picture->image.pixels == decoder.pictures[width == 100 ? kPlane : kPlane4x].pixels);
  }
}

// Keyed at its own size by the top-left colour; a companion by the named file's key, which never
// bleeds into resampled edges (the body has no red).
TEST(LoadScaledPicture, KeysAPictureWithoutAlphaAndItsCompanionByTheNamedFilesKey) {
  testing::FakeImageDecoder decoder;
  DecodedImage& named = decoder.pictures[kPlane] = testing::FilledPicture(20, 10, 0xFFFF00FFu);
  DecodedImage& big = decoder.pictures[kPlane4x] = testing::FilledPicture(80, 40, 0xFFFF00FFu);
  for (int i = 0; i < 80 * 40; ++i) {
    const int x = i % 80 - 40, y = i / 80 - 20;
    if (x * x / 9 + y * y < 150)
      big.pixels[i] = named.pixels[i / 320 * 20 + i % 80 / 4] = 0xFF0040C0u + uint32_t(i % 7);
  }
  big.pixels[0] = 0xFF003456u;
  named.pixels[5 * 20 + 10] = 0xFFFF00FEu;  // near the key, but not it
  const auto same = LoadScaledPicture(decoder, kPlane, PictureKind::Transparent, FrameScale(1));
  ASSERT_TRUE(same && same->image.hasAlpha);
  for (size_t i = 0; i < named.pixels.size(); ++i)
    ASSERT_EQ(same->image.pixels[i], named.pixels[i] == 0xFFFF00FFu ? 0u : named.pixels[i]) << i;
  for (double scale : {4.0, 3.6, 1.8}) {
    const auto picture =
        LoadScaledPicture(decoder, kPlane, PictureKind::Transparent, FrameScale(scale));
    ASSERT_TRUE(picture && picture->image.hasAlpha);
    size_t clear = 0;
    for (uint32_t p : picture->image.pixels) {
      clear += p == 0;
      ASSERT_EQ(p & 0xFF0000, 0u) << std::hex << p << " at " << scale;
    }
    EXPECT_GT(clear, picture->image.pixels.size() / 4) << scale;
    EXPECT_NE(picture->image.pixels[0], 0u);  // the companion's own corner
  }
}

// Notes the parts it is asked for, keeps them (as a platform decoder does).
struct PartNotingDecoder : testing::FakeImageDecoder {
  std::optional<DecodedImage> DecodePart(const std::string& path,
                                         const PartOfPicture& part) override {
    return ImageDecoder::DecodePart(path, [&](int width, int height) {
      asked.push_back(part(width, height));
      return asked.back();
    });
  }
  std::vector<PixelRect> asked;
};

// A wide background's middle (green) fills the canvas, its sides (red) never asked for, from the
// best companion for the middle's size; an 800 x 600 one is a sprite like any other.
TEST(LoadCoveringPicture, FillsTheCanvasFromTheMiddleOfTheFullPicture) {
  const std::string path = "/home/ann/harbour.jpg";
  PartNotingDecoder decoder;
  DecodedImage& wide = decoder.pictures[path] = testing::FilledPicture(1600, 900, 0xFF00C000u);
  for (size_t i = 0; i < wide.pixels.size(); ++i)
    if (i % 1600 < 190 || i % 1600 >= 1410) wide.pixels[i] = 0xFFFF0000u;
  for (double scale : {1.0, 1.8}) {
    const FrameScale s(scale);
    const auto picture = LoadCoveringPicture(decoder, path, s);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->image.pixels,
              testing::FilledPicture(s.canvasWidth(), s.canvasHeight(), 0xFF00C000u).pixels);
  }
  ASSERT_FALSE(decoder.asked.empty());
  EXPECT_TRUE(decoder.asked[0].left >= 190 && decoder.asked[0].right <= 1410)
      << decoder.asked[0].left << " " << decoder.asked[0].right;
  // At 2.4 the 1200-pixel middle is needed 1920 wide: the @2x is the largest there is.
  decoder.pictures["/home/ann/harbour@2x.png"] = testing::FilledPicture(3200, 1800, 0xFF0000C0u);
  EXPECT_EQ(LoadCoveringPicture(decoder, path, FrameScale(2.4))->sourceFactor, 2);

  const std::string bridge = "C:\\Hallowmere\\Skyvault1\\Bridge.bmp";
  decoder.pictures[bridge] = testing::RandomPicture(800, 600, testing::Alphas::Opaque, 9);
  EXPECT_EQ(LoadCoveringPicture(decoder, bridge, FrameScale(1.8))->image.pixels,
            LoadScaledPicture(decoder, bridge, PictureKind::Opaque, FrameScale(1.8))->image.pixels);
}

// A picture larger than the frame keeps, and asks for, only what the frame shows where it
// stands (and what the filter reads around it): exactly that part of the picture drawn whole.
TEST(LoadScaledPicture, APictureLargerThanTheFrameKeepsOnlyWhatTheFrameShows) {
  PartNotingDecoder decoder;
  const std::string logo = "/home/ann/logo.png";
  decoder.pictures[logo] = testing::RandomPicture(1000, 700, testing::Alphas::Any, 11);
  const FrameScale scale(1.5);
  const auto whole = Resample(decoder.pictures[logo], 1500, 1050);
  const auto part = LoadScaledPicture(decoder, logo, PictureKind::Opaque, scale, Companions::Use,
                                      PicturePlace{-100, -50});
  ASSERT_TRUE(whole && part);
  EXPECT_EQ(std::tuple(part->image.left, part->image.top, part->image.width, part->image.height),
            std::tuple(150, 75, 1200, 900));
  for (int y = 0; y < 900; y += 7)
    for (int x = 0; x < 1200; x += 5)
      ASSERT_EQ(part->image.pixels[y * 1200 + x], whole->pixels[(y + 75) * 1500 + x + 150]) << x;
  ASSERT_EQ(decoder.asked.size(), 1u);
  const PixelRect asked = decoder.asked[0];
  EXPECT_TRUE(asked.left >= 90 && asked.left <= 100 && asked.right >= 900 && asked.right <= 910 &&
              asked.top >= 40 && asked.top <= 50 && asked.bottom >= 650 && asked.bottom <= 660)
      << asked.left << " " << asked.top << " " << asked.right << " " << asked.bottom;

  // The logo's corner shows the top left; a picture no larger than the frame is kept whole.
  EXPECT_EQ(std::tuple(KeptSpan(8192, 1, 800), KeptSpan(8192, 20, 600), KeptSpan(8192, -9000, 800),
                       KeptSpan(800, -500, 800), KeptSpan(280, 5000, 800)),
            std::tuple(std::pair(0, 800), std::pair(0, 600), std::pair(7392, 8192),
                       std::pair(0, 800), std::pair(0, 280)));
}

// The sharp reading after the quick one: a companion or nothing, the named file's pixels unread.
TEST(LoadScaledPicture, OnlyFromACompanionLeavesTheNamedFilesPixelsAlone) {
  PartNotingDecoder decoder;
  const std::string logo = "/home/ann/logo.png", logo2x = "/home/ann/logo@2x.png";
  decoder.pictures[logo] = testing::RandomPicture(1000, 700, testing::Alphas::Opaque, 5);
  const FrameScale scale(2);
  EXPECT_FALSE(LoadScaledPicture(decoder, logo, PictureKind::Opaque, scale, Companions::Only));
  EXPECT_FALSE(LoadCoveringPicture(decoder, logo, scale, Companions::Only));
  decoder.pictures[logo2x] = testing::RandomPicture(2000, 1400, testing::Alphas::Opaque, 6);
  const auto sharp = LoadScaledPicture(decoder, logo, PictureKind::Opaque, scale, Companions::Only);
  ASSERT_TRUE(sharp);
  EXPECT_EQ(std::tuple(sharp->sourceFactor, sharp->image.width, sharp->image.height),
            std::tuple(2, 1600, 1200));
  EXPECT_EQ(LoadCoveringPicture(decoder, logo, scale, Companions::Only)->sourceFactor, 2);
  // Of the named file only its size was asked (four times), of the companion its parts.
  ASSERT_EQ(decoder.asked.size(), 6u);
  for (size_t i : {0, 1, 2, 4}) EXPECT_TRUE(decoder.asked[i].Empty()) << i;
  EXPECT_FALSE(decoder.asked[3].Empty() || decoder.asked[5].Empty());
}

// No memory for a picture refuses that picture; the caller goes on.
TEST(LoadScaledPicture, NoMemoryRefusesThePicture) {
  struct NoMemory : ImageDecoder {
    std::optional<DecodedImage> Decode(const std::string&) override { throw std::bad_alloc(); }
  } decoder;
  EXPECT_FALSE(LoadScaledPicture(decoder, "/a.png", PictureKind::Opaque, FrameScale(2)));
  EXPECT_FALSE(LoadCoveringPicture(decoder, "/a.png", FrameScale(2)));
}

// Two large pictures read on two threads are decoded one after the other; small ones together.
TEST(LoadScaledPicture, LargePicturesAreDecodedOneAtATime) {
  struct Slow : ImageDecoder {
    explicit Slow(int side) : side(side) {}
    std::optional<DecodedImage> Decode(const std::string&) override { return std::nullopt; }
    std::optional<DecodedImage> DecodePart(const std::string&, const PartOfPicture& part) override {
      if (part(side, side).Empty()) return std::nullopt;
      const int now = ++decoding;
      int seen = most.load();
      while (now > seen && !most.compare_exchange_weak(seen, now)) {
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      --decoding;
      return std::nullopt;
    }
    int side;
    std::atomic<int> decoding{0}, most{0};
  };
  for (const auto& [side, expected] : {std::pair{8192, 1}, std::pair{1000, 2}}) {
    Slow decoder(side);
    std::thread other(
        [&] { LoadScaledPicture(decoder, "/a.png", PictureKind::Opaque, FrameScale(1)); });
    LoadCoveringPicture(decoder, "/b.png", FrameScale(1));
    other.join();
    EXPECT_EQ(decoder.most.load(), expected) << side;
  }
}

}  // namespace
}  // namespace skyvault
