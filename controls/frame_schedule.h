#pragma once
#include <cstdint>

namespace skyvault {

// When frame events are due: on a fixed grid of times counted from a start,
// so that rounding never adds up to drift. A loop that has fallen more than
// a few frames behind (a stall, a suspended machine) starts a new grid
// instead of raising the missed frames in a burst. Times are in ticks of a
// clock with `ticksPerSecond`.
class FrameSchedule {
 public:
  FrameSchedule(int64_t ticksPerSecond, int framesPerSecond, int64_t start,
                int maxFramesBehind = 3);

  int64_t NextDue() const;
  bool Due(int64_t now) const { return now >= NextDue(); }
  // A frame starts at `now`. One that starts more than a quarter period
  // late anchors the grid on itself, so the next frame keeps a whole
  // period's distance instead of hurrying to catch up.
  void FrameStarted(int64_t now);
  // A frame has been raised; `now` is the time after it.
  void FrameDone(int64_t now);
  int64_t period() const { return ticksPerSecond_ / framesPerSecond_; }

 private:
  int64_t TimeOf(int64_t frame) const;

  int64_t ticksPerSecond_;
  int64_t framesPerSecond_;
  int64_t start_;
  int64_t frame_ = 1;  // number of the next frame on the grid
  int maxFramesBehind_;
};

// Whether a pointer message is a real move: one at the position of the last
// is no move. Windows sends a message when a window appears under a still
// pointer, so there the first one only tells where the pointer is; X sends
// motion only when the pointer moves, so there the first one is a move.
class PointerMoveFilter {
 public:
  enum class FirstReport { OnlyPlaces, Moves };
  explicit PointerMoveFilter(FirstReport first = FirstReport::OnlyPlaces) : first_(first) {}
  bool Moved(int x, int y);
  void Reset() { known_ = false; }

 private:
  FirstReport first_;
  bool known_ = false;
  int x_ = 0;
  int y_ = 0;
};

}  // namespace skyvault
