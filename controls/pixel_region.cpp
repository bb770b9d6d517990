#include "controls/pixel_region.h"

#include <algorithm>
#include <limits>

namespace skyvault {
namespace {

int64_t AreaOf(const PixelRect& r) { return r.Empty() ? 0 : int64_t{r.Width()} * r.Height(); }

PixelRect BoundingBox(const PixelRect& a, const PixelRect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

bool Overlap(const PixelRect& a, const PixelRect& b) { return !a.Intersect(b).Empty(); }

// The parts of `piece` outside `hole` (at most four), appended to `out`.
void Subtract(const PixelRect& piece, const PixelRect& hole, std::vector<PixelRect>& out) {
  const PixelRect cut = piece.Intersect(hole);
  if (cut.Empty()) {
    out.push_back(piece);
    return;
  }
  if (piece.top < cut.top) out.push_back({piece.left, piece.top, piece.right, cut.top});
  if (piece.left < cut.left) out.push_back({piece.left, cut.top, cut.left, cut.bottom});
  if (cut.right < piece.right) out.push_back({cut.right, cut.top, piece.right, cut.bottom});
  if (cut.bottom < piece.bottom) out.push_back({piece.left, cut.bottom, piece.right, piece.bottom});
}

}  // namespace

void PixelRegion::Add(const PixelRect& rect) {
  if (rect.Empty()) return;
  // What the rectangles held already leave of it.
  std::vector<PixelRect> pieces{rect}, rest;
  for (const PixelRect& held : rects_) {
    if (!Overlap(held, rect)) continue;
    rest.clear();
    for (const PixelRect& piece : pieces) Subtract(piece, held, rest);
    pieces.swap(rest);
    if (pieces.empty()) return;
  }
  rects_.insert(rects_.end(), pieces.begin(), pieces.end());
}

void PixelRegion::Add(const PixelRegion& other) {
  for (const PixelRect& rect : other.rects_) Add(rect);
}

void PixelRegion::Remove(const PixelRegion& other) {
  std::vector<PixelRect> rest;
  for (const PixelRect& hole : other.rects_) {
    rest.clear();
    for (const PixelRect& rect : rects_) Subtract(rect, hole, rest);
    rects_.swap(rest);
  }
}

void PixelRegion::Clip(const PixelRect& bounds) {
  for (PixelRect& rect : rects_) rect = rect.Intersect(bounds);
  std::erase_if(rects_, [](const PixelRect& r) { return r.Empty(); });
}

int64_t PixelRegion::Area() const {
  int64_t area = 0;
  for (const PixelRect& rect : rects_) area += AreaOf(rect);
  return area;
}

bool PixelRegion::Contains(int x, int y) const {
  return std::any_of(rects_.begin(), rects_.end(), [&](const PixelRect& r) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
  });
}

PixelRegion PixelRegion::Covering(std::vector<PixelRect> boxes, size_t limit, int64_t freeArea) {
  limit = std::max<size_t>(limit, 1);
  std::erase_if(boxes, [](const PixelRect& r) { return r.Empty(); });
  // What joining two boxes adds: their bounding box less their union.
  auto cost = [](const PixelRect& a, const PixelRect& b) {
    return AreaOf(BoundingBox(a, b)) - AreaOf(a) - AreaOf(b) + AreaOf(a.Intersect(b));
  };
  const size_t n = boxes.size();
  std::vector<int64_t> costs(n * n);
  for (size_t a = 0; a < n; ++a) {
    for (size_t b = a + 1; b < n; ++b) costs[a * n + b] = cost(boxes[a], boxes[b]);
  }
  std::vector<uint8_t> live(n, 1);
  for (size_t count = n; count > 1; --count) {
    size_t bestA = 0, bestB = 0;
    int64_t best = std::numeric_limits<int64_t>::max();
    for (size_t a = 0; a < n; ++a) {
      if (!live[a]) continue;
      for (size_t b = a + 1; b < n; ++b) {
        if (live[b] && costs[a * n + b] < best) {
          best = costs[a * n + b];
          bestA = a;
          bestB = b;
        }
      }
    }
    if (best > freeArea && count <= limit) break;
    boxes[bestA] = BoundingBox(boxes[bestA], boxes[bestB]);
    live[bestB] = 0;
    for (size_t other = 0; other < n; ++other) {
      if (!live[other] || other == bestA) continue;
      const size_t a = std::min(bestA, other), b = std::max(bestA, other);
      costs[a * n + b] = cost(boxes[a], boxes[b]);
    }
  }
  PixelRegion region;
  for (size_t i = 0; i < n; ++i) {
    if (live[i]) region.Add(boxes[i]);
  }
  // Boxes that overlap came apart into pieces: join those if too many.
  region.JoinDown(limit);
  return region;
}

void PixelRegion::JoinDown(size_t limit) {
  while (rects_.size() > limit) {
    size_t bestA = 0, bestB = 0;
    int64_t bestCost = std::numeric_limits<int64_t>::max();
    for (size_t a = 0; a < rects_.size(); ++a) {
      for (size_t b = a + 1; b < rects_.size(); ++b) {
        const int64_t cost =
            AreaOf(BoundingBox(rects_[a], rects_[b])) - AreaOf(rects_[a]) - AreaOf(rects_[b]);
        if (cost < bestCost) {
          bestCost = cost;
          bestA = a;
          bestB = b;
        }
      }
    }
    // The box takes in every rectangle it reaches, so the rectangles stay
    // disjoint and each join leaves one fewer.
    const PixelRect first = rects_[bestA], second = rects_[bestB];
    PixelRect box = BoundingBox(first, second);
    std::vector<PixelRect> kept;
    for (bool grew = true; grew;) {
      grew = false;
      kept.clear();
      for (const PixelRect& rect : rects_) {
        if (Overlap(rect, box)) {
          const PixelRect bigger = BoundingBox(box, rect);
          grew |= bigger != box;
          box = bigger;
        } else {
          kept.push_back(rect);
        }
      }
    }
    kept.push_back(box);
    rects_.swap(kept);
  }
}

}  // namespace skyvault
