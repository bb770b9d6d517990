// What one frame of the saver costs the compositor at the screen's
// resolution, next to a plain memory copy of a frame of the same size. The
// argument is the scale times ten: 10 (800 x 600), 18 (a 1920 x 1080
// screen: 1440 x 1080) and 36 (3840 x 2160: 2880 x 2160).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench/demo_scene.h"
#include "controls/compositor.h"
#include "controls/frame_geometry.h"
#include "controls/testing/memory_canvas_host.h"
#include "controls/testing/stand_in_text_renderer.h"

namespace skyvault {
namespace {

struct ComposeSetup {
  DemoPictureDecoder decoder;
  StandInTextRenderer text;
  MemoryCanvasHost host;
  Compositor compositor{decoder, text, host};
  explicit ComposeSetup(const benchmark::State& state) {
    host.scale = static_cast<double>(state.range(0)) / 10;
    compositor.InitDisplay(800, 600, 16, "");
  }
};

constexpr int kScales[] = {10, 18, 36};
void AtEveryScale(benchmark::internal::Benchmark* b) {
  for (int scale : kScales) b->Arg(scale);
  b->Unit(benchmark::kMicrosecond);
}

// The clock of frame `frame` at 60 frames a second: a new text every second.
std::string Clock(int frame) {
  const int s = 45296 + frame / 60;
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", s / 3600 % 24, s / 60 % 60, s % 60);
  return text;
}

// A first-run frame on a new canvas, so that every tile is composed: the
// 800 x 600 background picture, sixteen aircraft of 280 x 100 with alpha
// edges all on screen, the message and the clock line, then ShowFrame.
void ComposeFirstRunFrame(benchmark::State& state) {
  ComposeSetup setup(state);
  DemoScene scene(setup.compositor, FirstRunAircraft());
  int frame = 0;
  for (auto _ : state) {
    state.PauseTiming();
    setup.compositor.InitDisplay(800, 600, 16, "");
    state.ResumeTiming();
    scene.DrawFrame(frame++, Clock(0));
    benchmark::DoNotOptimize(setup.compositor.canvas().bits);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(ComposeFirstRunFrame)->Apply(AtEveryScale);

// Frame after frame of a scene: only what moved (and the clock once a
// second) is composed again. `Typical`: the bomber and three relay
// aircraft; `Sixteen`: the first-run scene, all sixteen aircraft moving.
void ComposeNextFrame(benchmark::State& state, std::vector<DemoAircraft> aircraft) {
  ComposeSetup setup(state);
  DemoScene scene(setup.compositor, std::move(aircraft));
  int frame = 0;
  int64_t tiles = 0;
  for (auto _ : state) {
    scene.DrawFrame(frame, Clock(frame));
    ++frame;
    tiles += setup.host.lastWritten.Count();
    benchmark::DoNotOptimize(setup.compositor.canvas().bits);
    benchmark::ClobberMemory();
  }
  state.counters["tiles"] = benchmark::Counter(static_cast<double>(tiles) / frame);
}
BENCHMARK_CAPTURE(ComposeNextFrame, Typical, TypicalAircraft())->Apply(AtEveryScale);
BENCHMARK_CAPTURE(ComposeNextFrame, Sixteen, FirstRunAircraft())->Apply(AtEveryScale);

// A plain copy of a whole frame of the canvas's size, four bytes a pixel.
void CopyFrame(benchmark::State& state) {
  const FrameScale scale(static_cast<double>(state.range(0)) / 10);
  const size_t bytes = static_cast<size_t>(scale.canvasWidth()) * scale.canvasHeight() * 4;
  std::vector<uint8_t> from(bytes, 1), to(bytes, 0);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}
BENCHMARK(CopyFrame)->Apply(AtEveryScale);

}  // namespace
}  // namespace skyvault
