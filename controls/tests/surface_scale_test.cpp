#include "controls/surface_scale.h"

#include <gtest/gtest.h>

namespace skyvault {
namespace {

SurfaceScale Scale(int whole, int preferred) {
  SurfaceScale scale;
  scale.SetWhole(whole);
  scale.SetPreferred(preferred);
  return scale;
}

// A preferred scale in 120ths sizes the buffer alone (rounded half away), not times the whole one.
TEST(SurfaceScale, APreferredScaleSizesTheBufferAloneRoundedHalfAway) {
  const int cases[][4] = {{1, 180, 100, 150},   {2, 180, 100, 150}, {2, 180, 1281, 1922},  // 1921.5
                          {1, 150, 2, 3},       {1, 150, 1, 1},     {1, 140, 1707, 1992},  // 1991.5
                          {3, 120, 1920, 1920}, {1, 90, 1, 1},      {1, 30, 1, 1},
                          {2, 0, 960, 1920},    {3, -5, 640, 1920}, {0, 0, 800, 800}};
  for (auto [whole, preferred, logical, physical] : cases)
    EXPECT_EQ(Scale(whole, preferred).Physical(logical), physical) << whole << " " << preferred;
}

// The surface filling an output's mode, and its buffer, cover the mode again within the rounding.
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

}  // namespace
}  // namespace skyvault
