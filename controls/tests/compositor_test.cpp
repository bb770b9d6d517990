#include "controls/compositor.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "controls/stand_in_text_renderer.h"
#include "controls/tests/fake_image_decoder.h"

namespace skyvault {
namespace {

using testing::FakeImageDecoder;
using testing::OpaqueImage;
using testing::Premultiplied;

class CompositorTest : public ::testing::Test {
 protected:
  void Open(int depth = 16) { ASSERT_TRUE(compositor.InitDisplay(800, 600, depth, "")); }
  uint16_t At(int x, int y) const {
    return reinterpret_cast<const uint16_t*>(compositor.canvas().Row(y))[x];
  }
  uint32_t At32(int x, int y) const {
    return reinterpret_cast<const uint32_t*>(compositor.canvas().Row(y))[x];
  }
  int32_t Sprite(const std::string& path, int32_t code, int x, int y) {
    const int32_t number = compositor.CreateSprite();
    compositor.LoadSpriteBitmap(number, 1, path, code);
    compositor.SetSpriteX(number, x);
    compositor.SetSpriteY(number, y);
    return number;
  }
  // Every canvas pixel equals `fill` except those listed.
  void ExpectCanvas(uint16_t fill, const std::map<std::pair<int, int>, uint16_t>& except) {
    int wrong = 0;
    for (int y = 0; y < 600; ++y) {
      for (int x = 0; x < 800; ++x) {
        auto it = except.find({x, y});
        const uint16_t want = it == except.end() ? fill : it->second;
        if (At(x, y) != want && ++wrong <= 5) {
          ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << At(x, y)
                        << ", expected " << want;
        }
      }
    }
    EXPECT_EQ(wrong, 0);
  }

  FakeImageDecoder decoder;
  StandInTextRenderer text;
  MemoryCanvasHost host;
  Compositor compositor{decoder, text, host};
};

TEST_F(CompositorTest, ClearFrameRoundsTheSaversColoursToRgb565) {
  Open();
  const std::pair<int32_t, uint16_t> cases[] = {
      {Rgb(0, 0, 0), 0x0000},       {Rgb(0, 226, 251), 0x071F}, {Rgb(0, 255, 255), 0x07FF},
      {Rgb(255, 255, 0), 0xFFE0},   {Rgb(255, 255, 255), 0xFFFF}, {Rgb(128, 128, 128), 0x8410},
      // Nearest level, not truncation: 5/255 is nearer 1/31 than 0.
      {Rgb(4, 0, 0), 0x0000},       {Rgb(5, 0, 0), 0x0800},       {Rgb(0, 2, 0), 0x0000},
      {Rgb(0, 3, 0), 0x0020},       {Rgb(0, 0, 251), 0x001F},     {Rgb(0, 0, 250), 0x001E},
  };
  for (auto [colour, expected] : cases) {
    compositor.ClearFrame(colour);
    compositor.ShowFrame();
    EXPECT_EQ(At(0, 0), expected) << "colour " << colour;
    EXPECT_EQ(At(799, 599), expected) << "colour " << colour;
    EXPECT_EQ(At(400, 300), expected) << "colour " << colour;
  }
}

TEST_F(CompositorTest, ThirtyTwoBitCanvasKeepsColoursExactly) {
  Open(32);
  EXPECT_EQ(compositor.canvas().depth, 32);
  compositor.ClearFrame(Rgb(1, 2, 3));
  compositor.ShowFrame();
  EXPECT_EQ(At32(0, 0), 0x010203u);
  EXPECT_EQ(At32(799, 599), 0x010203u);
}

TEST_F(CompositorTest, InitDisplayFailsOnlyWithoutSixteenBitColour) {
  host.supportedDepth = 8;
  EXPECT_FALSE(compositor.InitDisplay(800, 600, 16, ""));
  host.supportedDepth = 16;
  EXPECT_TRUE(compositor.InitDisplay(800, 600, 16, ""));
  EXPECT_EQ(compositor.canvas().depth, 16);
  EXPECT_EQ(compositor.canvas().width, 800);
  EXPECT_EQ(compositor.canvas().height, 600);
  // A display without 32-bit colour gets a 16-bit canvas even when asked for more.
  EXPECT_TRUE(compositor.InitDisplay(800, 600, 32, ""));
  EXPECT_EQ(compositor.canvas().depth, 16);
  EXPECT_FALSE(compositor.InitDisplay(0, 600, 16, ""));
}

TEST_F(CompositorTest, NothingIsDrawnOrShownBeforeTheDisplayOpens) {
  decoder.pictures["a"] = OpaqueImage(1, 1, {0xFFFFFF});
  const int32_t s = Sprite("a", -2, 0, 0);
  compositor.ClearFrame(0);
  compositor.DrawSprite(s);
  compositor.DrawText("x", 0, 0, 0);
  compositor.ShowFrame();
  EXPECT_EQ(host.presentCount, 0);
}

TEST_F(CompositorTest, SpritesHaveDistinctNumbersAndKeepTheirPositions) {
  const int32_t a = compositor.CreateSprite();
  const int32_t b = compositor.CreateSprite();
  EXPECT_NE(a, b);
  compositor.SetSpriteX(a, -320);
  compositor.SetSpriteX(b, 805);
  EXPECT_EQ(compositor.GetSpriteX(a), -320);
  EXPECT_EQ(compositor.GetSpriteX(b), 805);
  compositor.MoveSpriteX(a, 2);
  compositor.MoveSpriteX(a, 2);
  compositor.MoveSpriteX(b, -1);
  EXPECT_EQ(compositor.GetSpriteX(a), -316);
  EXPECT_EQ(compositor.GetSpriteX(b), 804);
  compositor.SetSpriteY(a, 75);
  compositor.MoveSpriteY(a, 1);
  EXPECT_EQ(compositor.SpriteY(a), 76);
  EXPECT_EQ(compositor.GetSpriteX(a), -316);  // y moves leave x alone
  EXPECT_EQ(compositor.GetSpriteX(999), 0);
  EXPECT_EQ(compositor.GetSpriteX(0), 0);
  compositor.SetSpriteX(999, 5);  // no sprite: ignored
  compositor.SetSpriteX(a, INT32_MAX);
  compositor.MoveSpriteX(a, 1);  // wraps rather than failing
  EXPECT_EQ(compositor.GetSpriteX(a), INT32_MIN);
}

TEST_F(CompositorTest, OpaquePictureCoversItsRectangleExactly) {
  Open();
  decoder.pictures["bg"] = OpaqueImage(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0x000000});
  compositor.ClearFrame(Rgb(255, 255, 255));
  compositor.DrawSprite(Sprite("bg", -2, 10, 20));
  compositor.ShowFrame();
  ExpectCanvas(0xFFFF, {{{10, 20}, 0xF800}, {{11, 20}, 0x07E0}, {{10, 21}, 0x001F},
                        {{11, 21}, 0x0000}});
}

TEST_F(CompositorTest, AircraftWithoutAlphaLeaveTheirTopLeftColourTransparent) {
  Open();
  // Magenta surroundings, as a paint program leaves them.
  decoder.pictures["plane"] =
      OpaqueImage(3, 2, {0xFF00FF, 0xFFFF00, 0xFF00FF, 0x00FF00, 0xFF00FF, 0xFF00FE});
  compositor.ClearFrame(Rgb(0, 0, 255));
  compositor.DrawSprite(Sprite("plane", -1, 100, 50));
  compositor.ShowFrame();
  // The key is compared at full colour: 0xFF00FE is not the key, even
  // though it shows as the same 565 colour.
  ExpectCanvas(0x001F, {{{101, 50}, 0xFFE0}, {{100, 51}, 0x07E0}, {{102, 51}, 0xF81F}});
}

TEST_F(CompositorTest, TheSamePictureLoadedOpaqueKeepsItsKeyColour) {
  Open();
  decoder.pictures["plane"] = OpaqueImage(2, 1, {0xFF00FF, 0xFFFF00});
  compositor.ClearFrame(0);
  compositor.DrawSprite(Sprite("plane", -2, 0, 0));
  compositor.ShowFrame();
  ExpectCanvas(0, {{{0, 0}, 0xF81F}, {{1, 0}, 0xFFE0}});
}

TEST_F(CompositorTest, AircraftWithAlphaBlendOverWhatLiesBelow) {
  Open();
  DecodedImage image{5, 1, {}, true};
  image.pixels = {
      Premultiplied(255, 255, 255, 0),    // fully transparent
      Premultiplied(255, 255, 255, 255),  // opaque white
      Premultiplied(255, 255, 255, 128),  // half white
      Premultiplied(255, 0, 0, 128),      // half red
      Premultiplied(255, 255, 255, 64),   // quarter white
  };
  decoder.pictures["edge"] = image;
  compositor.ClearFrame(0);
  const int32_t s = Sprite("edge", -1, 0, 0);
  compositor.DrawSprite(s);
  compositor.ShowFrame();
  // Over black: 128/255 white is level 16 of 31 and 32 of 63; 64/255 is 8 and 16.
  EXPECT_EQ(At(0, 0), 0x0000);
  EXPECT_EQ(At(1, 0), 0xFFFF);
  EXPECT_EQ(At(2, 0), 0x8410);
  EXPECT_EQ(At(3, 0), 0x8000);
  EXPECT_EQ(At(4, 0), 0x4208);
  // Over blue: the red half keeps 127/255 of the blue below, level 15 of 31.
  compositor.ClearFrame(Rgb(0, 0, 255));
  compositor.DrawSprite(s);
  compositor.ShowFrame();
  EXPECT_EQ(At(0, 0), 0x001F);
  EXPECT_EQ(At(3, 0), 0x800F);
  // Over white, half white stays white.
  compositor.ClearFrame(Rgb(255, 255, 255));
  compositor.DrawSprite(s);
  compositor.ShowFrame();
  EXPECT_EQ(At(2, 0), 0xFFFF);
}

TEST_F(CompositorTest, AlphaBlendingOnAThirtyTwoBitCanvas) {
  Open(32);
  DecodedImage image{1, 1, {Premultiplied(255, 0, 0, 128)}, true};
  decoder.pictures["p"] = image;
  compositor.ClearFrame(Rgb(0, 0, 255));
  compositor.DrawSprite(Sprite("p", -1, 0, 0));
  compositor.ShowFrame();
  // red 128, blue 255 * 127 / 255 = 127
  EXPECT_EQ(At32(0, 0), 0x80007Fu);
}

// A 4 x 4 picture whose every pixel differs, drawn at many places; the
// canvas is checked whole against a plain per-pixel placement.
class ClippingTest : public CompositorTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(ClippingTest, ShowsExactlyThePartOnTheCanvas) {
  Open();
  DecodedImage image{4, 4, {}, false};
  std::map<std::pair<int, int>, uint16_t> expected;
  const auto [sx, sy] = GetParam();
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      // Red and blue count the column and row in exact 565 levels 4, 8, 12
      // and 16, whose 8-bit values are 33, 66, 99 and 132.
      const int eight[] = {33, 66, 99, 132}, level[] = {4, 8, 12, 16};
      image.pixels.push_back(0xFF000000u | (eight[x] << 16) | eight[y]);
      const uint16_t shown = static_cast<uint16_t>((level[x] << 11) | level[y]);
      if (sx + x >= 0 && sx + x < 800 && sy + y >= 0 && sy + y < 600) {
        expected[{sx + x, sy + y}] = shown;
      }
    }
  }
  decoder.pictures["p"] = image;
  compositor.ClearFrame(0);
  compositor.DrawSprite(Sprite("p", -2, sx, sy));
  compositor.ShowFrame();
  ExpectCanvas(0, expected);
}

INSTANTIATE_TEST_SUITE_P(
    EveryEdge, ClippingTest,
    ::testing::Values(std::pair{0, 0}, std::pair{-2, 5}, std::pair{-3, 5}, std::pair{798, 5},
                      std::pair{797, 599}, std::pair{5, -3}, std::pair{5, 598},
                      std::pair{-1, -1}, std::pair{799, 599}, std::pair{-4, 0},
                      std::pair{800, 0}, std::pair{0, 600}, std::pair{0, -4},
                      std::pair{-100000, 3}, std::pair{INT32_MAX, INT32_MAX},
                      std::pair{INT32_MIN, INT32_MIN}, std::pair{796, 596}));

TEST_F(CompositorTest, LaterDrawsCoverEarlierOnes) {
  Open();
  decoder.pictures["red"] = OpaqueImage(2, 1, {0xFF0000, 0xFF0000});
  decoder.pictures["green"] = OpaqueImage(2, 1, {0x00FF00, 0x00FF00});
  const int32_t red = Sprite("red", -2, 0, 0);
  const int32_t green = Sprite("green", -2, 1, 0);
  compositor.ClearFrame(0);
  compositor.DrawSprite(red);
  compositor.DrawSprite(green);
  compositor.ShowFrame();
  EXPECT_EQ(At(0, 0), 0xF800);
  EXPECT_EQ(At(1, 0), 0x07E0);
  EXPECT_EQ(At(2, 0), 0x07E0);
  compositor.DrawSprite(red);
  compositor.ShowFrame();
  EXPECT_EQ(At(1, 0), 0xF800);
  EXPECT_EQ(At(2, 0), 0x07E0);
}

TEST_F(CompositorTest, SpritesWithoutAUsablePictureDrawNothing) {
  Open();
  decoder.pictures["huge"] = DecodedImage{8193, 1, std::vector<uint32_t>(8193, 0xFFFFFFFF), false};
  decoder.pictures["tall"] = DecodedImage{1, 8193, std::vector<uint32_t>(8193, 0xFFFFFFFF), false};
  decoder.pictures["short"] = DecodedImage{4, 4, std::vector<uint32_t>(3, 0xFFFFFFFF), false};
  decoder.pictures["empty"] = DecodedImage{0, 0, {}, false};
  const int32_t never = compositor.CreateSprite();
  const int32_t missing = Sprite("no such file", -1, 0, 0);
  const int32_t huge = Sprite("huge", -2, 0, 0);
  const int32_t tall = Sprite("tall", -2, 0, 0);
  const int32_t shortData = Sprite("short", -2, 0, 0);
  const int32_t empty = Sprite("empty", -1, 0, 0);
  compositor.ClearFrame(0);
  for (int32_t s : {never, missing, huge, tall, shortData, empty, 0, 99}) {
    compositor.DrawSprite(s);
    if (s >= 1 && s <= 6) {
      EXPECT_FALSE(compositor.SpriteHasPicture(s)) << s;
    }
  }
  compositor.ShowFrame();
  ExpectCanvas(0, {});
}

TEST_F(CompositorTest, PicturesUpToTheLimitAreAccepted) {
  Open();
  decoder.pictures["wide"] = DecodedImage{8192, 1, std::vector<uint32_t>(8192, 0xFFFFFFFF), false};
  const int32_t s = Sprite("wide", -2, -4000, 0);
  EXPECT_TRUE(compositor.SpriteHasPicture(s));
  compositor.ClearFrame(0);
  compositor.DrawSprite(s);
  compositor.ShowFrame();
  EXPECT_EQ(At(0, 0), 0xFFFF);
  EXPECT_EQ(At(799, 0), 0xFFFF);
  EXPECT_EQ(At(0, 1), 0x0000);
}

TEST_F(CompositorTest, ReloadingASpriteReplacesItsPictureAndAFailedLoadEmptiesIt) {
  Open();
  decoder.pictures["a"] = OpaqueImage(1, 1, {0xFF0000});
  const int32_t s = Sprite("a", -2, 0, 0);
  compositor.LoadSpriteBitmap(s, 1, "gone", -2);
  compositor.ClearFrame(0);
  compositor.DrawSprite(s);
  compositor.ShowFrame();
  EXPECT_EQ(At(0, 0), 0x0000);
}

TEST_F(CompositorTest, PicturesLoadedBeforeTheDisplayOpensFollowItsDepth) {
  decoder.pictures["a"] = OpaqueImage(1, 1, {0x102030});
  const int32_t s = Sprite("a", -2, 0, 0);
  Open(32);
  compositor.ClearFrame(0);
  compositor.DrawSprite(s);
  compositor.ShowFrame();
  EXPECT_EQ(At32(0, 0), 0x102030u);
}

TEST_F(CompositorTest, TextLandsInTheColourTheCanvasShows) {
  Open();
  compositor.ClearFrame(0);
  compositor.SetTextFont("Arial", 16, 1, false, false, false);
  compositor.DrawText("II", 10, 10, Rgb(0, 226, 251));
  compositor.ShowFrame();
  int lit = 0;
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      if (At(x, y) == 0) continue;
      ++lit;
      EXPECT_EQ(At(x, y), 0x071F);
      EXPECT_TRUE(x >= 10 && x < 26 && y >= 10 && y < 26) << x << ", " << y;
    }
  }
  EXPECT_GT(lit, 0);
}

// Frame after frame of a small saver scene, each changing one thing: the
// host hears of exactly the tiles whose drawing changed, and the canvas
// equals the same frame composed on a fresh canvas.
TEST_F(CompositorTest, ShowFrameRedrawsOnlyTheTilesWhoseDrawingChanged) {
  Open();
  DecodedImage sky{800, 600, {}, false};
  for (uint32_t i = 0; i < 800 * 600; ++i) sky.pixels.push_back(0xFF000000u | (i * 2654435761u >> 8));
  decoder.pictures["sky"] = sky;
  DecodedImage plane{40, 10, std::vector<uint32_t>(400, Premultiplied(255, 0, 0, 128)), true};
  decoder.pictures["plane"] = plane;
  struct Scene {
    bool sky = true;
    int planeX = 30;  // y 70..79: tile row 2
    std::string clock = "12:34:56";  // 64 x 16 at (0, 0): tiles (0, 0) and (1, 0)
    bool reload = false;
  };
  auto draw = [&](Compositor& c, const Scene& scene) {
    if (scene.reload) c.LoadSpriteBitmap(2, 1, "plane", -1);
    c.SetSpriteX(2, scene.planeX);
    c.SetSpriteY(2, 70);
    if (scene.sky) c.DrawSprite(1);
    c.DrawSprite(2);
    c.DrawText(scene.clock, 0, 0, Rgb(255, 255, 0));
    c.ShowFrame();
  };
  compositor.LoadSpriteBitmap(compositor.CreateSprite(), 1, "sky", -2);
  compositor.LoadSpriteBitmap(compositor.CreateSprite(), 1, "plane", -1);
  const struct {
    const char* what;
    Scene scene;
    int redrawn;
  } frames[] = {
      {"first frame", {}, 25 * 19},
      {"the same again", {}, 0},
      {"aircraft a pixel on, same tiles", {true, 31}, 3},
      {"aircraft to columns 3..4", {true, 100}, 3 + 2},
      {"the clock ticks", {true, 100, "12:34:57"}, 2},
      {"aircraft picture reloaded", {true, 100, "12:34:57", true}, 2},
      {"no background: blended on top", {false, 100, "12:34:57"}, 2 + 2},
      {"again: drawn again on top", {false, 100, "12:34:57"}, 2 + 2},
      {"background back", {true, 100, "12:34:57"}, 2 + 2},
  };
  for (const auto& frame : frames) {
    draw(compositor, frame.scene);
    EXPECT_EQ(host.lastWritten.Count(), frame.redrawn) << frame.what;
    if (!frame.scene.sky) continue;
    MemoryCanvasHost freshHost;
    StandInTextRenderer freshText;
    Compositor fresh{decoder, freshText, freshHost};
    ASSERT_TRUE(fresh.InitDisplay(800, 600, 16, ""));
    fresh.LoadSpriteBitmap(fresh.CreateSprite(), 1, "sky", -2);
    fresh.LoadSpriteBitmap(fresh.CreateSprite(), 1, "plane", -1);
    draw(fresh, frame.scene);
    EXPECT_EQ(std::memcmp(fresh.canvas().bits, compositor.canvas().bits, 800 * 600 * 2), 0)
        << frame.what;
  }
  compositor.ShowFrame();
  EXPECT_EQ(host.lastWritten.Count(), 0) << "no drawing";
  ASSERT_TRUE(compositor.InitDisplay(800, 600, 16, ""));
  compositor.ShowFrame();
  EXPECT_EQ(host.lastWritten.Count(), 25 * 19) << "a new canvas is shown whole";
}

}  // namespace
}  // namespace skyvault
