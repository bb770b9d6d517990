#include "platform/testing/win32/screen_pixels.h"

namespace skyvault::win32::testing {

std::vector<uint32_t> CapturePixels(HWND window, const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  HDC dc = GetDC(window);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, dc, area.left, area.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  if (GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) != height)
    pixels.clear();
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, dc);
  for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

}  // namespace skyvault::win32::testing
