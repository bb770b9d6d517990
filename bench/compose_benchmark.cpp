// What one frame of the saver costs the compositor, next to a plain memory
// copy of the bytes such a frame writes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "controls/canvas_scaler.h"
#include "controls/compositor.h"
#include "controls/frame_diff.h"
#include "controls/testing/demo_scene.h"
#include "controls/testing/memory_canvas_host.h"
#include "controls/testing/stand_in_text_renderer.h"

namespace skyvault {
namespace {

struct ComposeSetup {
  DemoPictureDecoder decoder;
  StandInTextRenderer text;
  MemoryCanvasHost host;
  Compositor compositor{decoder, text, host};
  ComposeSetup() { compositor.InitDisplay(800, 600, 16, ""); }
};

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
  ComposeSetup setup;
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
BENCHMARK(ComposeFirstRunFrame)->Unit(benchmark::kMicrosecond);

// Frame after frame of a scene: only what moved (and the clock once a
// second) is composed again. `Typical`: the bomber and three relay
// aircraft; `Sixteen`: the first-run scene, all sixteen aircraft moving.
void ComposeNextFrame(benchmark::State& state, std::vector<DemoAircraft> aircraft) {
  ComposeSetup setup;
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
BENCHMARK_CAPTURE(ComposeNextFrame, Typical, TypicalAircraft())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ComposeNextFrame, Sixteen, FirstRunAircraft())->Unit(benchmark::kMicrosecond);

// The bytes a first-run frame writes: the background, sixteen 280 x 100
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

// The presenter's work per frame besides scaling and sending: finding which
// of the redrawn tiles of a typical frame really changed.
void DiffFrame(benchmark::State& state) {
  ComposeSetup setup;
  DemoScene scene(setup.compositor, TypicalAircraft());
  FrameDiff diff;
  int frame = 0;
  scene.DrawFrame(frame++, Clock(0));
  diff.Update(setup.compositor.canvas(), setup.host.lastWritten);
  for (auto _ : state) {
    state.PauseTiming();
    scene.DrawFrame(frame, Clock(frame));
    ++frame;
    state.ResumeTiming();
    benchmark::DoNotOptimize(
        diff.Update(setup.compositor.canvas(), setup.host.lastWritten).Count());
  }
}
BENCHMARK(DiffFrame)->Unit(benchmark::kMicrosecond);

// Scaling the whole canvas to 1440 x 1080 (the picture on a 1920 x 1080
// monitor), as the first frame and repaints do.
void ScaleWholeFrameToFullHd(benchmark::State& state) {
  ComposeSetup setup;
  DemoScene scene(setup.compositor, FirstRunAircraft());
  scene.DrawFrame(0, Clock(0));
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
