// Composing straight into the display server's buffers: a buffer drawn in
// shows what a buffer filled by copying would.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "controls/buffered_output.h"

namespace skyvault {
namespace {

struct Pixels {
  int width, height;
  std::vector<uint32_t> data;
  Pixels(int w, int h, uint32_t fill = 0) : width(w), height(h), data(size_t(w) * h, fill) {}
  uint8_t* bytes() { return reinterpret_cast<uint8_t*>(data.data()); }
};

// Frames composed in two buffers taken as a display server frees them
// (now and then one frame held back, drawn twice in the same buffer): each
// shown buffer holds exactly what a buffer filled by copying the frame
// holds, bars included, and its damage covers every pixel that differs
// from the buffer shown before it.
TEST(CanvasInBuffer, BuffersDrawnInShowWhatCopiedBuffersShow) {
  std::mt19937 random(11);
  for (const int bufferWidth : {1440, 1920}) {
    SCOPED_TRACE(bufferWidth);
    const int width = 1440, height = 1080;
    BufferedOutput output(bufferWidth, height, 2);
    std::vector<Pixels> buffers(2, Pixels(bufferWidth, height, 0xDEADBEEF));
    Pixels reference(width, height);  // the frame as a canvas of its own
    Pixels own(width, height);        // where the first frame is made
    CanvasView canvas{own.bytes(), width, height, width * 4, 32};
    int shown = -1;    // the server reads it
    int pending = -1;  // drawn in, not shown yet
    for (int frame = 0; frame < 9; ++frame) {
      // Four pictures drifting a few pixels a frame, each frame's area
      // overlapping the last's, and one anywhere.
      PixelRegion redraw;
      for (int n = 0; n < 5; ++n) {
        const int left = n < 4 ? 100 + 300 * n + frame * (n + 1) : random() % (width - 60);
        const int top = n < 4 ? 200 + 100 * n + frame * (n - 1) : random() % (height - 60);
        redraw.Add(
            PixelRect{left, top, left + 20 + int(random() % 40), top + 20 + int(random() % 40)});
      }
      if (frame == 0) redraw = PixelRegion(canvas.Bounds());
      const int free = pending >= 0 ? pending : (shown < 0 ? 0 : 1 - shown);
      const std::optional<CanvasView> inBuffer =
          output.DrawIn(free, canvas, buffers[free].bytes(), bufferWidth * 4, redraw);
      ASSERT_TRUE(inBuffer);
      canvas = *inBuffer;
      for (const PixelRect& r : redraw.Rectangles()) {
        for (int y = r.top; y < r.bottom; ++y) {
          for (int x = r.left; x < r.right; ++x) {
            const uint32_t pixel = random() & 0xFFFFFF;
            reinterpret_cast<uint32_t*>(canvas.Row(y))[x] = pixel;
            reference.data[size_t(y) * width + x] = pixel;
          }
        }
      }
      output.NoteWritten(canvas, redraw);
      if (frame % 3 == 1) {  // the server asked for no frame yet: drawn in again next time
        pending = free;
        continue;
      }
      pending = -1;
      const std::vector<PixelRect> damage =
          output.Refresh(free, canvas, buffers[free].bytes(), bufferWidth * 4);

      BufferedOutput copied(bufferWidth, height, 1);
      Pixels expected(bufferWidth, height, 0x12345678);
      copied.Refresh(0, {reference.bytes(), width, height, width * 4, 32}, expected.bytes(),
                     bufferWidth * 4);
      ASSERT_EQ(buffers[free].data, expected.data) << "frame " << frame;
      PixelRegion damaged;
      for (const PixelRect& r : damage) damaged.Add(r);
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < bufferWidth; ++x) {
          const size_t i = size_t(y) * bufferWidth + x;
          // The first buffer shown is damaged whole, bars and all.
          if (shown >= 0 && buffers[free].data[i] == buffers[shown].data[i]) continue;
          ASSERT_TRUE(damaged.Contains(x, y)) << x << "," << y << " of frame " << frame;
        }
      }
      shown = free;
    }
  }
}

// A buffer of another size than the canvas takes it through the filter, so
// nothing can be drawn in it.
TEST(CanvasInBuffer, ABufferThatReducesTheCanvasIsNotDrawnIn) {
  Pixels own(1440, 1080), buffer(1280, 1024);
  BufferedOutput output(1280, 1024, 2);
  EXPECT_FALSE(output.DrawIn(0, {own.bytes(), 1440, 1080, 1440 * 4, 32}, buffer.bytes(), 1280 * 4,
                             PixelRegion()));
}

}  // namespace
}  // namespace skyvault
