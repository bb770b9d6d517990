#include "controls/pixel_region.h"

#include <gtest/gtest.h>

#include <random>

namespace skyvault {
namespace {

// Random rectangles added one by one, and brought to a limit, stay disjoint, within the canvas and
// the limit, and hold every pixel added and none outside the added rectangles' bounding box.
TEST(PixelRegion, StaysDisjointAndKeepsEveryPixelWhenBroughtToFewRectangles) {
  constexpr int kSide = 48;
  const PixelRect canvas{0, 0, kSide, kSide};
  std::mt19937 random(11);
  for (int trial = 0; trial < 300; ++trial) {
    SCOPED_TRACE(trial);
    std::vector<PixelRect> boxes;
    std::vector<uint8_t> added(kSide * kSide, 0);
    PixelRegion region;
    PixelRect box{kSide, kSide, 0, 0};
    for (int n = 1 + random() % 12; n > 0; --n) {
      const int left = int(random() % (kSide + 8)) - 4, top = int(random() % (kSide + 8)) - 4;
      const PixelRect rect{left, top, left + int(random() % 20), top + int(random() % 20)};
      region.Add(rect);
      const PixelRect within = rect.Intersect(canvas);
      if (within.Empty()) continue;
      boxes.push_back(within);
      box = {std::min(box.left, within.left), std::min(box.top, within.top),
             std::max(box.right, within.right), std::max(box.bottom, within.bottom)};
      for (int y = within.top; y < within.bottom; ++y)
        for (int x = within.left; x < within.right; ++x) added[y * kSide + x] = 1;
    }
    region.Clip(canvas);
    const size_t limit = 1 + random() % 8;
    PixelRegion few = PixelRegion::Covering(boxes, limit);
    EXPECT_EQ(region.Area(), std::count(added.begin(), added.end(), 1)) << "each pixel once";
    EXPECT_LE(few.Rectangles().size(), limit);
    for (const PixelRegion* r : {&region, &few}) {
      std::vector<int> count(kSide * kSide, 0);
      for (const PixelRect& rect : r->Rectangles()) {
        ASSERT_EQ(rect.Intersect(canvas), rect);
        for (int y = rect.top; y < rect.bottom; ++y)
          for (int x = rect.left; x < rect.right; ++x) ++count[y * kSide + x];
      }
      for (int i = 0; i < kSide * kSide; ++i) {
        const int x = i % kSide, y = i / kSide;
        ASSERT_LE(count[i], 1) << "overlap at " << x << "," << y;
        ASSERT_TRUE(!added[i] || count[i] == 1) << "lost " << x << "," << y;
        ASSERT_TRUE(!count[i] || !box.Intersect({x, y, x + 1, y + 1}).Empty()) << x << "," << y;
      }
    }
  }
  // Eight boxes far apart, brought to three: the three cost least.
  std::vector<PixelRect> apart;
  for (int i = 0; i < 8; ++i) apart.push_back({i * 100, 0, i * 100 + 10, 10});
  EXPECT_EQ(PixelRegion::Covering(apart, 3).Rectangles().size(), 3u);
  EXPECT_EQ(PixelRegion::Covering(apart, 8).Area(), 8 * 100) << "within the limit: kept apart";
}

}  // namespace
}  // namespace skyvault
