#pragma once
// The compositor on fakes and a canvas in memory, with helpers to place pictures and check pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "controls/compositor.h"
#include "controls/testing/fake_image_decoder.h"
#include "controls/testing/memory_canvas_host.h"
#include "controls/testing/stand_in_text_renderer.h"

namespace skyvault {

using Pixels = std::map<std::pair<int, int>, uint32_t>;

class CompositorTest : public ::testing::Test {
 protected:
  void Open(int depth = 16) { ASSERT_TRUE(compositor.InitDisplay(800, 600, depth, "")); }
  int width() const { return compositor.canvas().width; }
  int height() const { return compositor.canvas().height; }
  uint32_t At(int x, int y) const {
    return reinterpret_cast<const uint32_t*>(compositor.canvas().Row(y))[x];
  }
  int32_t Sprite(const std::string& path, int32_t code, int x, int y) {
    const int32_t number = compositor.CreateSprite();
    compositor.LoadSpriteBitmap(number, 1, path, code);
    compositor.SetSpriteX(number, x);
    compositor.SetSpriteY(number, y);
    return number;
  }
  void Frame(int32_t background, std::initializer_list<int32_t> sprites) {  // cleared, drawn, shown
    compositor.ClearFrame(background);
    for (int32_t s : sprites) compositor.DrawSprite(s);
    compositor.ShowFrame();
  }
  // Every canvas pixel equals `fill` except those listed.
  void ExpectCanvas(uint32_t fill, const Pixels& except, const std::string& what = "") {
    std::vector<uint32_t> want(size_t(width()) * height(), fill);
    for (const auto& [at, pixel] : except) want[size_t(at.second) * width() + at.first] = pixel;
    ExpectCanvas(want, what);
  }
  void ExpectCanvas(const std::vector<uint32_t>& want, const std::string& what) {
    int wrong = 0;
    for (int y = 0; y < height(); ++y)
      for (int x = 0; x < width(); ++x)
        if (At(x, y) != want[size_t(y) * width() + x] && ++wrong <= 5)
          ADD_FAILURE() << what << " at " << x << "," << y << std::hex << ": " << At(x, y);
    EXPECT_EQ(wrong, 0) << what;
  }
  // The pixels that `draw` leaves on a compositor of its own (same pictures, a new canvas).
  std::vector<uint32_t> DrawnAfresh(const std::function<void(Compositor&)>& draw) {
    MemoryCanvasHost freshHost;
    StandInTextRenderer freshText;
    Compositor fresh{decoder, freshText, freshHost};
    draw(fresh);
    const auto* bits = reinterpret_cast<const uint32_t*>(fresh.canvas().bits);
    return {bits, bits + size_t(fresh.canvas().width) * fresh.canvas().height};
  }

  testing::FakeImageDecoder decoder;
  StandInTextRenderer text;
  MemoryCanvasHost host;
  Compositor compositor{decoder, text, host};
};

}  // namespace skyvault
