#include "controls/frame_schedule.h"

#include <algorithm>

namespace skyvault {

FrameSchedule::FrameSchedule(int64_t ticksPerSecond, int framesPerSecond, int64_t start,
                             int maxFramesBehind)
    : ticksPerSecond_(std::max<int64_t>(ticksPerSecond, 1)),
      framesPerSecond_(std::max(framesPerSecond, 1)),
      start_(start),
      maxFramesBehind_(std::max(maxFramesBehind, 1)) {}

int64_t FrameSchedule::TimeOf(int64_t frame) const {
  // Whole seconds and the rest apart, so that no product overflows.
  return start_ + (frame / framesPerSecond_) * ticksPerSecond_ +
         (frame % framesPerSecond_) * ticksPerSecond_ / framesPerSecond_;
}

int64_t FrameSchedule::NextDue() const { return TimeOf(frame_); }

void FrameSchedule::FrameStarted(int64_t now) {
  if (now - NextDue() > period() / 4) {
    start_ = now;
    frame_ = 0;
  }
}

void FrameSchedule::FrameDone(int64_t now) {
  ++frame_;
  if (now - TimeOf(frame_) > maxFramesBehind_ * period()) {
    start_ = now;
    frame_ = 1;
  }
}

bool PointerMoveFilter::Moved(int x, int y) {
  const bool moved = known_ ? x != x_ || y != y_ : first_ == FirstReport::Moves;
  known_ = true;
  x_ = x;
  y_ = y;
  return moved;
}

}  // namespace skyvault
