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

// Two buffers taken in turn each hold after a refresh what one filled from scratch holds, though
// each missed the other's frame; the damage reported covers every pixel that changed.
TEST(BufferedOutput, EachBufferCatchesUpOnTheFramesItMissed) {
  const int canvasWidth = 1440, canvasHeight = 1080;
  std::mt19937 random(7);
  // The widest output (copied, bars at the sides) and a smaller one (reduced through the filter).
  for (auto [bufferWidth, bufferHeight] : {std::pair(1920, 1080), {1280, 1024}}) {
    SCOPED_TRACE(bufferWidth);
    Pixels canvas(canvasWidth, canvasHeight);
    for (uint32_t& p : canvas.data) p = random() & 0xFFFFFF;
    BufferedOutput output(bufferWidth, bufferHeight, 2);
    std::vector<Pixels> buffers(2, Pixels(bufferWidth, bufferHeight, 0xDEADBEEF));
    PixelRegion written(canvas.View().Bounds());
    for (int frame = 0; frame < 6; ++frame) {
      output.NoteWritten(canvas.View(), written);
      EXPECT_TRUE(output.Behind());
      Pixels& buffer = buffers[frame % 2];
      const Pixels before = buffer;
      const auto damage = output.Refresh(frame % 2, canvas.View(), buffer.bytes(), bufferWidth * 4);
      EXPECT_FALSE(output.Behind());

      BufferedOutput fresh(bufferWidth, bufferHeight, 1);
      Pixels expected(bufferWidth, bufferHeight, 0x12345678);
      fresh.Refresh(0, canvas.View(), expected.bytes(), bufferWidth * 4);
      ASSERT_EQ(buffer.data, expected.data) << "frame " << frame;
      Pixels undamaged = buffer;  // the damage put back as it was: the buffer before
      for (const PixelRect& r : damage)
        for (int y = r.top; y < r.bottom; ++y)
          for (int x = r.left; x < r.right; ++x)
            undamaged.data[y * bufferWidth + x] = before.data[y * bufferWidth + x];
      ASSERT_EQ(undamaged.data, before.data) << "a change outside the damage, frame " << frame;
      // The next frame changes a few small rectangles here and there.
      written.Clear();
      for (int n = 0; n < 5; ++n) {
        const int left = random() % (canvasWidth - 40), top = random() % (canvasHeight - 40);
        const PixelRect part{left, top, left + 1 + int(random() % 40),
                             top + 1 + int(random() % 40)};
        written.Add(part);
        for (int y = part.top; y < part.bottom; ++y)
          for (int x = part.left; x < part.right; ++x)
            canvas.data[y * canvasWidth + x] = random() & 0xFFFFFF;
      }
    }
    // Only the few rectangles are sent, not the whole buffer.
    output.NoteWritten(canvas.View(), written);
    int64_t damaged = 0;
    for (const PixelRect& r : output.Refresh(0, canvas.View(), buffers[0].bytes(), bufferWidth * 4))
      damaged += int64_t(r.Width()) * r.Height();
    EXPECT_LT(damaged, int64_t(bufferWidth) * bufferHeight / 20);
  }
}

}  // namespace
}  // namespace skyvault
