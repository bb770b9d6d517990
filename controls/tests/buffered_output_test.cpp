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

// Two buffers taken as a display server frees them, each missing the other's frames (and now and
// then a frame held back): after a refresh each holds what one filled from scratch holds, and the
// damage reported covers every pixel that differs from the buffer shown before it (the first shown,
// all of it). The canvas is copied in, reduced through the filter, or composed in the buffers.
TEST(BufferedOutput, EachBufferCatchesUpOnTheFramesItMissed) {
  const int canvasWidth = 1440, canvasHeight = 1080;
  std::mt19937 random(7);
  for (auto [bufferWidth, bufferHeight, drawnIn] : {std::tuple(1920, 1080, false),
                                                    {1280, 1024, false},
                                                    {1920, 1080, true},
                                                    {1440, 1080, true}}) {
    SCOPED_TRACE(testing::Message() << bufferWidth << (drawnIn ? " drawn in" : ""));
    Pixels frame(canvasWidth, canvasHeight);  // the frame as a canvas of its own
    CanvasView canvas = frame.View();
    BufferedOutput output(bufferWidth, bufferHeight, 2);
    std::vector<Pixels> buffers(2, Pixels(bufferWidth, bufferHeight, 0xDEADBEEF));
    int shown = -1, pending = -1;  // the buffer the server reads; one drawn in, not shown yet
    for (int n = 0; n < 9; ++n) {
      // Four pictures drifting a few pixels a frame (each frame's area overlapping the last's),
      // and one anywhere; the first frame whole.
      PixelRegion written(canvas.Bounds());
      if (n > 0) written.Clear();
      for (int p = 0; p < 5 && n > 0; ++p) {
        const int left = p < 4 ? 100 + 300 * p + n * (p + 1) : random() % (canvasWidth - 60);
        const int top = p < 4 ? 200 + 100 * p + n * (p - 1) : random() % (canvasHeight - 60);
        written.Add({left, top, left + 20 + int(random() % 40), top + 20 + int(random() % 40)});
      }
      const int free = pending >= 0 ? pending : shown < 0 ? 0 : 1 - shown;
      Pixels& buffer = buffers[free];
      if (drawnIn) {
        const auto inBuffer = output.DrawIn(free, canvas, buffer.bytes(), bufferWidth * 4, written);
        ASSERT_TRUE(inBuffer);
        canvas = *inBuffer;
      }
      for (const PixelRect& r : written.Rectangles()) {
        for (int y = r.top; y < r.bottom; ++y) {
          for (int x = r.left; x < r.right; ++x) {
            frame.data[size_t(y) * canvasWidth + x] = random() & 0xFFFFFF;
            reinterpret_cast<uint32_t*>(canvas.Row(y))[x] = frame.data[size_t(y) * canvasWidth + x];
          }
        }
      }
      output.NoteWritten(canvas, written);
      EXPECT_TRUE(output.Behind());
      if (n % 3 == 1) {  // the server asked for no frame yet: drawn again before this one goes
        pending = free;
        continue;
      }
      pending = -1;
      const auto damage = output.Refresh(free, canvas, buffer.bytes(), bufferWidth * 4);
      EXPECT_FALSE(output.Behind());

      BufferedOutput fresh(bufferWidth, bufferHeight, 1);
      Pixels expected(bufferWidth, bufferHeight, 0x12345678);
      fresh.Refresh(0, frame.View(), expected.bytes(), bufferWidth * 4);
      ASSERT_EQ(buffer.data, expected.data) << "frame " << n;
      // The damage put back as it was shown before: no other pixel differs.
      Pixels undamaged = buffer;
      for (const PixelRect& r : damage)
        for (int y = r.top; y < r.bottom; ++y)
          for (int x = r.left; x < r.right; ++x) undamaged.data[y * bufferWidth + x] = 0xFEEDFACE;
      for (size_t i = 0; i < undamaged.data.size(); ++i) {
        ASSERT_TRUE(undamaged.data[i] == 0xFEEDFACE ||
                    (shown >= 0 && undamaged.data[i] == buffers[shown].data[i]))
            << "a change outside the damage at " << i << ", frame " << n;
      }
      shown = free;
    }
    // Only the few rectangles are sent, not the whole buffer.
    int64_t damaged = 0;
    for (const PixelRect& r :
         output.Refresh(1 - shown, canvas, buffers[1 - shown].bytes(), bufferWidth * 4))
      damaged += int64_t(r.Width()) * r.Height();
    EXPECT_LT(damaged, int64_t(bufferWidth) * bufferHeight / 20);
  }
}

// A buffer of another size than the canvas takes it through the filter: nothing is drawn in it.
TEST(BufferedOutput, ABufferThatReducesTheCanvasIsNotDrawnIn) {
  Pixels canvas(1440, 1080), buffer(1280, 1024);
  BufferedOutput output(1280, 1024, 2);
  EXPECT_FALSE(output.DrawIn(0, canvas.View(), buffer.bytes(), 1280 * 4, PixelRegion()));
}

}  // namespace
}  // namespace skyvault
