#include "controls/linux/glyph_blend.h"

#include <gtest/gtest.h>

#include "controls/drawing_control.h"
#include "controls/pixel_format.h"

namespace skyvault {
namespace {

// A small 32-bit canvas filled with one colour.
struct TestCanvas {
  explicit TestCanvas(int32_t fill, int width = 6, int height = 4)
      : memory(static_cast<size_t>(width) * height * 4) {
    view = CanvasView{memory.data(), width, height, width * 4, 32};
    FillSolid(view, view.Bounds(), fill, view.Bounds());
  }
  // The pixel as red + 256 green + 65536 blue.
  int32_t At(int x, int y) const {
    const uint32_t p = reinterpret_cast<const uint32_t*>(view.Row(y))[x];
    return static_cast<int32_t>(((p >> 16) & 0xFF) + (p & 0xFF00) + ((p & 0xFF) << 16));
  }
  std::vector<uint8_t> memory;
  CanvasView view;
};

TEST(GlyphBlend, CoverageMixesTextColourWithWhatIsUnder) {
  const int32_t under = Rgb(0, 64, 255), text = Rgb(255, 255, 0);
  // Coverage 0, 255 and half way.
  const uint8_t coverage[3] = {0, 255, 128};
  TestCanvas canvas(under);
  BlendCoverage(canvas.view, {coverage, 3, 1, 3}, 1, 1, text, canvas.view.Bounds());
  EXPECT_EQ(canvas.At(1, 1), under);
  EXPECT_EQ(canvas.At(2, 1), text);
  const int32_t half = canvas.At(3, 1);
  EXPECT_NEAR(RedOf(half), 128, 1);
  EXPECT_NEAR(GreenOf(half), 160, 1);
  EXPECT_NEAR(BlueOf(half), 127, 1);
  EXPECT_EQ(canvas.At(4, 1), under);  // past the mask
}

TEST(GlyphBlend, NothingChangesOutsideTheClipOrTheCanvas) {
  std::vector<uint8_t> full(5 * 5, 255);
  // A 5x5 mask hanging over the top-left corner, clipped to column 1 and up.
  TestCanvas canvas(Rgb(0, 0, 0));
  BlendCoverage(canvas.view, {full.data(), 5, 5, 5}, -2, -2, Rgb(255, 255, 255),
                PixelRect{1, 0, 100, 100});
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      const bool covered = x >= 1 && x <= 2 && y <= 2;
      EXPECT_EQ(canvas.At(x, y), covered ? Rgb(255, 255, 255) : 0) << x << ',' << y;
    }
  }
  // Entirely outside: no write at all.
  TestCanvas untouched(Rgb(0, 0, 0));
  BlendCoverage(untouched.view, {full.data(), 5, 5, 5}, 6, 0, Rgb(255, 255, 255),
                untouched.view.Bounds());
  BlendCoverage(untouched.view, {full.data(), 5, 5, 5}, 0, -5, Rgb(255, 255, 255),
                untouched.view.Bounds());
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(untouched.At(x, y), 0);
  // A solid line past both edges, clipped the same way: the row up to the
  // canvas's last column, nothing else.
  TestCanvas line(Rgb(0, 0, 0));
  FillSolid(line.view, {-3, 1, 9, 2}, Rgb(255, 255, 255), PixelRect{1, 0, 100, 100});
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(line.At(x, y), y == 1 && x >= 1 ? Rgb(255, 255, 255) : 0) << x << ',' << y;
}

TEST(GlyphBlend, MaskRowsFollowThePitch) {
  // Two rows of 2 coverage bytes, each row padded to 4.
  const uint8_t mask[8] = {255, 0, 7, 7, 0, 255, 7, 7};
  TestCanvas canvas(Rgb(0, 0, 0));
  BlendCoverage(canvas.view, {mask, 2, 2, 4}, 0, 0, Rgb(255, 0, 0), canvas.view.Bounds());
  EXPECT_EQ(canvas.At(0, 0), Rgb(255, 0, 0));
  EXPECT_EQ(canvas.At(1, 0), 0);
  EXPECT_EQ(canvas.At(0, 1), 0);
  EXPECT_EQ(canvas.At(1, 1), Rgb(255, 0, 0));
  EXPECT_EQ(canvas.At(2, 0), 0);
}

}  // namespace
}  // namespace skyvault
