#pragma once
#include <cstdint>
#include <vector>

#include "controls/canvas.h"

namespace skyvault {

// Which square tiles of a canvas are marked (written, or changed).
class TileMask {
 public:
  static constexpr int kTileSize = 32;

  TileMask() = default;
  TileMask(int canvasWidth, int canvasHeight);

  int columns() const { return columns_; }
  int rows() const { return rows_; }
  bool At(int column, int row) const { return bits_[row * columns_ + column] != 0; }
  void Set(int column, int row) { bits_[row * columns_ + column] = 1; }
  // Marks every tile that the rectangle touches (clipped to the canvas).
  void Mark(const PixelRect& rect);
  void MarkAll();
  void Clear();
  bool Any() const;
  int Count() const;
  // The canvas pixels of one tile (the last row and column may be narrower).
  PixelRect TileRect(int column, int row) const;
  // The marked tiles as few rectangles: runs of tiles along each row,
  // joined with the runs of the rows below that have the same extent.
  std::vector<PixelRect> Rectangles() const;

 private:
  int width_ = 0;
  int height_ = 0;
  int columns_ = 0;
  int rows_ = 0;
  std::vector<uint8_t> bits_;
};

}  // namespace skyvault
