#include "controls/surface_scale.h"

#include <gtest/gtest.h>

#include "controls/frame_geometry.h"
#include "controls/monitor_layout.h"

namespace skyvault {
namespace {

SurfaceScale Scale(int whole, int preferred) {
  SurfaceScale scale;
  scale.SetWhole(whole);
  scale.SetPreferred(preferred);
  return scale;
}

// A preferred scale in 120ths sizes the buffer alone, rounded halfway away
// from zero; the output's whole-number scale does not multiply it again.
TEST(SurfaceScale, APreferredScaleSizesTheBufferAloneRoundedHalfAway) {
  const struct {
    int whole, preferred, logical, physical;
  } cases[] = {{1, 180, 100, 150},   {2, 180, 100, 150}, {2, 180, 1281, 1922},  // 1921.5
               {1, 150, 2, 3},       {1, 150, 1, 1},     {1, 140, 1707, 1992},  // 1991.5
               {3, 120, 1920, 1920}, {1, 90, 1, 1},      {1, 30, 1, 1},
               {2, 0, 960, 1920},    {3, -5, 640, 1920}, {0, 0, 800, 800}};
  for (const auto& c : cases) {
    EXPECT_EQ(Scale(c.whole, c.preferred).Physical(c.logical), c.physical)
        << c.whole << " " << c.preferred << "/120 of " << c.logical;
  }
}

// The surface that fills an output's mode, and its buffer, cover the mode
// again within the rounding; a whole-number scale divides as it multiplies.
TEST(SurfaceScale, TheLogicalSizeOfAModeComesBackToTheMode) {
  EXPECT_EQ(Scale(2, 0).Logical(3840), 1920);
  EXPECT_EQ(Scale(2, 180).Logical(3840), 2560);
  EXPECT_EQ(Scale(1, 140).Logical(1992), 1707);
  for (int preferred = 120; preferred <= 360; preferred += 15) {
    for (int mode : {1366, 1920, 2560, 3840}) {
      const SurfaceScale scale = Scale(2, preferred);
      EXPECT_NEAR(scale.Physical(scale.Logical(mode)), mode, preferred / 240 + 1)
          << preferred << " " << mode;
    }
  }
}

// An output of 1280 x 720 logical pixels at 1.5 has a 1920 x 1080 buffer:
// the frame is composed at its 1440 x 1080 letterbox, scale 1.8.
TEST(SurfaceScale, TheFrameIsComposedAtTheBuffersLetterbox) {
  const SurfaceScale scale = Scale(2, 180);
  const PixelRect box =
      Letterbox(kLogicalWidth, kLogicalHeight, {0, 0, scale.Physical(1280), scale.Physical(720)});
  EXPECT_EQ(std::pair(box.Width(), box.Height()), std::pair(1440, 1080));
  EXPECT_DOUBLE_EQ(FrameScaleFor({{0, 0, scale.Physical(1280), scale.Physical(720)}}), 1.8);
}

}  // namespace
}  // namespace skyvault
