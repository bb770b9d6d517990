#include "controls/frame_diff.h"

#include <cstring>

namespace skyvault {

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
    return changed_;
  }
  changed_.Clear();
  const bool useWritten = written.columns() == changed_.columns() && written.rows() == changed_.rows();
  for (int row = 0; row < changed_.rows(); ++row) {
    for (int column = 0; column < changed_.columns(); ++column) {
      if (useWritten && !written.At(column, row)) continue;
      const PixelRect tile = changed_.TileRect(column, row);
      const size_t offset = static_cast<size_t>(tile.left) * bpp;
      const size_t bytes = static_cast<size_t>(tile.Width()) * bpp;
      bool differs = false;
      for (int y = tile.top; y < tile.bottom; ++y) {
        uint8_t* before = &previous_[y * rowBytes + offset];
        const uint8_t* now = canvas.Row(y) + offset;
        if (differs || std::memcmp(before, now, bytes) != 0) {
          differs = true;
          std::memcpy(before, now, bytes);
        }
      }
      if (differs) changed_.Set(column, row);
    }
  }
  return changed_;
}

}  // namespace skyvault
