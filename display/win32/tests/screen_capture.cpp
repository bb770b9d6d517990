#include "display/win32/tests/screen_capture.h"

#include <algorithm>
#include <cstdlib>

namespace skyvault::win32::testing {

int Distance(Colour a, Colour b) {
  return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

Picture Picture::FromBitmap(HDC dc, HBITMAP bitmap, int width, int height) {
  Picture picture;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  picture.pixels_.resize(static_cast<size_t>(width) * height);
  if (GetDIBits(dc, bitmap, 0, height, picture.pixels_.data(), &info, DIB_RGB_COLORS) != height) {
    picture.pixels_.clear();
    return picture;
  }
  picture.width_ = width;
  picture.height_ = height;
  return picture;
}

Picture Picture::CaptureScreen(const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, old);
  Picture picture = FromBitmap(memory, bitmap, width, height);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture;
}

Picture Picture::LoadBitmapFile(const std::wstring& path) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!bitmap) return {};
  BITMAP header{};
  GetObjectW(bitmap, sizeof header, &header);
  HDC dc = CreateCompatibleDC(nullptr);
  Picture picture = FromBitmap(dc, bitmap, header.bmWidth, header.bmHeight);
  DeleteDC(dc);
  DeleteObject(bitmap);
  return picture;
}

Colour Picture::At(int x, int y) const {
  const uint32_t pixel = pixels_[static_cast<size_t>(y) * width_ + x];
  return {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
          static_cast<int>(pixel & 0xFF)};
}

CanvasPlacement::CanvasPlacement(int screenWidth, int screenHeight)
    : scale(std::min(screenWidth / 800.0, screenHeight / 600.0)),
      left(static_cast<int>((screenWidth - 800 * scale) / 2)),
      top(static_cast<int>((screenHeight - 600 * scale) / 2)) {}

POINT CanvasPlacement::ToScreen(int x, int y) const {
  return {left + static_cast<int>((x + 0.5) * scale), top + static_cast<int>((y + 0.5) * scale)};
}

}  // namespace skyvault::win32::testing
