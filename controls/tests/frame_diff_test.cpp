#include "controls/frame_diff.h"

#include <gtest/gtest.h>

namespace skyvault {
namespace {

struct Canvas16 {
  std::vector<uint16_t> pixels = std::vector<uint16_t>(800 * 600, 0);
  CanvasView view{reinterpret_cast<uint8_t*>(pixels.data()), 800, 600, 1600, 16};
  void Fill(const PixelRect& r, uint16_t v) {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) pixels[y * 800 + x] = v;
  }
};

TEST(FrameDiff, OnlyWrittenTilesWhosePixelsChangedDiffer) {
  Canvas16 canvas;
  TileMask all(800, 600), written(800, 600);
  all.MarkAll();
  FrameDiff diff;
  EXPECT_EQ(diff.Update(canvas.view, all).Count(), 25 * 19);  // the first frame
  EXPECT_EQ(diff.Update(canvas.view, all).Count(), 0);
  canvas.Fill({100, 70, 101, 71}, 1);    // tile (3, 2)
  canvas.Fill({799, 599, 800, 600}, 1);  // the cut corner tile (24, 18)
  const TileMask& changed = diff.Update(canvas.view, all);
  EXPECT_EQ(changed.Count(), 2);
  EXPECT_TRUE(changed.At(3, 2) && changed.At(24, 18));
  EXPECT_EQ(diff.Parts(), (std::vector<PixelRect>{{100, 70, 101, 71}, {799, 599, 800, 600}}));
  canvas.Fill({100, 70, 101, 71}, 1);  // written again with the same value
  EXPECT_EQ(diff.Update(canvas.view, all).Count(), 0);
  canvas.Fill({30, 60, 70, 80}, 7);  // six tiles: one part that hugs the pixels
  EXPECT_EQ(diff.Update(canvas.view, all).Count(), 6);
  EXPECT_EQ(diff.Parts(), (std::vector<PixelRect>{{30, 60, 70, 80}}));
  canvas.Fill({0, 0, 1, 1}, 5);    // tile (0, 0), not marked written
  canvas.Fill({40, 0, 41, 1}, 5);  // tile (1, 0), marked
  written.Mark({40, 0, 41, 1});
  EXPECT_EQ(diff.Update(canvas.view, written).Count(), 1);
  diff.Forget();
  EXPECT_EQ(diff.Update(canvas.view, written).Count(), 25 * 19);
  std::vector<uint32_t> other(64 * 64, 0);
  EXPECT_EQ(
      diff.Update({reinterpret_cast<uint8_t*>(other.data()), 64, 64, 256, 32}, TileMask(64, 64))
          .Count(),
      4);
}

}  // namespace
}  // namespace skyvault
