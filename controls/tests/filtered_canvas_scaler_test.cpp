#include "controls/filtered_canvas_scaler.h"

#include <gtest/gtest.h>

#include <random>

#include "controls/canvas_scaler.h"

namespace skyvault {
namespace {

// A 32-bit canvas of random pixels (the top byte left at random too: it
// must not matter).
struct Canvas {
  Canvas(int w, int h, uint32_t seed) : pixels(size_t(w) * h), view{nullptr, w, h, w * 4, 32} {
    std::mt19937 random(seed);
    for (uint32_t& p : pixels) p = random();
    view.bits = reinterpret_cast<uint8_t*>(pixels.data());
  }
  uint32_t& At(int x, int y) { return pixels[size_t(y) * view.width + x]; }
  std::vector<uint32_t> pixels;
  CanvasView view;
};

struct Output {
  Output(int w, int h) : width(w), pixels(size_t(w) * h, 0xDEADBEEF) {}
  uint8_t* bits() { return reinterpret_cast<uint8_t*>(pixels.data()); }
  int width;
  std::vector<uint32_t> pixels;
};

const struct Case {
  int canvasWidth, canvasHeight, outWidth, outHeight;
  PixelRect target;
} kCases[] = {
    {720, 540, 480, 270, Letterbox(720, 540, {0, 0, 480, 270})},  // a smaller monitor
    {640, 480, 500, 400, {10, 20, 410, 320}},                     // reduced, offset
    {153, 115, 320, 240, Letterbox(153, 115, {0, 0, 320, 240})},  // the preview pane
};

// Scaled tile by tile, as the presenter sends changed tiles, the output is
// the same as scaled whole; each tile writes only the rectangle it reports;
// nothing outside the target is touched, and no output pixel keeps a top
// byte.
TEST(FilteredCanvasScaler, TileByTileIsTheSameAsWholeAndStaysInTheTarget) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::to_string(c.canvasWidth) + " -> " + std::to_string(c.target.Width()));
    Canvas canvas(c.canvasWidth, c.canvasHeight, 1);
    FilteredCanvasScaler scaler(c.canvasWidth, c.canvasHeight, c.target);
    Output whole(c.outWidth, c.outHeight), tiles(c.outWidth, c.outHeight);
    EXPECT_EQ(scaler.Scale(canvas.view, canvas.view.Bounds(), whole.bits(), c.outWidth * 4),
              c.target);
    for (int y = 0; y < c.canvasHeight; y += 64) {
      for (int x = 0; x < c.canvasWidth; x += 64) {
        const PixelRect tile = PixelRect{x, y, x + 64, y + 64}.Intersect(canvas.view.Bounds());
        Output alone(c.outWidth, c.outHeight);
        const PixelRect written = scaler.Scale(canvas.view, tile, alone.bits(), c.outWidth * 4);
        ASSERT_EQ(written, scaler.TargetOf(tile));
        for (int ty = 0; ty < c.outHeight; ++ty) {
          for (int tx = 0; tx < c.outWidth; ++tx) {
            const size_t i = size_t(ty) * c.outWidth + tx;
            const bool inside = tx >= written.left && tx < written.right && ty >= written.top &&
                                ty < written.bottom;
            ASSERT_EQ(alone.pixels[i] != 0xDEADBEEF, inside) << tx << "," << ty;
            if (inside) tiles.pixels[i] = alone.pixels[i];
          }
        }
      }
    }
    EXPECT_EQ(tiles.pixels, whole.pixels);
    for (int y = 0; y < c.outHeight; ++y) {
      for (int x = 0; x < c.outWidth; ++x) {
        const uint32_t p = whole.pixels[size_t(y) * c.outWidth + x];
        const bool inside =
            x >= c.target.left && x < c.target.right && y >= c.target.top && y < c.target.bottom;
        ASSERT_EQ(p == 0xDEADBEEF, !inside) << x << "," << y;
        if (inside) {
          ASSERT_EQ(p >> 24, 0u) << x << "," << y;
        }
      }
    }
  }
}

// When part of the canvas changes, every output pixel that changes lies in
// what TargetOf reports for it, so redrawing only that never leaves a stale
// pixel on screen.
TEST(FilteredCanvasScaler, WhatAChangeCanReachIsInsideItsTarget) {
  std::mt19937 random(2);
  for (const Case& c : kCases) {
    FilteredCanvasScaler scaler(c.canvasWidth, c.canvasHeight, c.target);
    Canvas canvas(c.canvasWidth, c.canvasHeight, 3);
    Output before(c.outWidth, c.outHeight);
    scaler.Scale(canvas.view, canvas.view.Bounds(), before.bits(), c.outWidth * 4);
    for (int trial = 0; trial < 6; ++trial) {
      const int w = 1 + int(random() % 40), h = 1 + int(random() % 40);
      const int x = int(random() % (c.canvasWidth - w + 1)),
                y = int(random() % (c.canvasHeight - h + 1));
      const PixelRect changed{x, y, x + w, y + h};
      Canvas after = canvas;
      after.view.bits = reinterpret_cast<uint8_t*>(after.pixels.data());
      for (int cy = y; cy < y + h; ++cy)
        for (int cx = x; cx < x + w; ++cx) after.At(cx, cy) = ~after.At(cx, cy);
      Output out = before;
      scaler.Scale(after.view, after.view.Bounds(), out.bits(), c.outWidth * 4);
      const PixelRect reach = scaler.TargetOf(changed);
      int differing = 0;
      for (int oy = 0; oy < c.outHeight; ++oy) {
        for (int ox = 0; ox < c.outWidth; ++ox) {
          const size_t i = size_t(oy) * c.outWidth + ox;
          if (out.pixels[i] == before.pixels[i]) continue;
          ++differing;
          ASSERT_TRUE(ox >= reach.left && ox < reach.right && oy >= reach.top && oy < reach.bottom)
              << ox << "," << oy << " changed outside the target of a change at " << x << "," << y;
        }
      }
      EXPECT_GT(differing, 0);
    }
  }
}

// Reducing averages (stripes one pixel wide become grey, where picking
// pixels would show only black or only white); one colour stays that
// colour; enlarging runs smoothly from pixel to pixel.
TEST(FilteredCanvasScaler, FiltersInsteadOfPickingPixels) {
  Canvas stripes(300, 200, 4);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x) stripes.At(x, y) = x % 2 ? 0xFFFFFF : 0;
  Output half(200, 133);
  FilteredCanvasScaler(300, 200, {0, 0, 200, 133})
      .Scale(stripes.view, stripes.view.Bounds(), half.bits(), 800);
  for (int y = 0; y < 133; ++y) {
    for (int x = 2; x < 198; ++x) {
      ASSERT_NEAR(int(half.pixels[size_t(y) * 200 + x] & 0xFF), 128, 44) << x << "," << y;
    }
  }
  Canvas flat(153, 115, 5);
  for (uint32_t& p : flat.pixels) p = 0x00E2FB;
  Output pane(152, 112);
  FilteredCanvasScaler(153, 115, {0, 0, 152, 112})
      .Scale(flat.view, flat.view.Bounds(), pane.bits(), 608);
  EXPECT_EQ(std::count(pane.pixels.begin(), pane.pixels.end(), 0x00E2FBu), 152 * 112);
  // Enlarged 4 times, a step from 0 to 200 becomes a ramp, not a jump.
  Canvas step(4, 1, 6);
  step.pixels = {0, 0, 200, 200};
  Output wide(16, 1);
  FilteredCanvasScaler(4, 1, {0, 0, 16, 1}).Scale(step.view, step.view.Bounds(), wide.bits(), 64);
  std::vector<int> blues;
  for (uint32_t p : wide.pixels) blues.push_back(int(p & 0xFF));
  EXPECT_EQ(blues,
            (std::vector<int>{0, 0, 0, 0, 0, 0, 25, 75, 125, 175, 200, 200, 200, 200, 200, 200}));
}

TEST(FilteredCanvasScaler, RefusesA16BitOrMismatchedCanvas) {
  Canvas canvas(64, 48, 7);
  Output out(32, 24);
  FilteredCanvasScaler scaler(64, 48, {0, 0, 32, 24});
  CanvasView wrongDepth = canvas.view;
  wrongDepth.depth = 16;
  EXPECT_TRUE(scaler.Scale(wrongDepth, wrongDepth.Bounds(), out.bits(), 128).Empty());
  EXPECT_TRUE(FilteredCanvasScaler(60, 48, {0, 0, 32, 24})
                  .Scale(canvas.view, canvas.view.Bounds(), out.bits(), 128)
                  .Empty());
  EXPECT_TRUE(FilteredCanvasScaler(64, 48, {}).TargetOf({0, 0, 64, 48}).Empty());
  EXPECT_EQ(std::count(out.pixels.begin(), out.pixels.end(), 0xDEADBEEF), 32 * 24);
}

}  // namespace
}  // namespace skyvault
