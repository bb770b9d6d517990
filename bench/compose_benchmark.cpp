// What one frame of the saver costs the compositor at the screen's
// resolution, next to plain memory copies measured in the same run. The
// argument is the scale times ten: 10 (800 x 600), 18 (a 1920 x 1080
// screen: 1440 x 1080) and 36 (3840 x 2160: 2880 x 2160).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

#include "bench/demo_scene.h"
#include "controls/compositor.h"
#include "controls/frame_geometry.h"
#include "controls/testing/memory_canvas_host.h"
#include "controls/testing/stand_in_text_renderer.h"

namespace skyvault {
namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

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
std::string ClockText(int frame) {
  const int s = 45296 + frame / 60;
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", s / 3600 % 24, s / 60 % 60, s % 60);
  return text;
}

// The time a plain copy of `bytes` bytes takes here and now: the median
// of a few rounds, after one that brings the memory in.
double CopySeconds(size_t bytes) {
  std::vector<uint8_t> from(std::max<size_t>(bytes, 1), 1), to(from.size(), 0);
  std::vector<double> rounds;
  for (int round = 0; round < 22; ++round) {
    const Clock::time_point start = Clock::now();
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
    if (round > 0) rounds.push_back(Seconds(Clock::now() - start));
  }
  std::nth_element(rounds.begin(), rounds.begin() + rounds.size() / 2, rounds.end());
  return rounds[rounds.size() / 2];
}

// A first-run frame on a new canvas, so that every pixel is composed: the
// 800 x 600 background picture, sixteen aircraft of 280 x 100 with alpha
// edges all on screen, the message and the clock line, then ShowFrame.
// `compose/copy`: its time over a plain copy of the whole canvas.
void ComposeFirstRunFrame(benchmark::State& state) {
  ComposeSetup setup(state);
  DemoScene scene(setup.compositor, FirstRunAircraft());
  int frame = 0;
  Clock::duration composing{};
  for (auto _ : state) {
    state.PauseTiming();
    setup.compositor.InitDisplay(800, 600, 16, "");
    state.ResumeTiming();
    const Clock::time_point start = Clock::now();
    scene.DrawFrame(frame++, ClockText(0));
    composing += Clock::now() - start;
    benchmark::DoNotOptimize(setup.compositor.canvas().bits);
    benchmark::ClobberMemory();
  }
  const CanvasView& canvas = setup.compositor.canvas();
  const double copy = CopySeconds(static_cast<size_t>(canvas.width) * canvas.height * 4);
  state.counters["copy_us"] = copy * 1e6;
  state.counters["compose/copy"] = Seconds(composing) / frame / copy;
}
BENCHMARK(ComposeFirstRunFrame)->Apply(AtEveryScale);

// Frame after frame of a scene: only what moved (and the clock once a
// second) is composed again. `Typical`: the bomber and three relay
// aircraft; `Sixteen`: the first-run scene, all sixteen aircraft moving.
// Per frame: the pixels redrawn and the rectangles they came in, and the
// floor, a plain copy of 12 bytes per redrawn pixel (the background and
// the picture read, the canvas written), with the compose time over it.
void ComposeNextFrame(benchmark::State& state, std::vector<DemoAircraft> aircraft) {
  ComposeSetup setup(state);
  DemoScene scene(setup.compositor, std::move(aircraft));
  int frame = 0;
  int64_t pixels = 0, rectangles = 0;
  Clock::duration composing{};
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    scene.DrawFrame(frame, ClockText(frame));
    composing += Clock::now() - start;
    ++frame;
    pixels += setup.host.lastWritten.Area();
    rectangles += static_cast<int64_t>(setup.host.lastWritten.Rectangles().size());
    benchmark::DoNotOptimize(setup.compositor.canvas().bits);
    benchmark::ClobberMemory();
  }
  const double perFrame = static_cast<double>(pixels) / frame;
  const double floor = CopySeconds(static_cast<size_t>(perFrame * 12));
  state.counters["pixels"] = perFrame;
  state.counters["rects"] = static_cast<double>(rectangles) / frame;
  state.counters["floor_us"] = floor * 1e6;
  state.counters["compose/floor"] = Seconds(composing) / frame / floor;
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
