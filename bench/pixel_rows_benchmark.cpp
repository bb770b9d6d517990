// The row loops of composing at each instruction-set level, on rows that
// stay in the cache: short runs (a soft edge's; each of the AVX2 loops' ways
// of ending a row), 256 pixels, and 1920 (a row of a 1920 x 1080 screen).
// Named <loop>/<level>/<pixels>; a level this processor lacks is reported
// as skipped.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "controls/pixel_rows.h"

namespace skyvault {
namespace {

std::vector<uint32_t> RandomPremultiplied(size_t count) {
  std::mt19937 random(3);
  std::vector<uint32_t> pixels(count);
  for (uint32_t& p : pixels) {
    const uint32_t a = random() % 256;
    p = a << 24 | random() % (a + 1) << 16 | random() % (a + 1) << 8 | random() % (a + 1);
  }
  return pixels;
}

void RowLoop(benchmark::State& state, PixelRowsLevel level, bool blend, size_t length) {
  if (!PixelRowsLevelAvailable(level)) {
    state.SkipWithError("not on this processor");
    return;
  }
  const PixelRowLoops loops = PixelRowLoopsAt(level);
  const std::vector<uint32_t> source = RandomPremultiplied(length);
  std::vector<uint32_t> canvas = RandomPremultiplied(length);
  for (auto _ : state) {
    if (blend) {
      loops.blend(canvas.data(), source.data(), length);
    } else {
      loops.copy(canvas.data(), source.data(), length);
    }
    benchmark::DoNotOptimize(canvas.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(length));
}

const bool kRegistered = [] {
  for (bool blend : {true, false}) {
    for (auto level : {PixelRowsLevel::Scalar, PixelRowsLevel::Sse2, PixelRowsLevel::Avx2}) {
      for (size_t length : {3, 7, 13, 256, 1920}) {
        const std::string name = std::string(blend ? "BlendPixels/" : "CopyPixels/") +
                                 PixelRowsLevelName(level) + "/" + std::to_string(length);
        benchmark::RegisterBenchmark(name.c_str(), RowLoop, level, blend, length);
      }
    }
  }
  return true;
}();

}  // namespace
}  // namespace skyvault
