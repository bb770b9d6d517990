#include "controls/compositor.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "controls/tests/compositor_fixture.h"
#include "controls/tests/sample_pictures.h"

namespace skyvault {
namespace {

using testing::OpaqueImage;

TEST_F(CompositorTest, ClearFrameFillsTheCanvasWithTheExactColour) {
  Open();
  for (auto [colour, expected] :
       {std::pair{Rgb(0, 226, 251), 0x00E2FBu}, {Rgb(1, 2, 3), 0x010203u}}) {
    Frame(colour, {});
    EXPECT_EQ(std::pair(At(0, 0), At(799, 599)), std::pair(expected, expected)) << colour;
  }
}

TEST_F(CompositorTest, TheDisplayOpensOnlyWithSixteenBitColourAndNothingShowsBefore) {
  decoder.pictures["a"] = OpaqueImage(1, 1, {0x102030});
  const int32_t s = Sprite("a", -2, 0, 0);
  compositor.DrawText("x", 0, 0, 0);
  Frame(0, {s});
  EXPECT_EQ(host.presentCount, 0);
  host.supportedDepth = 8;
  EXPECT_FALSE(compositor.InitDisplay(800, 600, 16, ""));
  host.supportedDepth = 16;
  EXPECT_FALSE(compositor.InitDisplay(0, 600, 16, ""));
  Open(16);  // a 32-bit canvas, whatever depth is asked for
  EXPECT_EQ(compositor.canvas().depth, 32);
  Frame(0, {s});
  EXPECT_EQ(std::pair(At(0, 0), At(1, 0)), std::pair(0x102030u, 0u));
}

// Too large a screen gets the largest canvas; no memory shows nothing until an opening succeeds.
TEST_F(CompositorTest, ALargeScreenGetsTheLargestCanvasAndNoMemoryIsNoDisplay) {
  decoder.pictures["a"] = OpaqueImage(2, 1, {0x102030, 0x102030});
  const int32_t s = Sprite("a", -2, 0, 0);
  host.scale = 11.25;  // 9000 x 6750
  Open();
  EXPECT_EQ(std::pair(width(), height()), std::pair(8192, 6144));
  EXPECT_EQ(compositor.lastOpening(), Compositor::DisplayOpening::Opened);
  Frame(0, {s});
  EXPECT_EQ(std::tuple(At(19, 9), At(20, 0), At(0, 10)), std::tuple(0x102030u, 0u, 0u));
  host.noMemory = true;
  EXPECT_FALSE(compositor.InitDisplay(800, 600, 16, ""));
  EXPECT_EQ(compositor.lastOpening(), Compositor::DisplayOpening::NoMemory);
  const int presented = host.presentCount;
  Frame(0, {s});
  EXPECT_EQ(host.presentCount, presented);
  host.noMemory = false;
  host.scale = 1;
  Open();
  Frame(0, {s});
  EXPECT_EQ(std::pair(At(1, 0), At(2, 0)), std::pair(0x102030u, 0u));
}

TEST_F(CompositorTest, GetSpriteXFollowsSetsAndMoves) {
  const int32_t a = compositor.CreateSprite();
  compositor.SetSpriteX(a, -320);
  compositor.SetSpriteY(a, 75);
  compositor.MoveSpriteX(a, 4);
  compositor.MoveSpriteY(a, 1);
  EXPECT_EQ(std::pair(compositor.GetSpriteX(a), compositor.SpriteY(a)), std::pair(-316, 76));
  compositor.SetSpriteX(a, INT32_MAX);  // wraps, not fails
  compositor.MoveSpriteX(a, 1);
  EXPECT_EQ(compositor.GetSpriteX(a), INT32_MIN);
}

// A 4 x 4 picture whose every pixel differs, drawn across every edge.
class ClippingTest : public CompositorTest,
                     public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(ClippingTest, ShowsExactlyThePartOnTheCanvas) {
  Open();
  DecodedImage image{4, 4, {}, false};
  Pixels expected;
  const auto [sx, sy] = GetParam();
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      const uint32_t pixel = 0x000100u * (x + 1) << 8 | 0x000001u * (16 * y + 1);
      image.pixels.push_back(0xFF000000u | pixel);
      // In 64 bits: the positions reach the ends of int.
      const int64_t cx = int64_t{sx} + x, cy = int64_t{sy} + y;
      if (cx >= 0 && cx < 800 && cy >= 0 && cy < 600) {
        expected[{int(cx), int(cy)}] = image.pixels.back() & 0xFFFFFF;
      }
    }
  }
  decoder.pictures["p"] = image;
  Frame(0, {Sprite("p", -2, sx, sy)});
  ExpectCanvas(0, expected);
}

INSTANTIATE_TEST_SUITE_P(EveryEdge, ClippingTest,
                         ::testing::Values(std::pair(-3, 5), std::pair(798, 5), std::pair(797, 599),
                                           std::pair(5, -3), std::pair(5, 598), std::pair(-4, 0),
                                           std::pair(800, 0), std::pair(0, 600), std::pair(0, -4),
                                           std::pair(INT32_MAX, INT32_MAX),
                                           std::pair(INT32_MIN, INT32_MIN)));

TEST_F(CompositorTest, SpritesWithoutAUsablePictureDrawNothingAndTheLimitIs8192) {
  Open();
  auto white = [](int w, int h, size_t n) {
    return DecodedImage{w, h, std::vector<uint32_t>(n, 0xFFFFFFFF), false};
  };
  decoder.pictures = {{"wide", white(8193, 1, 8193)},
                      {"tall", white(1, 8193, 8193)},
                      {"short", white(4, 4, 3)},
                      {"empty", white(0, 0, 0)},
                      {"limit", white(8192, 1, 8192)}};
  const int32_t reloaded = Sprite("limit", -2, 0, 0);
  compositor.LoadSpriteBitmap(reloaded, 1, "gone", -2);  // a failed load empties it
  const int32_t sprites[] = {compositor.CreateSprite(),
                             Sprite("missing", -1, 0, 0),
                             Sprite("wide", -2, 0, 0),
                             Sprite("tall", -2, 0, 0),
                             Sprite("short", -2, 0, 0),
                             Sprite("empty", -1, 0, 0),
                             reloaded};
  compositor.ClearFrame(0);
  for (int32_t s : sprites) {
    EXPECT_FALSE(compositor.SpriteHasPicture(s)) << s;
    compositor.DrawSprite(s);
  }
  compositor.DrawSprite(99);
  compositor.ShowFrame();
  ExpectCanvas(0, {});
  Frame(0, {Sprite("limit", -2, -4000, 0)});
  EXPECT_EQ(std::tuple(At(0, 0), At(799, 0), At(0, 1)), std::tuple(0xFFFFFFu, 0xFFFFFFu, 0u));
}

// At twice the frame's size every picture, position and text is exactly twice the frame's.
TEST_F(CompositorTest, AtScaleTwoEveryPositionAndSizeDoubles) {
  host.scale = 2;
  Open();
  ASSERT_EQ(std::pair(width(), height()), std::pair(1600, 1200));
  decoder.pictures = {{"dot", OpaqueImage(2, 1, {0xFF0000, 0xFF0000})}};
  const std::pair<int, int> places[] = {{0, 0}, {3, 7}, {798, 599}, {-1, 300}, {400, -1}};
  for (auto [x, y] : places) {
    const int32_t dot = Sprite("dot", -2, x, y);
    Frame(0, {dot});
    Pixels expected;
    for (int i = 0; i < 8; ++i) {  // 4 x 2 canvas pixels from the 2 x 1 picture
      const int cx = 2 * x + i % 4, cy = 2 * y + i / 4;
      if (cx >= 0 && cx < 1600 && cy >= 0 && cy < 1200) expected[{cx, cy}] = 0xFF0000u;
    }
    ExpectCanvas(0, expected, std::to_string(x) + "," + std::to_string(y));
    EXPECT_EQ(compositor.GetSpriteX(dot), x);  // the callers keep the frame's coordinates
  }
  compositor.SetTextFont("Arial", 16, 1, false, false, false);
  compositor.DrawText("I", 5, 100, Rgb(255, 255, 0));
  compositor.ShowFrame();
  int lit = 0, left = width(), top = height(), bottom = 0;
  for (int y = 0; y < height(); ++y)
    for (int x = 0; x < width(); ++x)
      if (At(x, y)) ++lit, left = std::min(left, x), top = std::min(top, y), bottom = y + 1;
  // Lit, at twice its place, a 16-pixel line twice as high.
  EXPECT_EQ(std::tuple(lit > 0, left >= 10, top, bottom - top), std::tuple(true, true, 200, 32));
}

// The background (role kCoverTheFrame) covers the frame, aspect kept, overflow cut off.
TEST_F(CompositorTest, TheBackgroundCoversTheFrameAndOtherPicturesKeepTheirSize) {
  // 8 x 3: wider than the frame, so its middle 4 x 3 columns cover it.
  DecodedImage wide{8, 3, {}, false};
  for (int i = 0; i < 24; ++i) wide.pixels.push_back(i % 8 < 4 ? 0xFFFF0000 : 0xFF0000FF);
  decoder.pictures = {{"wide", wide}};
  for (double scale : {1.0, 2.0}) {
    host.scale = scale;
    Open();
    const int32_t background = compositor.CreateSprite();
    compositor.LoadSpriteBitmap(background, kCoverTheFrame, "wide", -2);
    const int32_t logo = compositor.CreateSprite();
    compositor.LoadSpriteBitmap(logo, kPlainPicture, "wide", -2);
    compositor.SetSpriteY(logo, 300);
    Frame(0, {background});  // left half red, right half blue, to the corners.
    for (auto [x, y] : {std::pair{0, 0}, {width() / 4, height() - 1}})
      EXPECT_EQ(At(x, y), 0xFF0000u);
    for (auto [x, y] : {std::pair{width() - 1, 0}, {width() * 3 / 4, height() - 1}})
      EXPECT_EQ(At(x, y), 0x0000FFu);
    Frame(0, {logo});
    const int s = static_cast<int>(scale);
    EXPECT_EQ(std::tuple(At(0, 300 * s), At(8 * s - 1, 303 * s - 1), At(8 * s, 300 * s)),
              std::tuple(0xFF0000u, 0x0000FFu, 0u));
  }
}

// Above scale 1 the named file shows first, its companion once read unless the sprite was reloaded.
TEST_F(CompositorTest, TheSharpCompanionComesInOnceReadUnlessTheSpriteWasLoadedAgain) {
  host.scale = 2;
  Open();
  decoder.pictures = {{"dir/p.bmp", OpaqueImage(2, 1, {0x0000FF, 0x0000FF})},
                      {"dir/p@2x.png", testing::FilledPicture(4, 2, 0xFF00FF00u)},
                      {"dir/q.bmp", OpaqueImage(1, 1, {0xFF0000})}};
  const int32_t sprite = Sprite("dir/p.bmp", -2, 0, 0);
  Frame(0, {sprite});
  EXPECT_EQ(At(3, 1), 0x0000FFu) << "the named file first";
  compositor.WaitForSharpPictures();
  Frame(0, {sprite});
  EXPECT_EQ(At(3, 1), 0x00FF00u) << "then its companion";

  const int32_t other = Sprite("dir/p.bmp", -2, 0, 0);
  compositor.DrawSprite(other);  // its named file is read; its companion is on its way
  compositor.LoadSpriteBitmap(other, kPlainPicture, "dir/q.bmp", -2);
  compositor.WaitForSharpPictures();
  Frame(0, {other});
  EXPECT_EQ(At(1, 1), 0xFF0000u) << "an outdated companion came in";
}

}  // namespace
}  // namespace skyvault
