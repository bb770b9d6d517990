#include "controls/monitor_layout.h"

#include <gtest/gtest.h>

namespace skyvault {
namespace {

using Rects = std::vector<PixelRect>;

TEST(FrameTargets, EachMonitorsPartOfTheWindowShowsTheWholeFrame) {
  const PixelRect primary{0, 0, 1920, 1080};
  // What, the monitors, the window in screen coordinates, the targets in the window's.
  const std::tuple<const char*, Rects, PixelRect, Rects> cases[] = {
      {"one monitor, covered", {primary}, primary, {{240, 0, 1680, 1080}}},
      {"a second, smaller monitor to the right",
       {primary, {1920, 0, 3200, 1024}},
       {0, 0, 3200, 1080},
       {{240, 0, 1680, 1080}, {1920, 32, 3200, 992}}},
      {"a monitor left of the primary: the window starts at a negative x",
       {{-1280, 0, 0, 1024}, primary},
       {-1280, 0, 1920, 1080},
       {{0, 32, 1280, 992}, {1520, 0, 2960, 1080}}},
      {"a portrait monitor", {{0, 0, 1080, 1920}}, {0, 0, 1080, 1920}, {{0, 555, 1080, 1365}}},
      {"a window smaller than its monitor", {primary}, {0, 0, 1000, 700}, {{33, 0, 966, 700}}},
      {"a window across the edge of two monitors",
       {primary, {1920, 0, 3200, 1024}},
       {1800, 100, 2100, 400},
       {{0, 105, 120, 195}, {120, 82, 300, 217}}},
      {"a window on no monitor", {primary}, {5000, 5000, 5800, 5600}, {{0, 0, 800, 600}}},
      {"no monitors known", {}, {10, 10, 410, 310}, {{0, 0, 400, 300}}},
      {"an empty window", {primary}, {100, 100, 100, 500}, {}},
  };
  for (const auto& [what, monitors, client, targets] : cases)
    EXPECT_EQ(FrameTargets(800, 600, monitors, client), targets) << what;
}

}  // namespace
}  // namespace skyvault
