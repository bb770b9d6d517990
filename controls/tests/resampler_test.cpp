#include "controls/resampler.h"

#include <gtest/gtest.h>

#include "controls/tests/sample_pictures.h"

namespace skyvault {
namespace {

using testing::Alphas;
using testing::Channel;

DecodedImage Resampled(const DecodedImage& source, int width, int height) {
  return Resample(source, width, height).value_or(DecodedImage{});
}

// Whole and broken ratios, pictures of one pixel, ratios beyond any screen's: one colour stays.
TEST(Resample, PicturesOfOneColourKeepItExactlyAtEverySize) {
  const int sizes[][4] = {{40, 30, 144, 108}, {320, 240, 288, 216}, {97, 13, 31, 50},
                          {1, 1, 7, 5},       {3, 2, 1, 1},         {4096, 1, 1, 1},
                          {2, 700, 900, 1},   {5, 5, 1000, 3}};
  for (uint32_t pixel : {0xFFFFFFFFu, 0xFF00E2FBu, 0x80402010u, 0u}) {
    for (const auto& s : sizes) {
      const DecodedImage out = Resampled(testing::FilledPicture(s[0], s[1], pixel), s[2], s[3]);
      ASSERT_EQ(out.pixels, std::vector<uint32_t>(size_t(s[2]) * s[3], pixel))
          << std::hex << pixel << std::dec << " " << s[0] << "x" << s[1] << " -> " << s[2];
      EXPECT_EQ(out.hasAlpha, pixel >> 24 != 255);
    }
  }
}

// Enlarged, reduced or cut from a fractional area, a ramp shows at each output pixel's centre its
// value there (away from the repeated edges); at the same size a window is an exact copy.
TEST(Resample, EveryOutputPixelShowsTheSourceAtItsCentre) {
  DecodedImage ramp{24, 1, {}, false};
  for (uint32_t x = 0; x < 24; ++x) ramp.pixels.push_back(0xFF000000u | (10 * x + 5) << 8);
  for (auto [area, width] : {std::pair{SourceArea{0, 0, 24, 1}, 86},
                             {{0, 0, 24, 1}, 12},
                             {{0, 0, 24, 1}, 21},
                             {{0, 0, 24, 1}, 24},
                             {{5.5, 0, 15.25, 1}, 30},
                             {{3.3, 0, 20.1, 1}, 9}}) {
    const DecodedImage out = Resample(ramp, area, width, 1).value();
    const double step = area.Width() / width, reach = 2 * std::max(step, 1.0);
    for (int i = 0; i < width; ++i) {
      const double centre = area.left + (i + 0.5) * step;
      if (centre - reach < 1 || centre + reach > 23) continue;
      EXPECT_NEAR(Channel(out.pixels[i], 8), 10 * centre, 1.0) << i << " of " << width;
    }
  }
  const DecodedImage picture = testing::RandomPicture(37, 23, Alphas::Any, 1);
  EXPECT_EQ(Resampled(picture, 37, 23).pixels, picture.pixels);
  const DecodedImage window = Resample(picture, SourceArea{5, 3, 25, 18}, 20, 15).value();
  for (int i = 0; i < 20 * 15; ++i)
    ASSERT_EQ(window.pixels[i], picture.pixels[size_t(i / 20 + 3) * 37 + i % 20 + 5]) << i;
}

// Reducing averages: one-pixel stripes become one flat grey, not black or white.
TEST(Resample, ReducingAveragesEverySourcePixel) {
  DecodedImage stripes = testing::FilledPicture(64, 8, 0xFF000000u);
  for (size_t i = 1; i < stripes.pixels.size(); i += 2) stripes.pixels[i] = 0xFFFFFFFFu;
  for (int width : {32, 13}) {
    const DecodedImage reduced = Resampled(stripes, width, 4);
    for (int x = 2; x < width - 2; ++x)  // the edge columns see the edge pixels repeated
      EXPECT_NEAR(Channel(reduced.pixels[x], 16), 127.5, 2.0) << x << " of " << width;
  }
}

// The cubic overshoots at hard edges, yet no colour comes out above its alpha.
TEST(Resample, OutputColoursNeverExceedTheirAlpha) {
  for (Alphas alphas : {Alphas::HardEdges, Alphas::Any}) {
    const DecodedImage picture = testing::RandomPicture(50, 40, alphas, 3);
    for (int size : {180, 45, 23}) {
      for (uint32_t p : Resampled(picture, size, 190 - size).pixels)
        ASSERT_LE(std::max({Channel(p, 0), Channel(p, 8), Channel(p, 16)}), Channel(p, 24)) << p;
    }
  }
}

// A soft edge resampled then put over a ground looks as if put over it first: no fringe (colour and
// alpha resampled apart leave some 50 levels; the 2 % overshoot in alpha, cut at opaque, remains).
TEST(Resample, SoftEdgesShowNoFringeOverAnyGround) {
  for (uint32_t colour : {0xFFFFFFu, 0xC02010u}) {
    const DecodedImage disc = testing::SoftDisc(60, colour);
    for (int size : {216, 131, 27}) {
      const DecodedImage scaled = Resampled(disc, size, size);
      for (uint32_t ground : {0x000000u, 0xFFFFFFu, 0x00E2FBu}) {
        const DecodedImage after = testing::Composited(scaled, ground);
        const DecodedImage before = Resampled(testing::Composited(disc, ground), size, size);
        int largest = 0;
        for (size_t i = 0; i < after.pixels.size(); ++i)
          for (int shift : {0, 8, 16})
            largest = std::max(largest, std::abs(Channel(after.pixels[i], shift) -
                                                 Channel(before.pixels[i], shift)));
        EXPECT_LE(largest, 8) << "size " << size << " ground " << std::hex << ground;
      }
    }
  }
}

TEST(Resample, RefusesWhatCannotBeResampled) {
  const DecodedImage picture = testing::RandomPicture(8, 8, Alphas::Any, 4), torn{8, 8, {1}, false};
  EXPECT_FALSE(Resample(torn, 4, 4) || Resample(picture, 0, 4) ||
               Resample(picture, 4, kMaxResampledSide + 1) ||
               Resample(picture, SourceArea{3, 3, 3, 6}, 4, 4));
}

}  // namespace
}  // namespace skyvault
