// Composing straight into the display server's buffers: the compositor
// draws each frame in whatever memory its host hands it (holding the last
// frame but for the pixels about to be drawn), and a buffer drawn in
// shows what a buffer filled by copying would.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "controls/buffered_output.h"
#include "controls/compositor.h"
#include "controls/testing/fake_image_decoder.h"
#include "controls/testing/memory_canvas_host.h"
#include "controls/testing/stand_in_text_renderer.h"

namespace skyvault {
namespace {

constexpr uint32_t kPoison = 0xFF00FF;

// Hands the compositor other memory every frame, of another stride, with
// the last frame copied in everywhere but where the frame is about to draw
// (poison there); the memory it leaves is spoilt.
class MovingCanvasHost : public CanvasHost {
 public:
  bool DisplaySupports(int) override { return true; }
  double ScaleFor(int, int) override { return 1.5; }
  std::optional<CanvasView> CreateCanvas(int width, int height) override {
    for (int i = 0; i < 2; ++i) {
      strides_[i] = (width + 8 * i) * 4;
      memory_[i].assign(static_cast<size_t>(strides_[i]) * height, 0);
    }
    current_ = 0;
    return CanvasView{memory_[0].data(), width, height, strides_[0], 32};
  }
  void PrepareToDraw(CanvasView& canvas, const PixelRegion& redraw) override {
    const int next = 1 - current_;
    const CanvasView to{memory_[next].data(), canvas.width, canvas.height, strides_[next], 32};
    for (int y = 0; y < canvas.height; ++y) {
      auto* out = reinterpret_cast<uint32_t*>(to.Row(y));
      const auto* in = reinterpret_cast<const uint32_t*>(canvas.Row(y));
      for (int x = 0; x < canvas.width; ++x) out[x] = redraw.Contains(x, y) ? kPoison : in[x];
    }
    // What the canvas leaves is the server's again: it may hold anything.
    std::fill(memory_[current_].begin(), memory_[current_].end(), 0x5A);
    canvas = to;
    current_ = next;
    ++moves;
  }
  void Present(const CanvasView&, const PixelRegion&) override {}

  int moves = 0;

 private:
  std::vector<uint8_t> memory_[2];
  int strides_[2] = {};
  int current_ = 0;
};

// The first-run art, text and the clock, frame after frame with the
// aircraft moving, composed on a canvas that stays and on one that moves:
// every frame equal, pixel for pixel.
TEST(CanvasInBuffer, TheCompositorDrawsInTheMemoryItsHostHandsIt) {
  std::mt19937 random(3);
  auto picture = [&](int width, int height, bool soft) {
    DecodedImage image{width, height, std::vector<uint32_t>(size_t(width) * height), soft};
    for (uint32_t& p : image.pixels)
      p = testing::Premultiplied(random() % 256, random() % 256, random() % 256,
                                 soft ? random() % 256 : 255);
    return image;
  };
  testing::FakeImageDecoder decoder;
  decoder.pictures = {{"sky", picture(800, 600, false)},
                      {"keyed", picture(150, 60, false)},
                      {"soft1", picture(120, 50, true)},
                      {"soft2", picture(90, 70, true)}};
  StandInTextRenderer text;
  MemoryCanvasHost stayingHost;
  stayingHost.scale = 1.5;
  MovingCanvasHost movingHost;
  Compositor staying(decoder, text, stayingHost), moving(decoder, text, movingHost);
  std::vector<int32_t> sprites;
  for (Compositor* c : {&staying, &moving}) {
    ASSERT_TRUE(c->InitDisplay(800, 600, 16, ""));
    for (const char* file : {"sky", "keyed", "soft1", "soft2"}) {
      const int32_t s = c->CreateSprite();
      c->LoadSpriteBitmap(s, kPlainPicture, file, file[0] == 's' && file[1] == 'k' ? -2 : -1);
      if (c == &staying) sprites.push_back(s);
    }
  }
  for (int frame = 0; frame < 6; ++frame) {
    for (Compositor* c : {&staying, &moving}) {
      for (size_t i = 0; i < sprites.size(); ++i) {
        c->SetSpriteX(sprites[i], i == 0 ? 0 : 40 + 90 * int(i) + frame * int(i + 1));
        c->SetSpriteY(sprites[i], i == 0 ? 0 : 60 * int(i) + (frame % 3));
        c->DrawSprite(sprites[i]);
      }
      c->SetTextFont("Arial", 24, 400, false, false, false);
      c->DrawText("12:00:0" + std::to_string(frame / 2), 600, 540, 0xFFFFFF);
      c->DrawText("A line of text", 20 + frame, 20, 0x00FFFF);
      c->ShowFrame();
    }
    const CanvasView &want = staying.canvas(), &got = moving.canvas();
    ASSERT_EQ(std::pair(got.width, got.height), std::pair(want.width, want.height));
    for (int y = 0; y < want.height; ++y)
      ASSERT_EQ(std::memcmp(want.Row(y), got.Row(y), size_t(want.width) * 4), 0)
          << "frame " << frame << ", row " << y;
  }
  EXPECT_GE(movingHost.moves, 5);
}

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
