#include "controls/canvas_scaler.h"

#include <gtest/gtest.h>

#include <cmath>

#include "controls/pixel_format.h"
#include "controls/tile_mask.h"

namespace skyvault {
namespace {

TEST(Letterbox, KeepsTheAspectAndCentres) {
  EXPECT_EQ(Letterbox(800, 600, {0, 0, 1920, 1080}), (PixelRect{240, 0, 1680, 1080}));
  EXPECT_EQ(Letterbox(800, 600, {0, 0, 1280, 1024}), (PixelRect{0, 32, 1280, 992}));
  EXPECT_EQ(Letterbox(800, 600, {0, 0, 800, 600}), (PixelRect{0, 0, 800, 600}));
  // A second monitor to the left of the first, portrait.
  EXPECT_EQ(Letterbox(800, 600, {-1080, 0, 0, 1920}), (PixelRect{-1080, 555, 0, 1365}));
  EXPECT_TRUE(Letterbox(800, 600, {0, 0, 0, 100}).Empty());
}

// A canvas of distinct 32-bit pixels and an output image, for checking
// every output pixel against the pixel under its centre.
struct Scene {
  Scene(int w, int h, int depth) : width(w), height(h) {
    bytes.resize(static_cast<size_t>(w) * h * 4);
    view = CanvasView{bytes.data(), w, h, w * depth / 8, depth};
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if (depth == 32) {
          reinterpret_cast<uint32_t*>(view.Row(y))[x] = static_cast<uint32_t>(y * 4096 + x);
        } else {
          reinterpret_cast<uint16_t*>(view.Row(y))[x] = static_cast<uint16_t>(y * 800 + x);
        }
      }
    }
  }
  uint32_t Expected(int dx, int dy, const PixelRect& target) const {
    // Centre of the output pixel, in canvas pixels.
    const int sx = static_cast<int>(std::floor((dx - target.left + 0.5) * width / target.Width()));
    const int sy = static_cast<int>(std::floor((dy - target.top + 0.5) * height / target.Height()));
    if (view.depth == 32) return reinterpret_cast<const uint32_t*>(view.Row(sy))[sx];
    return XrgbOf565(reinterpret_cast<const uint16_t*>(view.Row(sy))[sx]);
  }
  int width, height;
  std::vector<uint8_t> bytes;
  CanvasView view;
};

TEST(CanvasScaler, DoublingRepeatsEveryPixelTwice) {
  Scene scene(3, 2, 32);
  std::vector<uint32_t> out(6 * 4, 0xDEAD);
  CanvasScaler scaler(3, 2, {0, 0, 6, 4});
  EXPECT_EQ(scaler.Scale(scene.view, {0, 0, 3, 2}, reinterpret_cast<uint8_t*>(out.data()), 24),
            (PixelRect{0, 0, 6, 4}));
  const uint32_t expected[4][6] = {{0, 0, 1, 1, 2, 2},
                                   {0, 0, 1, 1, 2, 2},
                                   {4096, 4096, 4097, 4097, 4098, 4098},
                                   {4096, 4096, 4097, 4097, 4098, 4098}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(out[y * 6 + x], expected[y][x]) << x << "," << y;
}

TEST(CanvasScaler, FullHdScalingSamplesThePixelUnderEachCentre) {
  Scene scene(800, 600, 16);
  const int W = 1920, H = 1080;
  std::vector<uint32_t> out(static_cast<size_t>(W) * H, 0x123456);
  const PixelRect target = Letterbox(800, 600, {0, 0, W, H});
  CanvasScaler scaler(800, 600, target);
  EXPECT_EQ(scaler.Scale(scene.view, {0, 0, 800, 600}, reinterpret_cast<uint8_t*>(out.data()), W * 4),
            target);
  int wrong = 0;
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      const bool inside = x >= target.left && x < target.right;
      const uint32_t want = inside ? scene.Expected(x, y, target) : 0x123456u;
      if (out[static_cast<size_t>(y) * W + x] != want && ++wrong < 5) {
        ADD_FAILURE() << x << "," << y;
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(CanvasScaler, ScalingPartsGivesTheSamePixelsAsScalingTheWhole) {
  Scene scene(800, 600, 32);
  const int W = 1280, H = 1024;
  const PixelRect target = Letterbox(800, 600, {0, 0, W, H});
  CanvasScaler scaler(800, 600, target);
  std::vector<uint32_t> whole(static_cast<size_t>(W) * H, 0), parts(whole);
  scaler.Scale(scene.view, {0, 0, 800, 600}, reinterpret_cast<uint8_t*>(whole.data()), W * 4);
  TileMask tiles(800, 600);
  for (int row = 0; row < tiles.rows(); ++row)
    for (int column = 0; column < tiles.columns(); ++column)
      scaler.Scale(scene.view, tiles.TileRect(column, row), reinterpret_cast<uint8_t*>(parts.data()),
                   W * 4);
  EXPECT_TRUE(whole == parts);
  // One tile alone writes only its own output pixels.
  std::vector<uint32_t> one(static_cast<size_t>(W) * H, 7);
  const PixelRect tile{32, 64, 64, 96};
  const PixelRect written =
      scaler.Scale(scene.view, tile, reinterpret_cast<uint8_t*>(one.data()), W * 4);
  EXPECT_EQ(written, scaler.TargetOf(tile));
  int wrong = 0;
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      const bool in = x >= written.left && x < written.right && y >= written.top && y < written.bottom;
      const uint32_t want = in ? whole[static_cast<size_t>(y) * W + x] : 7u;
      if (one[static_cast<size_t>(y) * W + x] != want) ++wrong;
      if (in) {
        // ...and each of those shows a pixel of the tile.
        const uint32_t v = whole[static_cast<size_t>(y) * W + x];
        const int sx = v % 4096, sy = v / 4096;
        if (sx < tile.left || sx >= tile.right || sy < tile.top || sy >= tile.bottom) ++wrong;
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(CanvasScaler, ShrinkingAndOffsetTargets) {
  Scene scene(800, 600, 32);
  const PixelRect target{10, 20, 410, 320};  // half size, away from the corner
  CanvasScaler scaler(800, 600, target);
  std::vector<uint32_t> out(500 * 400, 0);
  scaler.Scale(scene.view, {0, 0, 800, 600}, reinterpret_cast<uint8_t*>(out.data()), 500 * 4);
  EXPECT_EQ(out[20 * 500 + 10], scene.Expected(10, 20, target));
  EXPECT_EQ(out[20 * 500 + 10], 4096u * 1 + 1);  // centre (0.5, 0.5) -> canvas (1, 1)
  EXPECT_EQ(out[319 * 500 + 409], 599u * 4096 + 799);
  EXPECT_EQ(out[19 * 500 + 10], 0u);
  EXPECT_EQ(out[20 * 500 + 410], 0u);
  // A canvas rectangle between two sampled columns shows nowhere.
  EXPECT_TRUE(scaler.TargetOf({0, 0, 1, 600}).Empty());
}

TEST(TileMask, MergesMarkedTilesIntoRectangles) {
  TileMask mask(800, 600);
  EXPECT_EQ(mask.columns(), 25);
  EXPECT_EQ(mask.rows(), 19);
  mask.Mark({0, 0, 64, 64});  // tiles (0..1, 0..1)
  auto rects = mask.Rectangles();
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0], (PixelRect{0, 0, 64, 64}));
  mask.Mark({100, 590, 101, 591});  // tile (3, 18), cut by the canvas bottom
  mask.Mark({0, 64, 1, 65});        // tile (0, 2): narrower than the rows above
  rects = mask.Rectangles();
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_NE(std::find(rects.begin(), rects.end(), PixelRect{0, 0, 64, 64}), rects.end());
  EXPECT_NE(std::find(rects.begin(), rects.end(), PixelRect{0, 64, 32, 96}), rects.end());
  EXPECT_NE(std::find(rects.begin(), rects.end(), PixelRect{96, 576, 128, 600}), rects.end());
  mask.Clear();
  mask.Mark({-50, -50, -1, -1});
  EXPECT_FALSE(mask.Any());
  mask.Mark({799, 599, 5000, 5000});
  EXPECT_EQ(mask.Count(), 1);
  EXPECT_TRUE(mask.At(24, 18));
}

}  // namespace
}  // namespace skyvault
