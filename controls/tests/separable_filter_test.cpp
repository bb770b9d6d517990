#include "controls/separable_filter.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

namespace skyvault {
namespace {

TEST(AxisTaps, EveryOutputReadsInsideTheSourceWithWeightsThatSumToOne) {
  const struct {
    int source;
    double from, to;
    int outputs;
  } cases[] = {
      {800, 0, 800, 2880}, {3200, 0, 3200, 2880}, {2880, 0, 2880, 1920}, {1, 0, 1, 9},
      {2, 0, 2, 1},        {3, 0, 3, 2},          {8192, 0, 8192, 1},    {1600, 200, 1400, 2880},
      {10, -3, 14, 5}};
  for (FilterKernel kernel : {FilterKernel::CatmullRom, FilterKernel::Triangle}) {
    for (const auto& c : cases) {
      const AxisTaps taps = BuildAxisTaps(c.source, c.from, c.to, c.outputs, kernel);
      ASSERT_EQ(taps.outputs(), c.outputs);
      ASSERT_GE(taps.count, 1);
      ASSERT_LE(taps.count, c.source);
      for (int i = 0; i < c.outputs; ++i) {
        ASSERT_GE(taps.first[i], 0);
        ASSERT_LE(taps.first[i] + taps.count, c.source);
        const auto w = taps.weights.begin() + ptrdiff_t(i) * taps.count;
        ASSERT_EQ(std::accumulate(w, w + taps.count, 0), kFilterOne) << c.source << " " << i;
      }
    }
  }
  EXPECT_EQ(BuildAxisTaps(0, 0, 1, 4, FilterKernel::Triangle).outputs(), 0);
  EXPECT_EQ(BuildAxisTaps(4, 2, 2, 4, FilterKernel::Triangle).outputs(), 0);
  EXPECT_EQ(BuildAxisTaps(4, 0, 4, 0, FilterKernel::Triangle).outputs(), 0);
}

// Where vector instructions are used, they give exactly the pixels of the
// plain code: for any number of rows, any row length and any part of a row.
TEST(RowFilter, VectorAndPlainCodeGiveTheSamePixels) {
  std::mt19937 random(5);
  for (int rowCount = 1; rowCount <= 7; ++rowCount) {
    for (int width : {1, 3, 4, 5, 17, 64, 101}) {
      std::vector<std::vector<uint32_t>> rows(static_cast<size_t>(rowCount),
                                              std::vector<uint32_t>(width));
      std::vector<const uint32_t*> pointers;
      for (auto& row : rows) {
        for (uint32_t& p : row) p = random();
        pointers.push_back(row.data());
      }
      std::vector<int16_t> weights(static_cast<size_t>(rowCount));
      for (auto& w : weights) w = int16_t(int(random() % 24000) - 4000);
      for (int outputs : {1, 2, width * 3 + 1, std::max(1, width / 3)}) {
        const AxisTaps taps = BuildAxisTaps(width, 0, width, outputs, FilterKernel::CatmullRom);
        for (PixelRange range : {PixelRange::Premultiplied, PixelRange::Opaque}) {
          const int from = outputs / 4, to = outputs - outputs / 5;
          std::vector<uint32_t> vector(static_cast<size_t>(to - from)), plain(vector.size());
          RowFilter().FilterRow(pointers.data(), weights.data(), rowCount, taps, from, to, range,
                                vector.data());
          RowFilter(true).FilterRow(pointers.data(), weights.data(), rowCount, taps, from, to,
                                    range, plain.data());
          ASSERT_EQ(vector, plain) << rowCount << " rows of " << width << " -> " << outputs;
        }
      }
    }
  }
}

}  // namespace
}  // namespace skyvault
