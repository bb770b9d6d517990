#pragma once
#include <cstdint>
#include <vector>

#include "controls/forwarding_drawing_control.h"

namespace skyvault {

// A drawing control that passes every call on to another and notes the
// steady clock's time at which each ShowFrame returned: the moments the
// frames reached the screen. For the pacing benchmarks, never the saver.
class TimedDrawingControl : public ForwardingDrawingControl {
 public:
  TimedDrawingControl(DrawingControl& inner, size_t expectedFrames);

  // Nanoseconds, one per ShowFrame, in order.
  const std::vector<int64_t>& shownAt() const { return shownAt_; }

  void ShowFrame() override;

 private:
  std::vector<int64_t> shownAt_;
};

// Prints how evenly the frames came: their number over `seconds`, the share
// of intervals within 16.7 +- 4 ms, the median, 1st and 99th percentiles and
// the longest interval.
void PrintFramePacing(const std::vector<int64_t>& shownAt, int seconds);

}  // namespace skyvault
