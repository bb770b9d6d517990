// Frame after frame of the typical scene at 1920 x 1080 (scale 1.8) with
// the message drawn by FreeType: a short one, and 6,000 distinct CJK
// characters (more than the renderer keeps glyphs of, so every layout of
// it renders glyphs again). Once drawn, a message is kept as a picture and
// not laid out again, so both should cost about the same a frame.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/demo_scene.h"
#include "controls/compositor.h"
#include "controls/linux/freetype_text_renderer.h"
#include "controls/testing/memory_canvas_host.h"

namespace skyvault {
namespace {

std::string DistinctCjk(int count) {
  std::string text;
  for (char32_t c = 0x4E00; c < 0x4E00 + static_cast<char32_t>(count); ++c) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
  return text;
}

void ComposeNextFrameWithMessage(benchmark::State& state, std::string message) {
  DemoPictureDecoder decoder;
  FreeTypeTextRenderer text;
  MemoryCanvasHost host;
  host.scale = 1.8;
  Compositor compositor(decoder, text, host);
  compositor.InitDisplay(800, 600, 16, "");
  DemoScene scene(compositor, TypicalAircraft(), std::move(message));
  scene.DrawFrame(0, "12:34:56");  // the first frame draws the message
  int frame = 1;
  for (auto _ : state) {
    scene.DrawFrame(frame++, "12:34:56");
    benchmark::DoNotOptimize(compositor.canvas().bits);
    benchmark::ClobberMemory();
  }
}
BENCHMARK_CAPTURE(ComposeNextFrameWithMessage, Short, std::string("Place a Message Here"))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ComposeNextFrameWithMessage, Cjk6000, DistinctCjk(6000))
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace skyvault
