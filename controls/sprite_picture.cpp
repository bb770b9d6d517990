#include "controls/sprite_picture.h"

#include <algorithm>
#include <cstring>

#include "controls/pixel_format.h"

namespace skyvault {
namespace {

int Channel(uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

// source + under * (255 - alpha) / 255, rounded, per component.
int Over(int source, int under, int alpha) {
  return std::min(255, source + (under * (255 - alpha) + 127) / 255);
}

}  // namespace

uint32_t BlendXrgb(uint32_t source, uint32_t under) {
  const int a = Channel(source, 24);
  return PackXrgb(Over(Channel(source, 16), Channel(under, 16), a),
                  Over(Channel(source, 8), Channel(under, 8), a),
                  Over(Channel(source, 0), Channel(under, 0), a));
}

SpritePicture::SpritePicture(const DecodedImage& image, PictureKind kind)
    : width_(image.width), height_(image.height) {
  const size_t count = static_cast<size_t>(width_) * height_;
  if (width_ <= 0 || height_ <= 0 || image.pixels.size() < count) {
    width_ = height_ = 0;
    rowFirstRun_.assign(1, 0);
    return;
  }
  pixelsXrgb_.resize(count);
  for (size_t i = 0; i < count; ++i) pixelsXrgb_[i] = image.pixels[i] & 0xFFFFFF;

  const bool blends = kind == PictureKind::Transparent && image.hasAlpha;
  const bool keyed = kind == PictureKind::Transparent && !image.hasAlpha;
  const uint32_t key = image.pixels[0] & 0xFFFFFF;
  bool anyBlend = false;
  rowFirstRun_.reserve(height_ + 1);
  for (int y = 0; y < height_; ++y) {
    rowFirstRun_.push_back(static_cast<uint32_t>(runs_.size()));
    const uint32_t* row = &image.pixels[static_cast<size_t>(y) * width_];
    int x = 0;
    while (x < width_) {
      auto classify = [&](uint32_t p) -> int {  // 0 skip, 1 cover, 2 blend
        if (keyed) return (p & 0xFFFFFF) == key ? 0 : 1;
        if (!blends) return 1;
        const uint32_t a = p >> 24;
        return a == 0 ? 0 : a == 255 ? 1 : 2;
      };
      const int what = classify(row[x]);
      int end = x + 1;
      while (end < width_ && classify(row[end]) == what) ++end;
      if (what != 0) {
        runs_.push_back(Run{x, end - x, what == 1 ? RunKind::Cover : RunKind::Blend});
        anyBlend |= what == 2;
      }
      x = end;
    }
  }
  rowFirstRun_.push_back(static_cast<uint32_t>(runs_.size()));
  if (anyBlend) premultiplied_ = image.pixels;
  opaque_ = runs_.size() == static_cast<size_t>(height_) &&
            std::all_of(runs_.begin(), runs_.end(), [&](const Run& run) {
              return run.kind == RunKind::Cover && run.length == width_;
            });
}

PixelRect SpritePicture::Bounds(const CanvasView& canvas, int64_t x, int64_t y) const {
  if (width_ == 0 || !canvas.Valid()) return {};
  // The picture's rectangle clipped to the canvas, in 64 bits so that no
  // position overflows.
  const int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
  const int64_t right = std::min<int64_t>(x + width_, canvas.width);
  const int64_t bottom = std::min<int64_t>(y + height_, canvas.height);
  if (left >= right || top >= bottom) return {};
  return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
          static_cast<int>(bottom)};
}

PixelRect SpritePicture::Draw(const CanvasView& canvas, int64_t x, int64_t y,
                              const PixelRect& clip) const {
  if (canvas.depth != 32) return {};
  const PixelRect visible = Bounds(canvas, x, y).Intersect(clip);
  if (visible.Empty()) return {};
  DrawRows(canvas, static_cast<int>(x), static_cast<int>(y), visible);
  return visible;
}

void SpritePicture::DrawRows(const CanvasView& canvas, int left, int top,
                             const PixelRect& visible) const {
  using Pixel = uint32_t;
  const Pixel* source = pixelsXrgb_.data();
  // Picture columns that land on the canvas.
  const int firstColumn = visible.left - left;
  const int endColumn = visible.right - left;
  for (int canvasY = visible.top; canvasY < visible.bottom; ++canvasY) {
    const int pictureY = canvasY - top;
    Pixel* out = reinterpret_cast<Pixel*>(canvas.Row(canvasY));
    const Pixel* in = source + static_cast<size_t>(pictureY) * width_;
    const uint32_t* premultiplied =
        premultiplied_.empty() ? nullptr : &premultiplied_[static_cast<size_t>(pictureY) * width_];
    for (uint32_t i = rowFirstRun_[pictureY]; i < rowFirstRun_[pictureY + 1]; ++i) {
      const Run& run = runs_[i];
      const int start = std::max(run.start, firstColumn);
      const int end = std::min(run.start + run.length, endColumn);
      if (start >= end) continue;
      if (run.kind == RunKind::Cover) {
        std::memcpy(out + (left + start), in + start, sizeof(Pixel) * (end - start));
      } else {
        for (int c = start; c < end; ++c)
          out[left + c] = BlendXrgb(premultiplied[c], out[left + c]);
      }
    }
  }
}

}  // namespace skyvault
