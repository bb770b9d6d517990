#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace skyvault {

// A rectangle of pixels, [left, right) x [top, bottom).
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool Empty() const { return right <= left || bottom <= top; }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  PixelRect Intersect(const PixelRect& other) const {
    return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
            std::min(bottom, other.bottom)};
  }
  bool operator==(const PixelRect&) const = default;
};

// The pixels of a canvas: rows from the top, `stride` bytes apart, each
// pixel 0x00RRGGBB at depth 32 (the only depth the compositor draws in).
struct CanvasView {
  uint8_t* bits = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
  int depth = 0;

  bool Valid() const { return bits != nullptr && width > 0 && height > 0; }
  uint8_t* Row(int y) const { return bits + static_cast<intptr_t>(y) * stride; }
  PixelRect Bounds() const { return {0, 0, width, height}; }
};

// Copies the pixels of `part` from one canvas to another at least as large.
inline void CopyArea(const CanvasView& from, const CanvasView& to, const PixelRect& part) {
  for (int y = part.top; y < part.bottom; ++y) {
    std::memcpy(to.Row(y) + static_cast<size_t>(part.left) * 4,
                from.Row(y) + static_cast<size_t>(part.left) * 4,
                static_cast<size_t>(part.Width()) * 4);
  }
}

}  // namespace skyvault
