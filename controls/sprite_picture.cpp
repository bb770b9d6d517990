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

// The same sum for a 565 canvas, looked up: for every alpha, what each
// 5- or 6-bit level of the canvas keeps; and for every sum (up to 510), its
// level, saturating at the top.
struct Blend565Tables {
  uint8_t keep5[256][32];
  uint8_t keep6[256][64];
  uint8_t level5[511];
  uint8_t level6[511];
  Blend565Tables() {
    for (int a = 0; a < 256; ++a) {
      for (int l = 0; l < 32; ++l)
        keep5[a][l] = static_cast<uint8_t>(Over(0, Red8Of565(l << 11), a));
      for (int l = 0; l < 64; ++l)
        keep6[a][l] = static_cast<uint8_t>(Over(0, Green8Of565(l << 5), a));
    }
    for (int v = 0; v < 511; ++v) {
      const int c = std::min(v, 255);
      level5[v] = static_cast<uint8_t>((c * 31 + 127) / 255);
      level6[v] = static_cast<uint8_t>((c * 63 + 127) / 255);
    }
  }
};
const Blend565Tables& Tables565() {
  static const Blend565Tables tables;
  return tables;
}

inline uint16_t Blend565With(const Blend565Tables& t, uint32_t source, uint16_t under) {
  const int a = static_cast<int>(source >> 24);
  const int r = t.level5[Channel(source, 16) + t.keep5[a][under >> 11]];
  const int g = t.level6[Channel(source, 8) + t.keep6[a][(under >> 5) & 0x3F]];
  const int b = t.level5[Channel(source, 0) + t.keep5[a][under & 0x1F]];
  return static_cast<uint16_t>((r << 11) | (g << 5) | b);
}

}  // namespace

uint16_t Blend565(uint32_t source, uint16_t under) {
  return Blend565With(Tables565(), source, under);
}

uint32_t BlendXrgb(uint32_t source, uint32_t under) {
  const int a = Channel(source, 24);
  return PackXrgb(Over(Channel(source, 16), Channel(under, 16), a),
                  Over(Channel(source, 8), Channel(under, 8), a),
                  Over(Channel(source, 0), Channel(under, 0), a));
}

SpritePicture::SpritePicture(const DecodedImage& image, PictureKind kind, int canvasDepth)
    : width_(image.width), height_(image.height), depth_(canvasDepth == 16 ? 16 : 32) {
  const size_t count = static_cast<size_t>(width_) * height_;
  if (width_ <= 0 || height_ <= 0 || image.pixels.size() < count) {
    width_ = height_ = 0;
    rowFirstRun_.assign(1, 0);
    return;
  }
  if (depth_ == 16) {
    pixels565_.resize(count);
    for (size_t i = 0; i < count; ++i) {
      const uint32_t p = image.pixels[i];
      pixels565_[i] = Pack565(Channel(p, 16), Channel(p, 8), Channel(p, 0));
    }
  } else {
    pixelsXrgb_.resize(count);
    for (size_t i = 0; i < count; ++i) pixelsXrgb_[i] = image.pixels[i] & 0xFFFFFF;
  }

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
  if ((canvas.depth == 16) != (depth_ == 16)) return {};
  const PixelRect visible = Bounds(canvas, x, y).Intersect(clip);
  if (visible.Empty()) return {};
  if (depth_ == 16) {
    DrawRows<uint16_t>(canvas, static_cast<int>(x), static_cast<int>(y), visible);
  } else {
    DrawRows<uint32_t>(canvas, static_cast<int>(x), static_cast<int>(y), visible);
  }
  return visible;
}

template <typename Pixel>
void SpritePicture::DrawRows(const CanvasView& canvas, int left, int top,
                             const PixelRect& visible) const {
  const Pixel* source;
  const Blend565Tables& tables = Tables565();
  if constexpr (sizeof(Pixel) == 2) {
    source = pixels565_.data();
  } else {
    source = pixelsXrgb_.data();
  }
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
      } else if constexpr (sizeof(Pixel) == 2) {
        for (int c = start; c < end; ++c) {
          out[left + c] = Blend565With(tables, premultiplied[c], out[left + c]);
        }
      } else {
        for (int c = start; c < end; ++c)
          out[left + c] = BlendXrgb(premultiplied[c], out[left + c]);
      }
    }
  }
}

}  // namespace skyvault
