// The compositor from frame to frame: what a frame leaves for the next, which pixels it redraws.
#include <gtest/gtest.h>

#include <algorithm>

#include "controls/tests/compositor_fixture.h"
#include "controls/tests/sample_pictures.h"

namespace skyvault {
namespace {

using testing::OpaqueImage;
using testing::Premultiplied;

// Opaque, keyed and soft pictures and text over one another, some across the edges: the frame
// equals them drawn whole one after another, whatever the compositor leaves out or keeps, and
// wherever the host has it draw each frame.
TEST_F(CompositorTest, OverlappingPicturesShowAsIfEachWereDrawnWhole) {
  host.movesCanvas = true;
  uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  auto picture = [&](int kind) {
    const int w = 20 + int(next() % 120), h = 10 + int(next() % 60);
    DecodedImage image{w, h, {}, kind == 2};
    for (int i = 0; i < w * h; ++i) {
      const int x = i % w, y = i / w;
      const uint32_t colour = next() & 0xFFFFFF;
      if (kind == 2) {  // an opaque body, soft edges, a clear hole
        const bool edge = x < 3 || y < 3 || x >= w - 3 || y >= h - 3;
        const bool hole = x > w / 3 && x < w / 2 && y > h / 3 && y < h / 2;
        const int alpha = hole ? 0 : edge ? int(next() % 256) : 255;
        image.pixels.push_back(
            Premultiplied(colour >> 16, colour >> 8 & 0xFF, colour & 0xFF, alpha));
      } else {  // kind 1: the top-left colour marks a keyed frame and stripes
        const bool key = i == 0 || x == 1 || y % 7 == 0;
        image.pixels.push_back(0xFF000000u | (key ? 0x00FF00FFu : colour));
      }
    }
    return image;
  };
  struct Item {  // sprite 0: a line of text
    int32_t sprite;
    PictureKind kind;
    int x, y;
  };
  std::vector<Item> items;
  Open();
  for (int i = 0; i < 60; ++i) {
    Item item{0, PictureKind::Opaque, int(next() % 900) - 50, int(next() % 700) - 50};
    if (i % 10 != 9) {
      const int kind = int(next() % 3);  // 0 opaque, 1 keyed, 2 soft
      const std::string name = "picture" + std::to_string(i);
      decoder.pictures[name] = picture(kind);
      item.kind = kind == 0 ? PictureKind::Opaque : PictureKind::Transparent;
      item.sprite = Sprite(name, kind == 0 ? -2 : -1, item.x, item.y);
    }
    items.push_back(item);
  }
  // Frame pairs, the second moving every third item (parts redrawn over what the first left); the
  // second pair with a font engine that must draw over what is under its text.
  for (int frame = 0; frame < 4; ++frame) {
    std::vector<uint32_t> want(800 * 600, 0x204060);
    const CanvasView reference{reinterpret_cast<uint8_t*>(want.data()), 800, 600, 800 * 4, 32};
    StandInTextRenderer referenceText;
    referenceText.SetFont(TextFont{"", 16});
    text.blendsLinearly = referenceText.blendsLinearly = frame < 2;
    if (frame == 2) Open();  // the canvas drawn anew for the other engine
    compositor.ClearFrame(Rgb(0x20, 0x40, 0x60));
    for (size_t i = 0; i < items.size(); ++i) {
      Item& item = items[i];
      if (frame % 2 == 1 && i % 3 == 0) item.x += 37;
      if (item.sprite == 0) {
        const std::string line = "text " + std::to_string(i);
        compositor.DrawText(line, item.x, item.y, Rgb(255, 255, 0));
        referenceText.Draw(reference, line, item.x, item.y, Rgb(255, 255, 0), reference.Bounds());
        continue;
      }
      compositor.SetSpriteX(item.sprite, item.x);
      compositor.DrawSprite(item.sprite);
      SpritePicture(decoder.pictures["picture" + std::to_string(i)], item.kind)
          .Draw(reference, item.x, item.y);
    }
    compositor.ShowFrame();
    ExpectCanvas(want, "frame " + std::to_string(frame));
  }
}

// Frame after frame, each changing one thing (without ClearFrame a frame starts from black): the
// canvas equals the frame composed afresh, and the host hears of the changed drawings' old and new
// bounds to the pixel, and of nothing else.
TEST_F(CompositorTest, ShowFrameRedrawsThePixelsWhoseDrawingChanged) {
  DecodedImage sky{800, 600, {}, false};
  for (uint32_t i = 0; i < 800 * 600; ++i)
    sky.pixels.push_back(0xFF000000u | (i * 2654435761u >> 8));
  const DecodedImage plane{40, 10, std::vector<uint32_t>(400, Premultiplied(255, 0, 0, 128)), true};
  // Keyed by its top-left colour: what shows is a column at x = 3 and one at the right edge, x
  // = 11.
  DecodedImage keyed{12, 8, std::vector<uint32_t>(96, 0xFFFF00FFu), false};
  for (int y = 1; y < 8; ++y) keyed.pixels[y * 12 + 3] = 0xFF00FF00u;
  for (int y = 2; y < 7; ++y) keyed.pixels[y * 12 + 11] = 0xFFFFFFFFu;
  decoder.pictures = {{"sky", sky}, {"plane", plane}, {"keyed", keyed}};
  struct Scene {
    bool sky = true;
    int planeX = 30, planeY = 70;
    int keyedX = 300;
    std::string clock = "12:34:56";  // 64 x 16 at (0, 0)
    bool reload = false;
    bool keyedFirst = false;  // drawn before the aircraft, instead of after
    bool nothing = false;     // a frame with nothing drawn
  };
  auto open = [&](Compositor& c) {
    EXPECT_TRUE(c.InitDisplay(800, 600, 16, ""));
    c.LoadSpriteBitmap(c.CreateSprite(), 1, "sky", -2);
    c.LoadSpriteBitmap(c.CreateSprite(), 1, "plane", -1);
    c.LoadSpriteBitmap(c.CreateSprite(), 1, "keyed", -1);
  };
  auto draw = [&](Compositor& c, const Scene& scene) {
    if (scene.nothing) return c.ShowFrame();
    if (scene.reload) c.LoadSpriteBitmap(2, 1, "plane", -1);
    c.SetSpriteX(2, scene.planeX);
    c.SetSpriteY(2, scene.planeY);
    c.SetSpriteX(3, scene.keyedX);
    c.SetSpriteY(3, 72);
    if (scene.sky) c.DrawSprite(1);
    if (scene.keyedFirst) c.DrawSprite(3);
    c.DrawSprite(2);
    if (!scene.keyedFirst) c.DrawSprite(3);
    c.DrawText(scene.clock, 0, 0, Rgb(255, 255, 0));
    c.ShowFrame();
  };
  const struct {
    const char* what;
    Scene scene;
    int64_t redrawn;
    size_t rectangles;
  } frames[] = {
      {"first frame", {}, 800 * 600, 1},
      {"the same again", {}, 0, 0},
      {"aircraft a pixel on and down", {true, 31, 71}, 41 * 11, 1},
      {"keyed picture a pixel on", {true, 31, 71, 301}, 10 * 7, 1},
      {"the clock one character shorter", {true, 31, 71, 301, "12:34:5"}, 64 * 16, 1},
      {"aircraft picture reloaded", {true, 31, 71, 301, "12:34:5", true}, 40 * 10, 1},
      {"keyed picture under the aircraft", {true, 295, 71, 301, "12:34:5"}, 2 * 40 * 10, 2},
      {"now drawn before it", {true, 295, 71, 301, "12:34:5", false, true}, 9 * 7, 1},
      {"no background: black under the rest", {false, 295, 71, 301, "12:34:5"}, 800 * 600, 1},
      {"no background, no trails", {false, 300, 71, 301, "12:34"}, 45 * 10 + 56 * 16, 2},
      {"nothing drawn: all black", {false, 300, 71, 301, "12:34", false, false, true}, 1040, 2},
      {"background back", {true, 295, 71, 301, "12:34:5"}, 800 * 600, 1},
  };
  open(compositor);
  for (const auto& frame : frames) {
    draw(compositor, frame.scene);
    EXPECT_EQ(host.lastWritten.Area(), frame.redrawn) << frame.what;
    EXPECT_EQ(host.lastWritten.Rectangles().size(), frame.rectangles) << frame.what;
    ExpectCanvas(DrawnAfresh([&](Compositor& c) {
                   open(c);
                   draw(c, frame.scene);
                 }),
                 frame.what);
  }
  Open();
  compositor.ShowFrame();
  EXPECT_EQ(host.lastWritten.Area(), 800 * 600) << "a new canvas is shown whole";
}

// Shown redraws outline each rectangle sent that holds a change; the rest is the frame itself,
// and outlines are gone the next frame, also when nothing changed and once outlining ends.
TEST_F(CompositorTest, ShowRedrawsOutlinesTheRectanglesSentAndLeavesNoTrail) {
  DecodedImage sky{800, 600, {}, false};
  for (uint32_t i = 0; i < 800 * 600; ++i)
    sky.pixels.push_back(0xFF000000u | (i * 2654435761u >> 8 & 0x7F7F7F));
  decoder.pictures = {
      {"sky", sky},
      {"plane", DecodedImage{30, 12, std::vector<uint32_t>(360, 0xFF0000FFu), false}}};
  auto open = [&](Compositor& c) {
    ASSERT_TRUE(c.InitDisplay(800, 600, 16, ""));
    c.LoadSpriteBitmap(c.CreateSprite(), 1, "sky", -2);
    c.LoadSpriteBitmap(c.CreateSprite(), 1, "plane", -2);
  };
  auto draw = [&](Compositor& c, int planeX) {
    c.SetSpriteX(2, planeX);
    c.SetSpriteY(2, 200);
    c.DrawSprite(1);
    c.DrawSprite(2);
    c.ShowFrame();
  };
  open(compositor);
  compositor.ShowRedraws(true);
  const std::tuple<const char*, int, bool> frames[] = {{"first", 100, true},
                                                       {"moved far", 400, true},
                                                       {"still", 400, true},
                                                       {"moved", 420, true},
                                                       {"outlining ended", 440, false}};
  int lastX = -1;
  for (const auto& [what, planeX, on] : frames) {
    // What changed: the rectangles sent that hold some of it are outlined.
    std::vector<PixelRect> changed;
    if (lastX < 0) changed.push_back({0, 0, 800, 600});
    if (lastX >= 0 && lastX != planeX)
      changed = {{lastX, 200, lastX + 30, 212}, {planeX, 200, planeX + 30, 212}};
    lastX = planeX;
    compositor.ShowRedraws(on);
    draw(compositor, planeX);
    std::vector<uint32_t> want = DrawnAfresh([&](Compositor& c) {
      open(c);
      draw(c, planeX);
    });
    for (const PixelRect& r : host.lastWritten.Rectangles()) {
      if (!on || std::none_of(changed.begin(), changed.end(),
                              [&](const PixelRect& c) { return !c.Intersect(r).Empty(); }))
        continue;
      for (int x = r.left; x < r.right; ++x)
        want[r.top * 800 + x] = want[(r.bottom - 1) * 800 + x] = Compositor::kRedrawOutline;
      for (int y = r.top; y < r.bottom; ++y)
        want[y * 800 + r.left] = want[y * 800 + r.right - 1] = Compositor::kRedrawOutline;
    }
    ExpectCanvas(want, what);
    EXPECT_FALSE(host.lastWritten.Empty()) << what;
  }
}

}  // namespace
}  // namespace skyvault
