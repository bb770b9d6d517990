#include "controls/canvas_scaler.h"

#include <gtest/gtest.h>

#include "controls/pixel_format.h"
#include "controls/tile_mask.h"

namespace skyvault {
namespace {

TEST(Letterbox, KeepsTheAspectAndCentres) {
  EXPECT_EQ(Letterbox(800, 600, {0, 0, 1920, 1080}), (PixelRect{240, 0, 1680, 1080}));
  EXPECT_EQ(Letterbox(800, 600, {0, 0, 1280, 1024}), (PixelRect{0, 32, 1280, 992}));
  EXPECT_EQ(Letterbox(800, 600, {0, 0, 1000, 700}), (PixelRect{33, 0, 966, 700}));  // rounded
  EXPECT_EQ(Letterbox(800, 600, {-1080, 0, 0, 1920}),
            (PixelRect{-1080, 555, 0, 1365}));  // portrait, left
  EXPECT_TRUE(Letterbox(800, 600, {0, 0, 0, 100}).Empty());
}

// A canvas of distinct pixels (x + 4096 y at 32 bits, x + 800 y at 16).
struct Canvas {
  Canvas(int w, int h, int depth)
      : bytes(w * h * 4), view{bytes.data(), w, h, w * depth / 8, depth} {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (depth == 32)
          reinterpret_cast<uint32_t*>(view.Row(y))[x] = y * 4096 + x;
        else
          reinterpret_cast<uint16_t*>(view.Row(y))[x] = static_cast<uint16_t>(y * 800 + x);
  }
  std::vector<uint8_t> bytes;
  CanvasView view;
};

// Every output pixel shows the canvas pixel under its centre; outside the target nothing is
// written.
TEST(CanvasScaler, EachOutputPixelShowsTheCanvasPixelUnderItsCentre) {
  const struct {
    int canvasW, canvasH, depth, outW, outH;
    PixelRect target;
  } cases[] = {
      {3, 2, 32, 6, 4, {0, 0, 6, 4}},  // doubling
      {800, 600, 16, 1920, 1080, Letterbox(800, 600, {0, 0, 1920, 1080})},
      {800, 600, 32, 500, 400, {10, 20, 410, 320}},  // half size, offset
  };
  for (const auto& c : cases) {
    Canvas canvas(c.canvasW, c.canvasH, c.depth);
    std::vector<uint32_t> out(static_cast<size_t>(c.outW) * c.outH, 0x123456);
    CanvasScaler scaler(c.canvasW, c.canvasH, c.target);
    EXPECT_EQ(scaler.Scale(canvas.view, canvas.view.Bounds(),
                           reinterpret_cast<uint8_t*>(out.data()), c.outW * 4),
              c.target);
    int wrong = 0;
    for (int y = 0; y < c.outH; ++y) {
      for (int x = 0; x < c.outW; ++x) {
        uint32_t want = 0x123456;
        if (x >= c.target.left && x < c.target.right && y >= c.target.top && y < c.target.bottom) {
          const int sx = static_cast<int>((2 * (x - c.target.left) + 1) * int64_t{c.canvasW} /
                                          (2 * c.target.Width()));
          const int sy = static_cast<int>((2 * (y - c.target.top) + 1) * int64_t{c.canvasH} /
                                          (2 * c.target.Height()));
          want = c.depth == 32
                     ? reinterpret_cast<const uint32_t*>(canvas.view.Row(sy))[sx]
                     : XrgbOf565(reinterpret_cast<const uint16_t*>(canvas.view.Row(sy))[sx]);
        }
        if (out[static_cast<size_t>(y) * c.outW + x] != want && ++wrong < 5)
          ADD_FAILURE() << x << "," << y;
      }
    }
    EXPECT_EQ(wrong, 0) << c.outW << "x" << c.outH;
    // Tile by tile, as the presenter sends changed tiles: the same pixels, each
    // tile writing only the rectangle it reports.
    std::vector<uint32_t> tiles(out.size(), 7);
    for (int y = 0; y < c.canvasH; y += 32) {
      for (int x = 0; x < c.canvasW; x += 32) {
        const PixelRect tile = PixelRect{x, y, x + 32, y + 32}.Intersect(canvas.view.Bounds());
        const PixelRect written =
            scaler.Scale(canvas.view, tile, reinterpret_cast<uint8_t*>(tiles.data()), c.outW * 4);
        EXPECT_EQ(written, scaler.TargetOf(tile));
        for (int ty = written.top; ty < written.bottom; ++ty)
          for (int tx = written.left; tx < written.right; ++tx)
            tiles[size_t(ty) * c.outW + tx] += 0x1000000;
      }
    }
    for (size_t i = 0; i < out.size(); ++i)
      wrong += tiles[i] != (out[i] == 0x123456 ? 7 : out[i] + 0x1000000);
    EXPECT_EQ(wrong, 0) << c.outW << "x" << c.outH << " in tiles";
  }
}

}  // namespace
}  // namespace skyvault
