#include "controls/frame_diff.h"

#include <gtest/gtest.h>

namespace skyvault {
namespace {

struct Canvas16 {
  std::vector<uint16_t> pixels = std::vector<uint16_t>(800 * 600, 0);
  CanvasView view{reinterpret_cast<uint8_t*>(pixels.data()), 800, 600, 1600, 16};
  uint16_t& at(int x, int y) { return pixels[y * 800 + x]; }
};

TEST(FrameDiff, FirstFrameDiffersEverywhereThenOnlyWhereAPixelChanged) {
  Canvas16 canvas;
  TileMask all(800, 600);
  all.MarkAll();
  FrameDiff diff;
  EXPECT_EQ(diff.Update(canvas.view, all).Count(), 25 * 19);
  EXPECT_EQ(diff.Update(canvas.view, all).Count(), 0);
  canvas.at(100, 70) = 1;   // tile (3, 2)
  canvas.at(799, 599) = 1;  // tile (24, 18), the cut corner tile
  const TileMask& changed = diff.Update(canvas.view, all);
  EXPECT_EQ(changed.Count(), 2);
  EXPECT_TRUE(changed.At(3, 2));
  EXPECT_TRUE(changed.At(24, 18));
  EXPECT_EQ(diff.Parts(), (std::vector<PixelRect>{{100, 70, 101, 71}, {799, 599, 800, 600}}));
  // Written again with the same value: no change.
  EXPECT_EQ(diff.Update(canvas.view, all).Count(), 0);
  // Changed back: a change again.
  canvas.at(100, 70) = 0;
  EXPECT_EQ(diff.Update(canvas.view, all).Count(), 1);
}

// Changed blocks of pixels and the rectangles that carry them.
TEST(FrameDiff, PartsHugTheChangedPixelsAndJoinAcrossTiles) {
  const struct {
    std::vector<PixelRect> blocks;
    std::vector<PixelRect> parts;
  } cases[] = {
      {{{30, 70, 70, 80}}, {{30, 70, 70, 80}}},      // three tiles along a row: one part
      {{{30, 60, 70, 80}}, {{30, 60, 70, 80}}},      // and two tile rows
      {{{0, 0, 2, 2}, {200, 0, 202, 2}}, {{0, 0, 2, 2}, {200, 0, 202, 2}}},  // far apart
      // An L: the narrow foot would waste the row above's area, so it stays apart.
      {{{0, 0, 300, 10}, {0, 40, 10, 60}}, {{0, 0, 300, 10}, {0, 40, 10, 60}}},
  };
  for (const auto& c : cases) {
    Canvas16 canvas;
    TileMask all(800, 600);
    all.MarkAll();
    FrameDiff diff;
    diff.Update(canvas.view, all);
    for (const PixelRect& b : c.blocks) {
      for (int y = b.top; y < b.bottom; ++y) {
        for (int x = b.left; x < b.right; ++x) canvas.at(x, y) = 7;
      }
    }
    diff.Update(canvas.view, all);
    EXPECT_EQ(diff.Parts(), c.parts) << c.blocks.size() << " blocks from " << c.blocks[0].left;
  }
}

TEST(FrameDiff, OnlyWrittenTilesAreCompared) {
  Canvas16 canvas;
  TileMask written(800, 600);
  FrameDiff diff;
  diff.Update(canvas.view, written);
  canvas.at(0, 0) = 5;   // tile (0, 0), not marked
  canvas.at(40, 0) = 5;  // tile (1, 0), marked
  written.Mark({40, 0, 41, 1});
  const TileMask& changed = diff.Update(canvas.view, written);
  EXPECT_EQ(changed.Count(), 1);
  EXPECT_TRUE(changed.At(1, 0));
}

TEST(FrameDiff, ForgetAndANewSizeStartAfresh) {
  Canvas16 canvas;
  TileMask none(800, 600);
  FrameDiff diff;
  diff.Update(canvas.view, none);
  diff.Forget();
  EXPECT_EQ(diff.Update(canvas.view, none).Count(), 25 * 19);
  std::vector<uint32_t> other(64 * 64, 0);
  CanvasView small{reinterpret_cast<uint8_t*>(other.data()), 64, 64, 256, 32};
  EXPECT_EQ(diff.Update(small, TileMask(64, 64)).Count(), 4);
}

}  // namespace
}  // namespace skyvault
