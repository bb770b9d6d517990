#include "controls/tile_mask.h"

#include <algorithm>

namespace skyvault {

TileMask::TileMask(int canvasWidth, int canvasHeight)
    : width_(canvasWidth),
      height_(canvasHeight),
      columns_((canvasWidth + kTileSize - 1) / kTileSize),
      rows_((canvasHeight + kTileSize - 1) / kTileSize),
      bits_(static_cast<size_t>(columns_) * rows_, 0) {}

void TileMask::Mark(const PixelRect& rect) {
  const PixelRect r = rect.Intersect({0, 0, width_, height_});
  if (r.Empty()) return;
  const int c0 = r.left / kTileSize, c1 = (r.right - 1) / kTileSize;
  const int r0 = r.top / kTileSize, r1 = (r.bottom - 1) / kTileSize;
  for (int row = r0; row <= r1; ++row) {
    std::fill(bits_.begin() + row * columns_ + c0, bits_.begin() + row * columns_ + c1 + 1, 1);
  }
}

void TileMask::MarkAll() { std::fill(bits_.begin(), bits_.end(), 1); }
void TileMask::Clear() { std::fill(bits_.begin(), bits_.end(), 0); }
bool TileMask::Any() const { return std::find(bits_.begin(), bits_.end(), 1) != bits_.end(); }
int TileMask::Count() const { return static_cast<int>(std::count(bits_.begin(), bits_.end(), 1)); }

PixelRect TileMask::TileRect(int column, int row) const {
  return PixelRect{column * kTileSize, row * kTileSize, (column + 1) * kTileSize,
                   (row + 1) * kTileSize}
      .Intersect({0, 0, width_, height_});
}

std::vector<PixelRect> TileMask::Rectangles() const {
  std::vector<PixelRect> done;
  std::vector<PixelRect> open;  // rectangles that end at the previous tile row
  for (int row = 0; row < rows_; ++row) {
    std::vector<PixelRect> next;
    for (int column = 0; column < columns_;) {
      if (!At(column, row)) {
        ++column;
        continue;
      }
      int end = column;
      while (end < columns_ && At(end, row)) ++end;
      const PixelRect run{column * kTileSize, row * kTileSize, std::min(end * kTileSize, width_),
                          std::min((row + 1) * kTileSize, height_)};
      auto same = std::find_if(open.begin(), open.end(), [&](const PixelRect& r) {
        return r.left == run.left && r.right == run.right;
      });
      if (same != open.end()) {
        PixelRect grown = *same;
        grown.bottom = run.bottom;
        open.erase(same);
        next.push_back(grown);
      } else {
        next.push_back(run);
      }
      column = end;
    }
    done.insert(done.end(), open.begin(), open.end());
    open = std::move(next);
  }
  done.insert(done.end(), open.begin(), open.end());
  return done;
}

}  // namespace skyvault
