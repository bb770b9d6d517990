#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "controls/canvas.h"

namespace skyvault {

// A set of canvas pixels, kept as disjoint rectangles. Whoever shows the
// pixels pays per rectangle (a call to the display each), so Simplify
// brings the set to few rectangles, at the cost of a few pixels more.
class PixelRegion {
 public:
  PixelRegion() = default;
  explicit PixelRegion(const PixelRect& rect) { Add(rect); }

  void Add(const PixelRect& rect);
  void Add(const PixelRegion& other);
  // Takes away the pixels of `other`.
  void Remove(const PixelRegion& other);
  // Keeps only the pixels within `bounds`.
  void Clip(const PixelRect& bounds);
  void Clear() { rects_.clear(); }
  bool Empty() const { return rects_.empty(); }
  int64_t Area() const;
  bool Contains(int x, int y) const;
  const std::vector<PixelRect>& Rectangles() const { return rects_; }

  // The pixels of `boxes` (which may overlap) and a few more, in at most
  // `limit` rectangles (at least one): boxes are joined into their bounding
  // box, the pairs that add the fewest pixels first; every join that adds
  // at most `freeArea` pixels, then as many more as it takes.
  static PixelRegion Covering(std::vector<PixelRect> boxes, size_t limit,
                              int64_t freeArea = kFreeArea);
  // The same for this region's own rectangles.
  void Simplify(size_t limit, int64_t freeArea = kFreeArea) {
    *this = Covering(std::move(rects_), limit, freeArea);
  }

  // Pixels worth less than one rectangle more.
  static constexpr int64_t kFreeArea = 256;

 private:
  // Joins pairs of the disjoint rectangles, each with every rectangle its
  // bounding box reaches, until at most `limit` are left.
  void JoinDown(size_t limit);

  std::vector<PixelRect> rects_;
};

}  // namespace skyvault
