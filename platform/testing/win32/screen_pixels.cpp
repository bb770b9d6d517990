#include "platform/testing/win32/screen_pixels.h"

#include "platform/win32/dib_section.h"

namespace skyvault::win32::testing {

std::vector<uint32_t> CapturePixels(HWND window, const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  DibSection copy(width, height);
  if (!copy) return {};
  MemoryDc memory;
  memory.Select(copy.bitmap());
  HDC source = GetDC(window);
  BitBlt(memory.get(), 0, 0, width, height, source, area.left, area.top, SRCCOPY);
  ReleaseDC(window, source);
  GdiFlush();
  const auto* bits = reinterpret_cast<const uint32_t*>(copy.bits());  // rows abut, top first
  std::vector<uint32_t> pixels(bits, bits + static_cast<size_t>(width) * height);
  for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

}  // namespace skyvault::win32::testing
