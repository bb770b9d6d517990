#pragma once
#include <cstdint>
#include <vector>

#include "controls/forwarding_drawing_control.h"

namespace skyvault::win32 {

// A drawing control that passes every call on to another and notes the
// performance-counter time at which each ShowFrame returned: the moments
// the frames reached the screen.
class TimedDrawingControl : public ForwardingDrawingControl {
 public:
  explicit TimedDrawingControl(DrawingControl& inner, size_t expectedFrames = 8192);

  // Performance-counter values, one per ShowFrame, in order.
  const std::vector<int64_t>& shownAt() const { return shownAt_; }

  void ShowFrame() override;

 private:
  std::vector<int64_t> shownAt_;
};

}  // namespace skyvault::win32
