// What one frame of the saver costs the compositor, next to a plain memory
// copy of the bytes such a frame writes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "controls/canvas_scaler.h"
#include "controls/compositor.h"
#include "controls/demo_scene.h"
#include "controls/frame_diff.h"
#include "controls/stand_in_text_renderer.h"

namespace skyvault {
namespace {

struct ComposeSetup {
  DemoPictureDecoder decoder;
  StandInTextRenderer text;
  MemoryCanvasHost host;
  Compositor compositor{decoder, text, host};
  ComposeSetup() { compositor.InitDisplay(800, 600, 16, ""); }
};

// A first-run frame: the 800 x 600 background picture, sixteen aircraft
// of about 280 x 100 with alpha edges all on screen, the message and the
// clock line, then ShowFrame.
void ComposeFirstRunFrame(benchmark::State& state) {
  ComposeSetup setup;
  DemoScene scene(setup.compositor);
  int frame = 0;
  for (auto _ : state) {
    scene.DrawFrame(frame++, "12:34:56");
    setup.compositor.ShowFrame();
    benchmark::DoNotOptimize(setup.compositor.canvas().bits);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(ComposeFirstRunFrame)->Unit(benchmark::kMicrosecond);

// The bytes the frame above writes: the background, sixteen 280 x 100
// aircraft and about 30 rows of text, all at two bytes a pixel.
void MemcpyFrame(benchmark::State& state) {
  const size_t bytes = (800 * 600 + 16 * 280 * 100 + 30 * 800) * 2;
  std::vector<uint8_t> from(bytes, 1), to(bytes, 0);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}
BENCHMARK(MemcpyFrame)->Unit(benchmark::kMicrosecond);

// The presenter's work per frame besides sending: finding changed tiles.
void DiffFrame(benchmark::State& state) {
  ComposeSetup setup;
  DemoScene scene(setup.compositor);
  FrameDiff diff;
  TileMask all(800, 600);
  all.MarkAll();
  int frame = 0;
  for (auto _ : state) {
    state.PauseTiming();
    scene.DrawFrame(frame++, "12:34:56");
    state.ResumeTiming();
    benchmark::DoNotOptimize(diff.Update(setup.compositor.canvas(), all).Count());
  }
}
BENCHMARK(DiffFrame)->Unit(benchmark::kMicrosecond);

// Scaling the whole canvas to 1440 x 1080 (the picture on a 1920 x 1080
// monitor), as the first frame and repaints do.
void ScaleWholeFrameToFullHd(benchmark::State& state) {
  ComposeSetup setup;
  DemoScene scene(setup.compositor);
  scene.DrawFrame(0, "12:34:56");
  std::vector<uint32_t> output(1920 * 1080);
  CanvasScaler scaler(800, 600, Letterbox(800, 600, {0, 0, 1920, 1080}));
  for (auto _ : state) {
    scaler.Scale(setup.compositor.canvas(), {0, 0, 800, 600},
                 reinterpret_cast<uint8_t*>(output.data()), 1920 * 4);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(ScaleWholeFrameToFullHd)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace skyvault
