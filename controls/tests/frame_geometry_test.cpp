#include "controls/frame_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "controls/monitor_layout.h"

namespace skyvault {
namespace {

// The canvas is exactly the widest monitor's letterbox: that monitor gets it pixel for pixel.
TEST(FrameScale, TheCanvasIsTheWidestMonitorsLetterboxExactly) {
  EXPECT_DOUBLE_EQ(FrameScaleFor({{-1080, 0, 0, 1920}, {0, 0, 3840, 2160}}), 3.6);
  EXPECT_DOUBLE_EQ(FrameScaleFor({}), 1.0);
  for (int width = 320; width <= 7680; width += 37)
    for (int height : {width * 9 / 16, width * 3 / 4, width * 5 / 4, width / 3}) {
      const PixelRect box = Letterbox(800, 600, {0, 0, width, height});
      const FrameScale scale(FrameScaleFor({{0, 0, width / 2, height / 2}, {0, 0, width, height}}));
      ASSERT_EQ(std::pair(scale.canvasWidth(), scale.canvasHeight()),
                std::pair(box.Width(), box.Height()))
          << width << "x" << height;
    }
}

TEST(FrameScale, LogicalPositionsAndSizesRoundToThePhysicalGrid) {
  for (auto [scale, logical, position] : {std::tuple{1.8, -320LL, -576LL},
                                          {1.8, 805LL, 1449LL},
                                          {1.8, -1LL, -2LL},
                                          {1.5, 1LL, 2LL},
                                          {1.5, -1LL, -1LL},
                                          {0.8, 805LL, 644LL},
                                          {3.6, -2147483648LL, -7730941133LL},
                                          {NAN, 7LL, 7LL},
                                          {-2.0, 7LL, 7LL}})
    EXPECT_EQ(FrameScale(scale).Position(logical), position) << logical << " at " << scale;
  EXPECT_EQ(FrameScale(3.6).Length(280), 1008);
  EXPECT_EQ(FrameScale(0.01).Length(3), 1);  // never empty
}

// A screen larger than a canvas may be gets the largest scale within the limit.
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
  for (auto [width, height, want] : {std::tuple{800, 600, SourceArea{0, 0, 800, 600}},
                                     {1920, 1080, {240, 0, 1680, 1080}},
                                     {600, 800, {0, 175, 600, 625}},
                                     {801, 600, {0.5, 0, 800.5, 600}},
                                     {3, 1, {5.0 / 6, 0, 13.0 / 6, 1}},
                                     {0, 600, {}}}) {
    const SourceArea a = CoverArea(width, height, 800, 600);
    for (auto [got, expected] : {std::pair{a.left, want.left},
                                 {a.top, want.top},
                                 {a.right, want.right},
                                 {a.bottom, want.bottom}})
      EXPECT_NEAR(got, expected, 1e-9) << width << "x" << height;
  }
}

}  // namespace
}  // namespace skyvault
