#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32::testing {

struct Colour {
  int r = 0, g = 0, b = 0;
};
// Largest difference of one channel.
int Distance(Colour a, Colour b);

// A 32-bit picture: a copy of part of the screen, or a bitmap file.
class Picture {
 public:
  // The screen's pixels in `area` (virtual-screen coordinates).
  static Picture CaptureScreen(const RECT& area);
  // A BMP file; empty when it cannot be read.
  static Picture LoadBitmapFile(const std::wstring& path);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return pixels_.empty(); }
  Colour At(int x, int y) const;

 private:
  static Picture FromBitmap(HDC dc, HBITMAP bitmap, int width, int height);
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;  // top-down BGRA
};

// Where the 800 x 600 canvas lies on a screen of the given size: scaled
// with its aspect kept, centred.
struct CanvasPlacement {
  CanvasPlacement(int screenWidth, int screenHeight);
  // The screen pixel that shows the middle of canvas pixel (x, y).
  POINT ToScreen(int x, int y) const;
  double scale;
  int left;
  int top;
};

}  // namespace skyvault::win32::testing
