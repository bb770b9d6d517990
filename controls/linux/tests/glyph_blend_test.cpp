#include "controls/linux/glyph_blend.h"

#include <gtest/gtest.h>

#include <functional>

#include "controls/drawing_control.h"
#include "controls/pixel_format.h"

namespace skyvault {
namespace {

constexpr int32_t kWhite = Rgb(255, 255, 255);

// A 6 x 4 32-bit canvas filled with one colour.
struct TestCanvas {
  explicit TestCanvas(int32_t fill) : memory(6 * 4 * 4), view{memory.data(), 6, 4, 6 * 4, 32} {
    FillSolid(view, view.Bounds(), fill, view.Bounds());
  }
  // The pixel as red + 256 green + 65536 blue.
  int32_t At(int x, int y) const {
    const uint32_t p = reinterpret_cast<const uint32_t*>(view.Row(y))[x];
    return static_cast<int32_t>(((p >> 16) & 0xFF) + (p & 0xFF00) + ((p & 0xFF) << 16));
  }
  // Every pixel is white where `white` says so and black elsewhere.
  void ExpectWhereWhite(const std::function<bool(int x, int y)>& white) const {
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x) EXPECT_EQ(At(x, y), white(x, y) ? kWhite : 0) << x << ',' << y;
  }
  std::vector<uint8_t> memory;
  CanvasView view;
};

// Coverage 0, 255 and half way, in two rows padded to 4 bytes each.
TEST(GlyphBlend, CoverageMixesTextColourWithWhatIsUnderRowByRow) {
  const int32_t under = Rgb(0, 64, 255), text = Rgb(255, 255, 0);
  const uint8_t coverage[8] = {0, 255, 128, 7, 255, 0, 0, 7};
  TestCanvas canvas(under);
  BlendCoverage(canvas.view, {coverage, 3, 2, 4}, 1, 1, text, canvas.view.Bounds());
  const int32_t half = canvas.At(3, 1);
  EXPECT_NEAR(RedOf(half), 128, 1);
  EXPECT_NEAR(GreenOf(half), 160, 1);
  EXPECT_NEAR(BlueOf(half), 127, 1);
  // Row by row; past the mask (column 4, row 3), untouched.
  EXPECT_EQ((std::vector{canvas.At(1, 1), canvas.At(2, 1), canvas.At(4, 1), canvas.At(1, 2),
                         canvas.At(2, 2), canvas.At(4, 2), canvas.At(1, 3)}),
            (std::vector{under, text, under, text, under, under, under}));
}

TEST(GlyphBlend, NothingChangesOutsideTheClipOrTheCanvas) {
  std::vector<uint8_t> full(5 * 5, 255);
  // Clipped to column 1 and up: a 5x5 mask over the top-left corner, a 5x2 one past the right
  // edge (which would wrap round into the next row).
  TestCanvas canvas(0);
  BlendCoverage(canvas.view, {full.data(), 5, 5, 5}, -2, -2, kWhite, PixelRect{1, 0, 100, 100});
  BlendCoverage(canvas.view, {full.data(), 5, 2, 5}, 4, 1, kWhite, PixelRect{1, 0, 100, 100});
  canvas.ExpectWhereWhite(
      [](int x, int y) { return (x >= 1 && x <= 2 && y <= 2) || (x >= 4 && y >= 1 && y <= 2); });
  // A solid line past both edges, clipped the same way: the row up to the canvas's edge.
  TestCanvas line(0);
  FillSolid(line.view, {-3, 1, 9, 2}, kWhite, PixelRect{1, 0, 100, 100});
  line.ExpectWhereWhite([](int x, int y) { return y == 1 && x >= 1; });
}

}  // namespace
}  // namespace skyvault
