#include "controls/buffered_output.h"

#include <gtest/gtest.h>

#include <random>

namespace skyvault {
namespace {

struct Pixels {
  int width, height;
  std::vector<uint32_t> data;
  Pixels(int w, int h, uint32_t fill = 0) : width(w), height(h), data(size_t(w) * h, fill) {}
  uint8_t* bytes() { return reinterpret_cast<uint8_t*>(data.data()); }
  CanvasView View() { return {bytes(), width, height, width * 4, 32}; }
};

// Frames drawn on a canvas and shown through two buffers taken in turn, as
// a compositor releases them: after every refresh the buffer holds exactly
// what a buffer filled from scratch with that frame holds, although each
// buffer missed the frame the other showed; and the damage it reports
// covers every pixel that differs from what the buffer held before.
TEST(BufferedOutput, EachBufferCatchesUpOnTheFramesItMissed) {
  const struct {
    int canvasWidth, canvasHeight, bufferWidth, bufferHeight;
  } cases[] = {
      {1440, 1080, 1920, 1080},  // the widest output: copied, bars at the sides
      {1440, 1080, 1280, 1024},  // a smaller one: reduced through the filter
  };
  std::mt19937 random(7);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bufferWidth);
    Pixels canvas(c.canvasWidth, c.canvasHeight);
    for (uint32_t& p : canvas.data) p = random() & 0xFFFFFF;
    BufferedOutput output(c.bufferWidth, c.bufferHeight, 2);
    std::vector<Pixels> buffers(2, Pixels(c.bufferWidth, c.bufferHeight, 0xDEADBEEF));
    PixelRegion written(canvas.View().Bounds());
    for (int frame = 0; frame < 6; ++frame) {
      output.NoteWritten(canvas.View(), written);
      EXPECT_TRUE(output.Behind());
      Pixels& buffer = buffers[frame % 2];
      const Pixels before = buffer;
      const auto damage =
          output.Refresh(frame % 2, canvas.View(), buffer.bytes(), c.bufferWidth * 4);
      EXPECT_FALSE(output.Behind());

      BufferedOutput fresh(c.bufferWidth, c.bufferHeight, 1);
      Pixels expected(c.bufferWidth, c.bufferHeight, 0x12345678);
      fresh.Refresh(0, canvas.View(), expected.bytes(), c.bufferWidth * 4);
      ASSERT_EQ(buffer.data, expected.data) << "frame " << frame;
      for (int y = 0; y < c.bufferHeight; ++y) {
        for (int x = 0; x < c.bufferWidth; ++x) {
          const size_t i = size_t(y) * c.bufferWidth + x;
          if (buffer.data[i] == before.data[i]) continue;
          const bool covered = std::any_of(damage.begin(), damage.end(), [&](const PixelRect& r) {
            return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
          });
          ASSERT_TRUE(covered) << "pixel " << x << "," << y << " of frame " << frame;
        }
      }
      // The next frame changes a few small rectangles here and there.
      written.Clear();
      for (int n = 0; n < 5; ++n) {
        const int left = random() % (c.canvasWidth - 40), top = random() % (c.canvasHeight - 40);
        const PixelRect part{left, top, left + 1 + int(random() % 40),
                             top + 1 + int(random() % 40)};
        written.Add(part);
        for (int y = part.top; y < part.bottom; ++y) {
          for (int x = part.left; x < part.right; ++x) {
            canvas.data[size_t(y) * c.canvasWidth + x] = random() & 0xFFFFFF;
          }
        }
      }
    }
    // Only the few rectangles are sent, not the whole buffer.
    output.NoteWritten(canvas.View(), written);
    int64_t damaged = 0;
    for (const PixelRect& r :
         output.Refresh(0, canvas.View(), buffers[0].bytes(), c.bufferWidth * 4)) {
      damaged += int64_t(r.Width()) * r.Height();
    }
    EXPECT_LT(damaged, int64_t(c.bufferWidth) * c.bufferHeight / 20);
  }
}

}  // namespace
}  // namespace skyvault
