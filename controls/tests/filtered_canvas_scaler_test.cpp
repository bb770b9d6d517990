#include "controls/filtered_canvas_scaler.h"

#include <gtest/gtest.h>

#include <random>

#include "controls/monitor_layout.h"

namespace skyvault {
namespace {

constexpr uint32_t kUntouched = 0xDEADBEEF;

// Scales `rect` of a 32-bit canvas of `pixels` onto `out` (`outWidth` wide).
PixelRect Scale(const FilteredCanvasScaler& scaler, std::vector<uint32_t>& pixels, int width,
                const PixelRect& rect, std::vector<uint32_t>& out, int outWidth, int depth = 32) {
  const CanvasView view{reinterpret_cast<uint8_t*>(pixels.data()), width,
                        int(pixels.size()) / width, width * 4, depth};
  return scaler.Scale(view, rect, reinterpret_cast<uint8_t*>(out.data()), outWidth * 4);
}

// Scaled whole, the canvas fills exactly the target (no top bytes); scaling only a changed part
// onto the last output gives exactly the whole changed canvas scaled.
TEST(FilteredCanvasScaler, ScalingOnlyWhatChangedGivesTheWholeFrame) {
  const struct {
    int canvasWidth, canvasHeight, outWidth, outHeight;
    PixelRect target;
  } cases[] = {
      {720, 540, 480, 270, Letterbox(720, 540, {0, 0, 480, 270})},  // a smaller letterbox
      {640, 480, 500, 400, {10, 20, 410, 320}},                     // reduced, offset
      {153, 115, 320, 240, Letterbox(153, 115, {0, 0, 320, 240})},  // the preview pane
  };
  std::mt19937 random(2);
  for (const auto& c : cases) {
    const FilteredCanvasScaler scaler(c.canvasWidth, c.canvasHeight, c.target);
    std::vector<uint32_t> canvas(size_t(c.canvasWidth) * c.canvasHeight);
    for (uint32_t& p : canvas) p = random();  // top bytes too: they must not matter
    std::vector<uint32_t> frame(size_t(c.outWidth) * c.outHeight, kUntouched);
    EXPECT_EQ(Scale(scaler, canvas, c.canvasWidth, {0, 0, 9999, 9999}, frame, c.outWidth),
              c.target);
    for (int i = 0; i < int(frame.size()); ++i) {
      const PixelRect pixel{i % c.outWidth, i / c.outWidth, i % c.outWidth + 1, i / c.outWidth + 1};
      ASSERT_EQ(frame[i] == kUntouched || frame[i] >> 24 != 0, c.target.Intersect(pixel).Empty())
          << i;
    }
    for (int trial = 0; trial < 12; ++trial) {
      const int w = 1 + int(random() % 70), h = 1 + int(random() % 70);
      const int x = int(random() % (c.canvasWidth - w)), y = int(random() % (c.canvasHeight - h));
      for (int i = 0; i < w * h; ++i) canvas[size_t(y + i / w) * c.canvasWidth + x + i % w] ^= ~0u;
      std::vector<uint32_t> whole(frame.size(), kUntouched);
      Scale(scaler, canvas, c.canvasWidth, {0, 0, c.canvasWidth, c.canvasHeight}, whole,
            c.outWidth);
      const PixelRect written =
          Scale(scaler, canvas, c.canvasWidth, {x, y, x + w, y + h}, frame, c.outWidth);
      EXPECT_EQ(written, scaler.TargetOf({x, y, x + w, y + h}));
      ASSERT_EQ(frame, whole) << w << "x" << h << " at " << x << "," << y;
    }
  }
}

// Reducing averages: one-pixel stripes become grey, not black or white. A 16-bit canvas is refused.
TEST(FilteredCanvasScaler, AveragesWhenReducingAndRefusesA16BitCanvas) {
  std::vector<uint32_t> stripes(300 * 200), out(200 * 133, kUntouched);
  for (size_t i = 0; i < stripes.size(); ++i) stripes[i] = i % 2 ? 0xFFFFFF : 0;
  const FilteredCanvasScaler scaler(300, 200, {0, 0, 200, 133});
  EXPECT_TRUE(Scale(scaler, stripes, 300, {0, 0, 300, 200}, out, 200, 16).Empty());
  Scale(scaler, stripes, 300, {0, 0, 300, 200}, out, 200);
  for (int x = 2; x < 198; ++x) EXPECT_NEAR(int(out[50 * 200 + x] & 0xFF), 128, 44) << x;
}

}  // namespace
}  // namespace skyvault
