#include "controls/row_composer.h"

#include <algorithm>

#include "controls/pixel_rows.h"

namespace skyvault {
namespace {

// Pixels composed at a time: a piece of a canvas row and the rows of the
// pictures over it stay in the cache (a whole row of the largest canvas
// measured no slower than pieces of 512 pixels).
constexpr int kPiece = 4096;

void LayRow(const Layer& layer, uint32_t* out, int y, int left, int right) {
  if (layer.picture && layer.picture->opaque()) {  // the background: one copy
    const int64_t from = std::max<int64_t>(left, layer.bounds.left);
    const int64_t to = std::min<int64_t>(right, layer.bounds.right);
    const uint32_t* row = layer.picture->Row(static_cast<int>(y - layer.y));
    if (from < to) CopyPixels(out + (from - left), row + (from - layer.x), size_t(to - from));
    return;
  }
  if (layer.picture) {
    layer.picture->DrawRow(out, layer.x, layer.y, y, left, right);
    return;
  }
  const int from = std::max(left, layer.bounds.left), to = std::min(right, layer.bounds.right);
  if (from < to) std::fill(out + (from - left), out + (to - left), layer.fill);
}

// The columns of row y in [left, right) that the layer covers outright.
void CoverSpans(const Layer& layer, int y, int left, int right,
                std::vector<std::pair<int, int>>& spans) {
  if (layer.picture) {
    layer.picture->CoverSpans(layer.x, layer.y, y, left, right, spans);
    return;
  }
  const int from = std::max(left, layer.bounds.left), to = std::min(right, layer.bounds.right);
  if (from < to) spans.emplace_back(from, to);
}

bool Solid(const Layer& layer) { return !layer.picture || layer.picture->opaque(); }

bool Contains(const PixelRect& outer, const PixelRect& inner) {
  return outer.Intersect(inner) == inner;
}

}  // namespace

void RowComposer::Compose(const CanvasView& canvas, const PixelRect& area,
                          const std::vector<Layer>& layers) {
  const PixelRect clipped = area.Intersect(canvas.Bounds());
  if (canvas.depth != 32 || clipped.Empty()) return;
  // The last layer painting all of the area: nothing under it shows, and
  // it is the ground wherever nothing above it covers a piece outright.
  const Layer* base = nullptr;
  size_t above = 0;
  for (size_t i = layers.size(); i-- > 0;) {
    if (Solid(layers[i]) && Contains(layers[i].bounds, clipped)) {
      base = &layers[i];
      above = i + 1;
      break;
    }
  }
  for (int y = clipped.top; y < clipped.bottom; ++y) {
    active_.clear();
    for (size_t i = above; i < layers.size(); ++i) {
      const PixelRect& b = layers[i].bounds;
      if (y >= b.top && y < b.bottom && b.left < clipped.right && b.right > clipped.left)
        active_.push_back(&layers[i]);
    }
    auto* row = reinterpret_cast<uint32_t*>(canvas.Row(y));
    for (int left = clipped.left; left < clipped.right; left += kPiece) {
      const int right = std::min(clipped.right, left + kPiece);
      ComposePiece(row + left, y, left, right, base);
    }
  }
}

void RowComposer::ComposePiece(uint32_t* out, int y, int left, int right, const Layer* base) {
  // From the top down to the first layer covering the whole piece: the
  // ground. The spans of those above it are where the ground cannot show.
  spans_.clear();
  const Layer* ground = base;
  size_t next = 0;
  for (size_t i = active_.size(); i-- > 0;) {
    const Layer& layer = *active_[i];
    if (layer.bounds.left >= right || layer.bounds.right <= left) continue;
    const size_t before = spans_.size();
    CoverSpans(layer, y, left, right, spans_);
    if (spans_.size() == before + 1 && spans_.back() == std::pair{left, right}) {
      spans_.pop_back();
      ground = &layer;
      next = i + 1;
      break;
    }
  }
  if (ground) {
    std::sort(spans_.begin(), spans_.end());
    int from = left;
    for (const auto& [start, end] : spans_) {
      if (start > from) LayRow(*ground, out + (from - left), y, from, start);
      from = std::max(from, end);
    }
    if (from < right) LayRow(*ground, out + (from - left), y, from, right);
  }
  for (size_t i = next; i < active_.size(); ++i) {
    const Layer& layer = *active_[i];
    if (layer.bounds.left < right && layer.bounds.right > left) LayRow(layer, out, y, left, right);
  }
}

}  // namespace skyvault
