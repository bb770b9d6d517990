#include "controls/resampler.h"

#include <gtest/gtest.h>

#include <cmath>

#include "controls/tests/sample_pictures.h"

namespace skyvault {
namespace {

using testing::AlphaOf;
using testing::Alphas;
using testing::Channel;
using testing::RandomPicture;

DecodedImage Resampled(const DecodedImage& source, int width, int height) {
  auto out = Resample(source, width, height);
  EXPECT_TRUE(out.has_value()) << source.width << "x" << source.height << " -> " << width << "x"
                               << height;
  return out.value_or(DecodedImage{});
}

struct Sizes {
  int fromWidth, fromHeight, toWidth, toHeight;
};
// Enlarging and reducing by whole and broken ratios, a picture of one pixel,
// and ratios far beyond any screen's.
const Sizes kSizes[] = {
    {40, 30, 144, 108}, {40, 30, 40, 30}, {320, 240, 288, 216}, {64, 48, 32, 24},
    {97, 13, 31, 50},   {1, 1, 7, 5},     {1, 1, 1, 1},         {3, 2, 1, 1},
    {4096, 1, 1, 1},    {2, 700, 900, 1}, {5, 5, 1000, 3},
};

TEST(Resample, PicturesOfOneColourKeepItExactlyAtEverySize) {
  for (uint32_t pixel : {0xFFFFFFFFu, 0xFF00E2FBu, 0xFF102030u, 0x80402010u, 0x00000000u}) {
    for (const Sizes& s : kSizes) {
      const DecodedImage out = Resampled(testing::FilledPicture(s.fromWidth, s.fromHeight, pixel),
                                         s.toWidth, s.toHeight);
      ASSERT_EQ(out.pixels.size(), size_t(s.toWidth) * s.toHeight);
      EXPECT_EQ(std::count(out.pixels.begin(), out.pixels.end(), pixel), long(out.pixels.size()))
          << std::hex << pixel << std::dec << " " << s.fromWidth << "x" << s.fromHeight << " -> "
          << s.toWidth << "x" << s.toHeight;
      EXPECT_EQ(out.hasAlpha, (pixel >> 24) != 255);
    }
  }
}

TEST(Resample, AtItsOwnSizeAndWholePixelOffsetsAPictureComesBackUnchanged) {
  const DecodedImage picture = RandomPicture(37, 23, Alphas::Any, 1);
  EXPECT_EQ(Resampled(picture, 37, 23).pixels, picture.pixels);
  // A whole-pixel window of the same size is the same pixels, cut out.
  const auto window = Resample(picture, SourceArea{5, 3, 25, 18}, 20, 15);
  ASSERT_TRUE(window);
  for (int y = 0; y < 15; ++y) {
    for (int x = 0; x < 20; ++x) {
      ASSERT_EQ(window->pixels[size_t(y) * 20 + x], picture.pixels[size_t(y + 3) * 37 + x + 5])
          << x << "," << y;
    }
  }
}

// A ramp that rises 10 per pixel: the value at any point is 10 times its
// position. Enlarged, reduced or cut from a fractional area, every output
// pixel shows the ramp at its own centre (away from the picture's edges,
// where the edge pixel repeats), so nothing is shifted by half a pixel.
TEST(Resample, EveryOutputPixelShowsTheSourceAtItsCentre) {
  DecodedImage ramp{24, 1, {}, false};
  for (int x = 0; x < 24; ++x) {
    const uint32_t v = uint32_t(10 * x + 5);
    ramp.pixels.push_back(0xFF000000u | v << 16 | v << 8 | v);
  }
  const struct {
    SourceArea area;
    int width;
  } cases[] = {{{0, 0, 24, 1}, 72}, {{0, 0, 24, 1}, 86},      {{0, 0, 24, 1}, 12},
               {{0, 0, 24, 1}, 21}, {{5.5, 0, 15.25, 1}, 30}, {{3.3, 0, 20.1, 1}, 9}};
  for (const auto& c : cases) {
    const auto out = Resample(ramp, c.area, c.width, 1);
    ASSERT_TRUE(out);
    const double step = c.area.Width() / c.width, reach = 2 * std::max(step, 1.0);
    int checked = 0;
    for (int i = 0; i < c.width; ++i) {
      const double centre = c.area.left + (i + 0.5) * step;
      if (centre - reach < 1 || centre + reach > 23) continue;
      ++checked;
      EXPECT_NEAR(Channel(out->pixels[i], 8), 10 * centre, 1.0)
          << "output " << i << " of " << c.width << " from " << c.area.left;
    }
    EXPECT_GT(checked, 0);
  }
}

// Reducing averages: stripes one pixel wide become one flat grey, and a
// lone bright pixel is never skipped, wherever it falls.
TEST(Resample, ReducingAveragesEverySourcePixel) {
  DecodedImage stripes = testing::FilledPicture(64, 64, 0xFF000000u);
  for (int y = 0; y < 64; ++y)
    for (int x = 1; x < 64; x += 2) stripes.pixels[size_t(y) * 64 + x] = 0xFFFFFFFFu;
  const DecodedImage half = Resampled(stripes, 32, 32);
  for (int y = 0; y < 32; ++y) {
    for (int x = 2; x < 30; ++x) {  // the edge columns see the edge pixels repeated
      ASSERT_NEAR(Channel(half.pixels[size_t(y) * 32 + x], 16), 127.5, 1.0) << x << "," << y;
    }
  }
  for (int at = 0; at < 16; ++at) {
    DecodedImage dot = testing::FilledPicture(16, 16, 0xFF000000u);
    dot.pixels[size_t(at) * 16 + at] = 0xFFFFFFFFu;
    const DecodedImage quarter = Resampled(dot, 4, 4);
    int light = 0;
    for (uint32_t p : quarter.pixels) light += Channel(p, 8);
    EXPECT_GE(light, 255 / 16 - 2) << "dot at " << at;
  }
  // The mean brightness of a busy picture survives reduction.
  const DecodedImage busy = RandomPicture(300, 200, Alphas::Opaque, 2);
  const DecodedImage small = Resampled(busy, 71, 53);
  const auto mean = [](const DecodedImage& image) {
    double sum = 0;
    for (uint32_t p : image.pixels) sum += Channel(p, 0);
    return sum / image.pixels.size();
  };
  EXPECT_NEAR(mean(small), mean(busy), 0.5);
}

// The cubic overshoots at hard edges; the output stays a valid premultiplied
// picture all the same: no colour above its alpha.
TEST(Resample, OutputColoursNeverExceedTheirAlpha) {
  for (Alphas alphas : {Alphas::HardEdges, Alphas::Any}) {
    const DecodedImage picture = RandomPicture(50, 40, alphas, 3);
    for (const Sizes& s : {Sizes{0, 0, 180, 144}, Sizes{0, 0, 45, 36}, Sizes{0, 0, 23, 91}}) {
      const DecodedImage out = Resampled(picture, s.toWidth, s.toHeight);
      for (uint32_t p : out.pixels) {
        const int a = AlphaOf(p);
        ASSERT_TRUE(Channel(p, 0) <= a && Channel(p, 8) <= a && Channel(p, 16) <= a)
            << std::hex << p;
      }
      EXPECT_TRUE(out.hasAlpha);
    }
  }
}

// A soft edge resampled and then put over a ground looks as if the picture
// had been put over the ground first and resampled after: no dark (or light)
// fringe around aircraft on any background. (Resampling colour and alpha
// apart would leave a fringe of some 50 levels here; what remains is the
// cubic's overshoot of about 2 % in alpha, cut off at opaque.)
TEST(Resample, SoftEdgesShowNoFringeOverAnyGround) {
  const DecodedImage disc = testing::SoftDisc(60, 0xFFFFFF);
  const DecodedImage redDisc = testing::SoftDisc(60, 0xC02010);
  for (const DecodedImage* picture : {&disc, &redDisc}) {
    for (int size : {216, 131, 54, 27}) {
      const DecodedImage scaled = Resampled(*picture, size, size);
      for (uint32_t ground : {0x000000u, 0xFFFFFFu, 0x00E2FBu, 0x5A6470u}) {
        const DecodedImage after = testing::Composited(scaled, ground);
        const DecodedImage before = Resampled(testing::Composited(*picture, ground), size, size);
        EXPECT_LE(testing::LargestDifference(after, before), 8)
            << "size " << size << " ground " << std::hex << ground;
      }
    }
  }
}

TEST(Resample, RefusesWhatCannotBeResampled) {
  const DecodedImage picture = RandomPicture(8, 8, Alphas::Any, 4);
  EXPECT_FALSE(Resample(DecodedImage{}, 4, 4));
  EXPECT_FALSE(Resample(DecodedImage{8, 8, std::vector<uint32_t>(63), false}, 4, 4));
  EXPECT_FALSE(Resample(picture, 0, 4));
  EXPECT_FALSE(Resample(picture, 4, -1));
  EXPECT_FALSE(Resample(picture, kMaxResampledSide + 1, 4));
  EXPECT_FALSE(Resample(picture, SourceArea{3, 3, 3, 6}, 4, 4));
  EXPECT_FALSE(Resample(picture, SourceArea{0, 0, NAN, 8}, 4, 4));
}

}  // namespace
}  // namespace skyvault
