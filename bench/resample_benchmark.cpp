// What preparing the pictures for a large screen costs at load (resampling
// the bridge and the aircraft from their @4x art, or enlarging the 800 x 600
// art when there is none), and what the filtered scaler costs per frame for
// a monitor with a smaller letterbox.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "controls/filtered_canvas_scaler.h"
#include "controls/resampler.h"

namespace skyvault {
namespace {

// Busy pixels; with `alpha`, an aircraft's shape: an ellipse covering about
// 40 % of the picture on a clear ground, as the stock aircraft have.
DecodedImage Noise(int width, int height, bool alpha) {
  std::mt19937 random(1);
  DecodedImage image{width, height, std::vector<uint32_t>(size_t(width) * height), alpha};
  for (int i = 0; i < width * height; ++i) {
    const double x = (i % width + 0.5) / width - 0.5, y = (i / width + 0.5) / height - 0.5;
    if (alpha && x * x / 0.2025 + y * y / 0.09 > 1) continue;
    const uint32_t a = alpha ? random() % 256 : 255;
    const auto c = [&] { return uint32_t(random() % (a + 1)); };
    image.pixels[i] = a << 24 | c() << 16 | c() << 8 | c();
  }
  return image;
}

// Args: source width, height, output width, height.
void ResamplePicture(benchmark::State& state) {
  const DecodedImage source =
      Noise(int(state.range(0)), int(state.range(1)), state.range(0) < 2000);
  for (auto _ : state) {
    auto out = Resample(source, int(state.range(2)), int(state.range(3)));
    benchmark::DoNotOptimize(out->pixels.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(2) * state.range(3));
}
BENCHMARK(ResamplePicture)
    ->Unit(benchmark::kMillisecond)
    ->Args({3200, 2400, 2880, 2160})  // Bridge@4x on a 3840 x 2160 monitor
    ->Args({3200, 2400, 1440, 1080})  // Bridge@4x on a 1920 x 1080 monitor
    ->Args({800, 600, 2880, 2160})    // a user's 800 x 600 picture on 3840 x 2160
    ->Args({1196, 324, 1076, 292})    // Plane24@4x (299 x 81) at 3.6
    ->Args({1160, 400, 1044, 360})    // Plane25@4x (290 x 100) at 3.6
    ->Args({1160, 400, 522, 180})     // the same at 1.8
    ->Args({290, 100, 1044, 360});    // Plane25 without its companion, at 3.6

// The sixteen aircraft from their @4x art at 3.6 (a 3840 x 2160 monitor),
// as the saver loads them.
void ResampleSixteenAircraft(benchmark::State& state) {
  const int sizes[16][2] = {{277, 93}, {228, 83}, {221, 84}, {209, 74}, {214, 82}, {218, 88},
                            {215, 73}, {239, 91}, {240, 99}, {210, 78}, {224, 94}, {230, 82},
                            {221, 94}, {222, 92}, {299, 81}, {290, 100}};
  std::vector<DecodedImage> art;
  for (const auto& s : sizes) art.push_back(Noise(4 * s[0], 4 * s[1], true));
  for (auto _ : state) {
    for (size_t i = 0; i < art.size(); ++i) {
      auto out = Resample(art[i], int(sizes[i][0] * 3.6 + 0.5), int(sizes[i][1] * 3.6 + 0.5));
      benchmark::DoNotOptimize(out->pixels.data());
    }
  }
}
BENCHMARK(ResampleSixteenAircraft)->Unit(benchmark::kMillisecond);

// Per frame: a 2880 x 2160 canvas onto a 1920 x 1440 letterbox, the changed
// part 560 x 190 (an aircraft's band), then the whole frame.
void ScaleCanvasFiltered(benchmark::State& state) {
  std::vector<uint32_t> canvas(2880 * 2160);
  std::mt19937 random(2);
  for (uint32_t& p : canvas) p = random() & 0xFFFFFF;
  const CanvasView view{reinterpret_cast<uint8_t*>(canvas.data()), 2880, 2160, 2880 * 4, 32};
  std::vector<uint32_t> output(1920 * 1440);
  const FilteredCanvasScaler scaler(2880, 2160, {0, 0, 1920, 1440});
  const PixelRect changed =
      state.range(0) ? PixelRect{1000, 700, 1560, 890} : PixelRect{0, 0, 2880, 2160};
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        scaler.Scale(view, changed, reinterpret_cast<uint8_t*>(output.data()), 1920 * 4));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(ScaleCanvasFiltered)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace skyvault
