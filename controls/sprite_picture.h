#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "controls/canvas.h"
#include "controls/decoded_image.h"
#include "controls/pixel_rows.h"

namespace skyvault {

// How a picture treats the pixels around its subject.
enum class PictureKind {
  Opaque,       // every pixel covers the canvas
  Transparent,  // alpha-blended if the picture has alpha, else its top-left colour is see-through
};

// A picture prepared for drawing onto a 32-bit canvas: its pixels in the
// canvas format, and for every row the runs of pixels that cover the canvas
// outright and those that blend with it (all others are skipped). Drawing
// copies the covering runs and blends only the edge pixels.
//
// A picture of which only a part was kept starts that far (image.left,
// image.top) from the sprite's position: offsetX() and offsetY().
class SpritePicture {
 public:
  // Without memory for it, an empty picture (it draws nothing).
  SpritePicture(const DecodedImage& image, PictureKind kind);

  int width() const { return width_; }
  int height() const { return height_; }
  int offsetX() const { return offsetX_; }
  int offsetY() const { return offsetY_; }
  // Whether every pixel covers the canvas outright (nothing skipped or blended).
  bool opaque() const { return opaque_; }

  // The canvas pixels that the picture may change with its top-left corner
  // at (x, y): its rectangle without the fully transparent rows and columns
  // around its content.
  PixelRect Bounds(const CanvasView& canvas, int64_t x, int64_t y) const;
  // Draws the picture there, clipped to the canvas (a 32-bit one; nothing
  // is drawn on another) and to `clip`; returns the canvas pixels it covered.
  PixelRect Draw(const CanvasView& canvas, int64_t x, int64_t y, const PixelRect& clip) const;
  PixelRect Draw(const CanvasView& canvas, int64_t x, int64_t y) const {
    return Draw(canvas, x, y, canvas.Bounds());
  }
  // The picture's pixels of one row, in the canvas format (all of them cover
  // the canvas when the picture is opaque()).
  const uint32_t* Row(int pictureY) const {
    return pixelsXrgb_.data() + static_cast<size_t>(pictureY) * width_;
  }
  // The columns of canvas row `canvasY` that the picture, with its top-left
  // corner at (x, y), covers outright (no blending), within [left, right):
  // appended to `spans` as [start, end) pairs, left to right.
  void CoverSpans(int64_t x, int64_t y, int canvasY, int left, int right,
                  std::vector<std::pair<int, int>>& spans) const;
  // Draws the picture's part of canvas row `canvasY`, columns [left, right),
  // into `out`, which holds those columns (out[0] is column `left`):
  // covering runs copied, edge runs blended over what `out` holds.
  void DrawRow(uint32_t* out, int64_t x, int64_t y, int canvasY, int left, int right) const;

 private:
  enum class RunKind : uint8_t { Cover, Blend };
  struct Run {
    int32_t start;
    int32_t length;
    RunKind kind;
  };
  void Prepare(const DecodedImage& image, PictureKind kind);
  // Joins the short runs of the row starting at runs_[rowStart] that lie
  // close together into blended runs; whether the row blends any pixel.
  bool MergeShortRuns(size_t rowStart);
  void DrawRows(const CanvasView& canvas, int left, int top, const PixelRect& visible) const;

  int width_ = 0;
  int height_ = 0;
  int offsetX_ = 0;
  int offsetY_ = 0;
  bool opaque_ = false;
  PixelRect content_;  // in the picture's own pixels
  std::vector<uint32_t> pixelsXrgb_;
  std::vector<uint32_t> premultiplied_;  // kept only when some pixel blends
  std::vector<Run> runs_;
  std::vector<uint32_t> rowFirstRun_;  // height + 1 entries into runs_
};

}  // namespace skyvault
