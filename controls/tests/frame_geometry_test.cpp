#include "controls/frame_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "controls/monitor_layout.h"

namespace skyvault {
namespace {

// The canvas at the scale of a set of monitors is exactly the widest
// monitor's letterbox, so that monitor receives the frame pixel for pixel.
TEST(FrameScale, TheCanvasIsTheWidestMonitorsLetterboxExactly) {
  EXPECT_DOUBLE_EQ(FrameScaleFor({{-1080, 0, 0, 1920}, {0, 0, 3840, 2160}}), 3.6);
  EXPECT_DOUBLE_EQ(FrameScaleFor({}), 1.0);
  for (int width = 320; width <= 7680; width += 37) {
    for (int height : {width * 9 / 16, width * 3 / 4, width * 5 / 4, width / 3}) {
      const PixelRect box = Letterbox(800, 600, {0, 0, width, height});
      const FrameScale scale(FrameScaleFor({{0, 0, width / 2, height / 2}, {0, 0, width, height}}));
      ASSERT_EQ(std::pair(scale.canvasWidth(), scale.canvasHeight()),
                std::pair(box.Width(), box.Height()))
          << width << "x" << height;
    }
  }
}

TEST(FrameScale, LogicalPositionsAndSizesRoundToThePhysicalGrid) {
  const struct {
    double scale;
    int64_t logical, position;
  } cases[] = {{1.8, -320, -576},
               {1.8, 805, 1449},
               {1.8, -1, -2},
               {1.5, 1, 2},
               {1.5, -1, -1},
               {0.8, 805, 644},
               {3.6, -2147483648LL, -7730941133},
               {NAN, 7, 7},
               {-2, 7, 7}};
  for (const auto& c : cases) {
    EXPECT_EQ(FrameScale(c.scale).Position(c.logical), c.position)
        << c.logical << " at " << c.scale;
  }
  EXPECT_EQ(FrameScale(3.6).Length(280), 1008);
  EXPECT_EQ(FrameScale(0.01).Length(3), 1);  // never empty
}

// A screen larger than a canvas may be gets the largest scale within the
// limit; smaller ones their own.
TEST(FrameScale, IsLimitedToTheLargestCanvas) {
  for (const auto& [monitor, width, height] :
       {std::tuple{PixelRect{0, 0, 8400, 6300}, 8192, 6144},
        std::tuple{PixelRect{0, 0, 30000, 8000}, 8192, 6144},
        std::tuple{PixelRect{0, 0, 8192, 6144}, 8192, 6144},
        std::tuple{PixelRect{0, 0, 3840, 2160}, 2880, 2160}}) {
    const FrameScale scale(LimitedScale(FrameScaleFor({monitor}), 800, 600));
    EXPECT_EQ(std::pair(scale.canvasWidth(), scale.canvasHeight()), std::pair(width, height))
        << monitor.right;
  }
  // A frame of another shape: its longer side meets the limit.
  const FrameScale tall(LimitedScale(100.0, 300, 1000));
  EXPECT_EQ(std::pair(tall.Length(300), tall.Length(1000)), std::pair(2458, 8192));
}

TEST(CoverArea, IsTheCentredPartWithTheFramesAspect) {
  const struct {
    int width, height;
    SourceArea area;
  } cases[] = {
      {800, 600, {0, 0, 800, 600}},      {1920, 1080, {240, 0, 1680, 1080}},
      {600, 800, {0, 175, 600, 625}},    {801, 600, {0.5, 0, 800.5, 600}},
      {3, 1, {5.0 / 6, 0, 13.0 / 6, 1}}, {0, 600, {}},
  };
  for (const auto& c : cases) {
    const SourceArea a = CoverArea(c.width, c.height, 800, 600);
    const double got[] = {a.left, a.top, a.right, a.bottom};
    const double want[] = {c.area.left, c.area.top, c.area.right, c.area.bottom};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(got[i], want[i], 1e-9) << c.width << "x" << c.height;
  }
}

}  // namespace
}  // namespace skyvault
