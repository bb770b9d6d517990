#pragma once

namespace skyvault {

// How a surface's logical pixels become its buffer's pixels: the output's
// whole-number scale, or, where the display system offers it, a preferred
// scale in 120ths of a pixel. A preferred scale, once known, replaces the
// whole number (the buffer is then declared at scale 1 and shown at the
// logical size), so the two never multiply.
class SurfaceScale {
 public:
  static constexpr int kDenominator = 120;

  // A factor below 1 counts as 1.
  void SetWhole(int factor);
  // A preferred scale of 0 (none known) leaves the whole-number scale in use.
  void SetPreferred(int hundredTwentieths);

  bool preferred() const { return preferred_ > 0; }
  // The buffer's length for `logical` surface pixels: logical x scale,
  // rounded halfway away from zero; at least 1 for a positive length.
  int Physical(int logical) const;
  // The surface length that fills `physical` output pixels (an output's
  // mode), rounded as Physical rounds.
  int Logical(int physical) const;

  bool operator==(const SurfaceScale&) const = default;

 private:
  int whole_ = 1;
  int preferred_ = 0;
};

}  // namespace skyvault
