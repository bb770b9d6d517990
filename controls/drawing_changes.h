#pragma once
#include <cstdint>
#include <vector>

#include "controls/canvas.h"

namespace skyvault {

// Mixes `value` into the fingerprint `seed` (order matters).
uint64_t CombineHash(uint64_t seed, uint64_t value);

// Tells which canvas pixels a frame must redraw, from the drawing
// operations alone. Each operation has a fingerprint (what it draws and
// where) and bounds (the pixels it may change). A pixel comes out as it
// did last frame when the same operations cover it, in the same order; so
// the pixels to redraw are the bounds, old and new, of every operation
// that is new, gone or changed, and where two operations that overlap have
// changed places, their common pixels. What lies under an opaque operation
// that covers the whole canvas cannot show, so the comparison starts at the
// last such operation.
class DrawingChanges {
 public:
  DrawingChanges() = default;
  // A new canvas of this size: its first frame is redrawn whole.
  explicit DrawingChanges(const PixelRect& canvas) : canvas_(canvas), known_(false) {}

  // One operation of the frame, in drawing order. `opaque`: it paints every
  // pixel of `bounds` without regard to what was below.
  void Add(uint64_t fingerprint, const PixelRect& bounds, bool opaque);
  // Ends the frame: the pixels whose drawing differs from the last frame's,
  // as rectangles within the canvas that may overlap. The canvas is then
  // taken to show this frame.
  std::vector<PixelRect> Finish();

 private:
  struct Drawn {
    uint64_t fingerprint = 0;
    PixelRect bounds;
    bool opaque = false;
    bool operator==(const Drawn&) const = default;
  };
  PixelRect canvas_;
  bool known_ = false;        // whether shown_ made the canvas's pixels
  std::vector<Drawn> now_;    // this frame's, from the last one covering the canvas
  std::vector<Drawn> shown_;  // the last frame's
  std::vector<int> match_;    // reused by Finish: now_[i] is shown_[match_[i]], or -1
  std::vector<uint8_t> taken_;
};

}  // namespace skyvault
