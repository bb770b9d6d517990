#include "controls/drawing_changes.h"

namespace skyvault {
namespace {

uint64_t Scramble(uint64_t x) {
  x ^= x >> 30;
  x *= 0xBF58476D1CE4E5B9ull;
  x ^= x >> 27;
  x *= 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

}  // namespace

uint64_t CombineHash(uint64_t seed, uint64_t value) {
  return Scramble(seed ^ Scramble(value + 0x9E3779B97F4A7C15ull));
}

void DrawingChanges::Add(uint64_t fingerprint, const PixelRect& bounds, bool opaque) {
  if (opaque && bounds.Intersect(canvas_) == canvas_) now_.clear();  // what was below is hidden
  now_.push_back({fingerprint, bounds, opaque});
}

std::vector<PixelRect> DrawingChanges::Finish() {
  std::vector<PixelRect> changed;
  auto add = [&](const PixelRect& rect) {
    const PixelRect within = rect.Intersect(canvas_);
    if (!within.Empty()) changed.push_back(within);
  };
  if (!known_) {
    add(canvas_);
  } else {
    // Each operation is paired with the first unpaired equal one of the last
    // frame: an operation drawn twice pairs with both in order.
    match_.assign(now_.size(), -1);
    taken_.assign(shown_.size(), 0);
    for (size_t i = 0; i < now_.size(); ++i) {
      for (size_t j = 0; j < shown_.size(); ++j) {
        if (taken_[j] || !(shown_[j] == now_[i])) continue;
        taken_[j] = 1;
        match_[i] = static_cast<int>(j);
        break;
      }
      if (match_[i] < 0) add(now_[i].bounds);
    }
    for (size_t j = 0; j < shown_.size(); ++j) {
      if (!taken_[j]) add(shown_[j].bounds);
    }
    for (size_t i = 0; i < now_.size(); ++i) {
      if (match_[i] < 0) continue;
      for (size_t k = i + 1; k < now_.size(); ++k) {
        if (match_[k] < 0 || match_[k] > match_[i]) continue;
        add(now_[i].bounds.Intersect(now_[k].bounds));  // drawn the other way round
      }
    }
  }
  shown_.swap(now_);
  now_.clear();
  known_ = true;
  return changed;
}

}  // namespace skyvault
