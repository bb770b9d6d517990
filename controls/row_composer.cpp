#include "controls/row_composer.h"

#include <algorithm>

namespace skyvault {
namespace {

// Pixels composed at a time: a piece of a row and the rows of the pictures
// over it stay in the first-level cache.
constexpr int kPiece = 512;

void LayRow(const Layer& layer, uint32_t* out, int y, int left, int right) {
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

}  // namespace

void RowComposer::Compose(const CanvasView& canvas, const PixelRect& area,
                          const std::vector<Layer>& layers) {
  const PixelRect clipped = area.Intersect(canvas.Bounds());
  if (canvas.depth != 32 || clipped.Empty()) return;
  for (int y = clipped.top; y < clipped.bottom; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(canvas.Row(y));
    for (int left = clipped.left; left < clipped.right; left += kPiece) {
      const int right = std::min(clipped.right, left + kPiece);
      ComposePiece(row + left, y, left, right, layers);
    }
  }
}

void RowComposer::ComposePiece(uint32_t* out, int y, int left, int right,
                               const std::vector<Layer>& layers) {
  active_.clear();
  for (const Layer& layer : layers) {
    const PixelRect& b = layer.bounds;
    if (y >= b.top && y < b.bottom && b.left < right && b.right > left) active_.push_back(&layer);
  }
  // From the top down to the first layer covering the whole piece: the
  // ground. The spans of those above it are where the ground cannot show.
  spans_.clear();
  size_t ground = active_.size();
  for (size_t i = active_.size(); i-- > 0;) {
    const size_t before = spans_.size();
    CoverSpans(*active_[i], y, left, right, spans_);
    if (spans_.size() == before + 1 && spans_.back() == std::pair{left, right}) {
      spans_.pop_back();
      ground = i;
      break;
    }
  }
  size_t next = 0;
  if (ground < active_.size()) {
    std::sort(spans_.begin(), spans_.end());
    int from = left;
    for (const auto& [start, end] : spans_) {
      if (start > from) LayRow(*active_[ground], out + (from - left), y, from, start);
      from = std::max(from, end);
    }
    if (from < right) LayRow(*active_[ground], out + (from - left), y, from, right);
    next = ground + 1;
  }
  for (size_t i = next; i < active_.size(); ++i) LayRow(*active_[i], out, y, left, right);
}

}  // namespace skyvault
