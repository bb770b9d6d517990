// Text drawn once and kept like a picture, in the compositor's frames.
#include "controls/text_pictures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "controls/compositor.h"
#include "controls/pixel_format.h"
#include "controls/testing/fake_image_decoder.h"
#include "controls/testing/memory_canvas_host.h"
#include "controls/testing/stand_in_text_renderer.h"

namespace skyvault {
namespace {

struct CountingTextRenderer : StandInTextRenderer {
  PixelRect Bounds(const CanvasView& canvas, const std::string& text, int x, int y) override {
    ++measured;  // by the stand-in's drawing too
    return StandInTextRenderer::Bounds(canvas, text, x, y);
  }
  void Draw(const CanvasView& canvas, const std::string& text, int x, int y, int32_t colour,
            const PixelRect& clip) override {
    ++drawn;
    StandInTextRenderer::Draw(canvas, text, x, y, colour, clip);
  }
  int measured = 0, drawn = 0;
};

// Text as the last frame drew it is neither measured nor drawn again; a change of colour, place,
// font or text shows exactly as the renderer draws it. Only the last two frames' texts are kept.
TEST(TextPictures, UnchangedTextIsDrawnOnceAndEveryChangeAnew) {
  testing::FakeImageDecoder decoder;
  CountingTextRenderer text;
  MemoryCanvasHost host;
  Compositor compositor(decoder, text, host);
  ASSERT_TRUE(compositor.InitDisplay(400, 300, 32, ""));
  const CanvasView canvas = compositor.canvas();
  struct Line {
    std::string text;
    int x, y, size;
    int32_t colour;
  };
  auto frame = [&](const Line& line) {
    compositor.ClearFrame(Rgb(10, 20, 30));
    compositor.SetTextFont("Arial", line.size, 1, false, false, false);
    compositor.DrawText(line.text, line.x, line.y, line.colour);
    compositor.ShowFrame();
  };
  auto expectDrawnAsRendered = [&](const Line& line) {
    std::vector<uint32_t> want(400 * 300, ColourToXrgb(Rgb(10, 20, 30)));
    StandInTextRenderer reference;
    reference.SetFont({"Arial", line.size, 1});
    const CanvasView view{reinterpret_cast<uint8_t*>(want.data()), 400, 300, 400 * 4, 32};
    reference.Draw(view, line.text, line.x, line.y, line.colour, view.Bounds());
    ASSERT_EQ(0, std::memcmp(canvas.bits, want.data(), want.size() * 4)) << line.text;
  };

  const Line first{"12:34:56", 20, 30, 16, Rgb(255, 0, 0)};
  for (int i = 0; i < 3; ++i) frame(first);
  // Measured once, drawn over black and over white (each drawing measures).
  EXPECT_EQ(std::pair(text.measured, text.drawn), std::pair(1 + 2, 2));
  expectDrawnAsRendered(first);

  for (const Line& changed : {Line{"12:34:56", 20, 30, 16, Rgb(0, 0, 255)},
                              {"12:34:56", 21, 30, 16, Rgb(0, 0, 255)},
                              {"12:34:56", 21, 30, 24, Rgb(0, 0, 255)},
                              {"12:34:5", 21, 30, 24, Rgb(0, 0, 255)}}) {
    const int drawn = text.drawn;
    frame(changed);
    frame(changed);
    EXPECT_EQ(text.drawn, drawn + 2) << changed.text;
    expectDrawnAsRendered(changed);
  }

  TextPictures kept(text);
  for (int second = 0; second < 10; ++second) {
    kept.Find(canvas, {"", 16}, std::to_string(second), 0, 0, 0);
    kept.Find(canvas, {"", 16}, "message", 0, 40, 0);
    kept.EndFrame();
  }
  EXPECT_EQ(kept.size(), 3u);  // the message and the last two seconds
}

}  // namespace
}  // namespace skyvault
