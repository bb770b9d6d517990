#include "controls/separable_filter.h"

#include <gtest/gtest.h>

#include <random>

namespace skyvault {
namespace {

// Every vector level here gives the plain code's pixels for any row count, length and part.
TEST(RowFilter, VectorAndPlainCodeGiveTheSamePixels) {
  std::mt19937 random(5);
  for (int rowCount = 1; rowCount <= 7; ++rowCount) {
    for (int width : {1, 3, 5, 17, 101}) {
      std::vector<uint32_t> pixels(static_cast<size_t>(rowCount * width));
      for (uint32_t& p : pixels) p = random();
      std::vector<const uint32_t*> rows;
      std::vector<int16_t> weights;
      for (int k = 0; k < rowCount; ++k) {
        rows.push_back(&pixels[static_cast<size_t>(k * width)]);
        weights.push_back(int16_t(int(random() % 24000) - 4000));
      }
      for (int outputs : {1, width * 3 + 1, std::max(2, width / 3)}) {
        const AxisTaps taps = BuildAxisTaps(width, 0, width, outputs, FilterKernel::CatmullRom);
        for (PixelRange range : {PixelRange::Premultiplied, PixelRange::Opaque}) {
          const int from = outputs / 4, to = outputs - outputs / 5;
          std::vector<uint32_t> vector(static_cast<size_t>(to - from)), plain(vector.size());
          RowFilter(PixelRowsLevel::Scalar)
              .FilterRow(rows.data(), weights.data(), rowCount, taps, from, to, range,
                         plain.data());
          for (auto level : {PixelRowsLevel::Sse2, PixelRowsLevel::Avx2}) {
            if (!PixelRowsLevelAvailable(level)) continue;
            RowFilter(level).FilterRow(rows.data(), weights.data(), rowCount, taps, from, to, range,
                                       vector.data());
            ASSERT_EQ(vector, plain) << PixelRowsLevelName(level) << ": " << rowCount << " rows of "
                                     << width << " -> " << outputs;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace skyvault
