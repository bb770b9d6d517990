#include "display/bench/frame_pacing.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "display/saver_display.h"

namespace skyvault {
namespace {

constexpr double kFrameMs = 1000.0 / SaverDisplay::kFramesPerSecond;
constexpr double kToleranceMs = 4.0;

double Percentile(const std::vector<double>& sorted, double share) {
  if (sorted.empty()) return 0;
  return sorted[std::min(sorted.size() - 1, static_cast<size_t>(share * sorted.size()))];
}

}  // namespace

TimedDrawingControl::TimedDrawingControl(DrawingControl& inner, size_t expectedFrames)
    : ForwardingDrawingControl(inner) {
  shownAt_.reserve(expectedFrames);  // no allocation while frames are timed
}

void TimedDrawingControl::ShowFrame() {
  ForwardingDrawingControl::ShowFrame();
  shownAt_.push_back(std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::chrono::steady_clock::now().time_since_epoch())
                         .count());
}

void PrintFramePacing(const std::vector<int64_t>& shownAt, int seconds) {
  std::vector<double> intervals;
  for (size_t i = 1; i < shownAt.size(); ++i)
    intervals.push_back((shownAt[i] - shownAt[i - 1]) / 1e6);
  const auto within = std::count_if(intervals.begin(), intervals.end(), [](double ms) {
    return ms >= kFrameMs - kToleranceMs && ms <= kFrameMs + kToleranceMs;
  });
  std::sort(intervals.begin(), intervals.end());
  std::printf("frames %zu in %d s (%.1f per second)\n", shownAt.size(), seconds,
              shownAt.size() / static_cast<double>(seconds));
  std::printf("intervals within 16.7 +- 4 ms: %.2f %%\n",
              intervals.empty() ? 0.0 : 100.0 * within / intervals.size());
  std::printf("median %.3f ms, p1 %.3f ms, p99 %.3f ms, longest %.3f ms\n",
              Percentile(intervals, 0.5), Percentile(intervals, 0.01), Percentile(intervals, 0.99),
              intervals.empty() ? 0.0 : intervals.back());
}

}  // namespace skyvault
