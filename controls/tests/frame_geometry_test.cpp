#include "controls/frame_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "controls/canvas_scaler.h"

namespace skyvault {
namespace {

TEST(FrameScale, IsTheWidestLetterboxOverAllMonitorsOver800) {
  const struct {
    std::vector<PixelRect> monitors;
    double scale;
  } cases[] = {
      {{}, 1.0},
      {{{0, 0, 800, 600}}, 1.0},
      {{{0, 0, 640, 480}}, 0.8},
      {{{0, 0, 1920, 1080}}, 1.8},
      {{{0, 0, 1920, 1080}, {1920, 0, 5760, 2160}}, 3.6},
      {{{-1080, 0, 0, 1920}, {0, 0, 1280, 1024}}, 1.6},  // a portrait monitor beside
      {{{0, 0, 2560, 1440}}, 2.4},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(FrameScaleFor(c.monitors), c.scale);
}

// The canvas at the scale of one monitor is exactly that monitor's
// letterbox, so the widest monitor receives the frame pixel for pixel.
TEST(FrameScale, TheCanvasIsTheWidestMonitorsLetterboxExactly) {
  for (int width = 320; width <= 7680; width += 37) {
    for (int height : {width * 9 / 16, width * 3 / 4, width * 10 / 16, width * 5 / 4, width / 3}) {
      const PixelRect monitor{0, 0, width, height};
      const PixelRect box = Letterbox(800, 600, monitor);
      const FrameScale scale(FrameScaleFor({monitor}));
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
  } positions[] = {
      {1.0, -320, -320}, {1.8, -320, -576},
      {1.8, 805, 1449},  {1.8, 1, 2},
      {1.8, -1, -2},     {1.5, 1, 2},
      {1.5, -1, -1},     {3.6, 75, 270},
      {0.8, 805, 644},   {3.6, -2147483648LL, -7730941133},
  };
  for (const auto& p : positions) {
    EXPECT_EQ(FrameScale(p.scale).Position(p.logical), p.position)
        << p.logical << " at " << p.scale;
  }
  // Picture sizes: rounded, never empty.
  EXPECT_EQ(FrameScale(3.6).Length(280), 1008);
  EXPECT_EQ(FrameScale(1.8).Length(75), 135);
  EXPECT_EQ(FrameScale(0.01).Length(3), 1);
  EXPECT_EQ(std::pair(FrameScale(3.6).canvasWidth(), FrameScale(3.6).canvasHeight()),
            std::pair(2880, 2160));
  // What is not a scale counts as 1.
  for (double nonsense : {0.0, -2.0, double(NAN), double(INFINITY)}) {
    EXPECT_EQ(FrameScale(nonsense).value(), 1.0);
  }
}

TEST(CoverArea, IsTheCentredPartWithTheFramesAspect) {
  const struct {
    int width, height;
    SourceArea area;
  } cases[] = {
      {800, 600, {0, 0, 800, 600}},        // exactly as it is
      {1600, 1200, {0, 0, 1600, 1200}},    // same shape, larger
      {1920, 1080, {240, 0, 1680, 1080}},  // wide: the sides cut
      {600, 800, {0, 175, 600, 625}},      // tall: top and bottom cut
      {1000, 600, {100, 0, 900, 600}},     // wide, not taller than the frame
      {801, 600, {0.5, 0, 800.5, 600}},    // half a pixel each side
      {3, 1, {5.0 / 6, 0, 13.0 / 6, 1}},   // tiny
  };
  for (const auto& c : cases) {
    const SourceArea a = CoverArea(c.width, c.height, 800, 600);
    EXPECT_NEAR(a.left, c.area.left, 1e-9) << c.width << "x" << c.height;
    EXPECT_NEAR(a.top, c.area.top, 1e-9) << c.width << "x" << c.height;
    EXPECT_NEAR(a.right, c.area.right, 1e-9) << c.width << "x" << c.height;
    EXPECT_NEAR(a.bottom, c.area.bottom, 1e-9) << c.width << "x" << c.height;
  }
  EXPECT_EQ(CoverArea(0, 600, 800, 600), SourceArea{});
  EXPECT_EQ(CoverArea(800, 600, 800, -1), SourceArea{});
}

}  // namespace
}  // namespace skyvault
