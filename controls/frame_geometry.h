#pragma once
#include <cstdint>
#include <vector>

#include "controls/canvas.h"
#include "controls/resampler.h"

namespace skyvault {

// The saver's rules place everything in this frame, whatever the screen.
constexpr int kLogicalWidth = 800;
constexpr int kLogicalHeight = 600;

// No canvas is larger than this on either side: a screen that is larger
// gets a frame composed at the largest scale within it, enlarged to fit.
constexpr int kMaxCanvasSide = 8192;

// How many physical pixels the frame has per logical pixel: the widest
// letterboxed 800 x 600 frame over all monitors, divided by 800. The frame
// is composed once at that size; monitors with a smaller letterbox receive
// it reduced. 1 when there is no monitor.
double FrameScaleFor(const std::vector<PixelRect>& monitors);

// `scale`, or the largest scale below it at which a width x height frame
// still fits in a canvas of kMaxCanvasSide a side.
double LimitedScale(double scale, int width, int height);

// Logical positions and sizes at a frame scale s.
class FrameScale {
 public:
  // A scale that is not a positive finite number counts as 1.
  explicit FrameScale(double scale);

  double value() const { return scale_; }
  // A logical position x lands on round(x * s) (halves round up, so every
  // position moves the same way wherever it is, off-screen included).
  int64_t Position(int64_t logical) const;
  // A picture of `logical` pixels is round(logical * s) pixels, at least 1.
  int Length(int logical) const;
  // The canvas the frame is composed on.
  int canvasWidth() const { return Length(kLogicalWidth); }
  int canvasHeight() const { return Length(kLogicalHeight); }

 private:
  double scale_;
};

// The part of a width x height picture that covers a frame of
// frameWidth x frameHeight: the whole height or width, whichever keeps the
// picture's aspect while filling the frame, centred, the rest cut off.
// A picture with the frame's own aspect is used whole. Empty when a size is
// not positive.
SourceArea CoverArea(int width, int height, int frameWidth, int frameHeight);

}  // namespace skyvault
