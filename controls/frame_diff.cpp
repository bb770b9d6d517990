#include "controls/frame_diff.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace skyvault {
namespace {

int64_t Area(const PixelRect& r) { return static_cast<int64_t>(r.Width()) * r.Height(); }

PixelRect Union(const PixelRect& a, const PixelRect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

// Whether two rows of bytes are equal (inline: rows of a tile are short).
bool Same(const uint8_t* a, const uint8_t* b, size_t bytes) {
  size_t i = 0;
  for (; i + 8 <= bytes; i += 8) {
    uint64_t x, y;
    std::memcpy(&x, a + i, 8);
    std::memcpy(&y, b + i, 8);
    if (x != y) return false;
  }
  for (; i < bytes; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

// The first and one past the last pixel of a row of `count` that differ
// (some do).
template <typename Pixel>
std::pair<int, int> DifferingSpan(const uint8_t* before, const uint8_t* now, int count) {
  const Pixel* b = reinterpret_cast<const Pixel*>(before);
  const Pixel* n = reinterpret_cast<const Pixel*>(now);
  int first = 0, end = count;
  while (b[first] == n[first]) ++first;
  while (b[end - 1] == n[end - 1]) --end;
  return {first, end};
}

}  // namespace

// The rectangle around the pixels of `tile` that differ from the previous
// frame (empty if none), which are then copied into it.
PixelRect FrameDiff::CompareTile(const CanvasView& canvas, const PixelRect& tile) {
  const int bpp = canvas.BytesPerPixel();
  const size_t rowBytes = static_cast<size_t>(width_) * bpp;
  const size_t offset = static_cast<size_t>(tile.left) * bpp;
  const size_t bytes = static_cast<size_t>(tile.Width()) * bpp;
  PixelRect found{tile.right, tile.bottom, tile.left, tile.top};
  for (int y = tile.top; y < tile.bottom; ++y) {
    uint8_t* before = &previous_[y * rowBytes + offset];
    const uint8_t* now = canvas.Row(y) + offset;
    if (Same(before, now, bytes)) continue;
    const auto [first, end] = bpp == 2 ? DifferingSpan<uint16_t>(before, now, tile.Width())
                                       : DifferingSpan<uint32_t>(before, now, tile.Width());
    std::memcpy(before + first * bpp, now + first * bpp, static_cast<size_t>(end - first) * bpp);
    found.left = std::min(found.left, tile.left + first);
    found.right = std::max(found.right, tile.left + end);
    found.top = std::min(found.top, y);
    found.bottom = y + 1;
  }
  return found.Empty() ? PixelRect{} : found;
}

void FrameDiff::JoinParts(const std::vector<PixelRect>& tileParts) {
  // tileParts: per tile row, the changed tiles' rectangles from the left.
  parts_.clear();
  std::vector<PixelRect> above, row;
  auto flushRow = [&] {
    // Each band of this tile row goes into a rectangle of the row above if
    // the two together waste at most a quarter more area.
    std::vector<PixelRect> next;
    for (const PixelRect& band : row) {
      auto fit = std::find_if(above.begin(), above.end(), [&](const PixelRect& r) {
        return 4 * Area(Union(r, band)) <= 5 * (Area(r) + Area(band));
      });
      if (fit != above.end()) {
        next.push_back(Union(*fit, band));
        above.erase(fit);
      } else {
        next.push_back(band);
      }
    }
    parts_.insert(parts_.end(), above.begin(), above.end());
    above = std::move(next);
    row.clear();
  };
  int tileRow = -1, lastColumn = -2;
  for (const PixelRect& part : tileParts) {
    const int r = part.top / TileMask::kTileSize, c = part.left / TileMask::kTileSize;
    if (r != tileRow) {
      flushRow();
      tileRow = r;
      lastColumn = -2;
    }
    if (c == lastColumn + 1 && !row.empty()) {
      row.back() = Union(row.back(), part);
    } else {
      row.push_back(part);
    }
    lastColumn = c;
  }
  flushRow();
  parts_.insert(parts_.end(), above.begin(), above.end());
}

const TileMask& FrameDiff::Update(const CanvasView& canvas, const TileMask& written) {
  const int bpp = canvas.BytesPerPixel();
  const size_t rowBytes = static_cast<size_t>(canvas.width) * bpp;
  const bool fresh = previous_.empty() || canvas.width != width_ || canvas.height != height_ ||
                     canvas.depth != depth_;
  if (fresh) {
    width_ = canvas.width;
    height_ = canvas.height;
    depth_ = canvas.depth;
    previous_.resize(rowBytes * canvas.height);
    for (int y = 0; y < canvas.height; ++y) {
      std::memcpy(&previous_[y * rowBytes], canvas.Row(y), rowBytes);
    }
    changed_ = TileMask(canvas.width, canvas.height);
    changed_.MarkAll();
    parts_.assign(1, canvas.Bounds());
    return changed_;
  }
  changed_.Clear();
  const bool useWritten =
      written.columns() == changed_.columns() && written.rows() == changed_.rows();
  std::vector<PixelRect> tileParts;
  for (int row = 0; row < changed_.rows(); ++row) {
    for (int column = 0; column < changed_.columns(); ++column) {
      if (useWritten && !written.At(column, row)) continue;
      const PixelRect part = CompareTile(canvas, changed_.TileRect(column, row));
      if (part.Empty()) continue;
      changed_.Set(column, row);
      tileParts.push_back(part);
    }
  }
  JoinParts(tileParts);
  return changed_;
}

}  // namespace skyvault
