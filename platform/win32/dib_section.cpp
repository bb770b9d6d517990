#include "platform/win32/dib_section.h"

namespace skyvault::win32 {

DibSection::DibSection(int width, int height) {
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_ || !bits) {
    bitmap_.Reset();
    return;
  }
  bits_ = static_cast<uint8_t*>(bits);
  width_ = width;
  height_ = height;
}

DibSection& DibSection::operator=(DibSection&& other) noexcept {
  if (this != &other) {
    bitmap_ = std::move(other.bitmap_);
    bits_ = std::exchange(other.bits_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
  }
  return *this;
}

MemoryDc::MemoryDc() : dc_(CreateCompatibleDC(nullptr)) {}

MemoryDc::~MemoryDc() {
  if (originalBitmap_) SelectObject(dc_, originalBitmap_);
  if (originalFont_) SelectObject(dc_, originalFont_);
  DeleteDC(dc_);
}

void MemoryDc::Select(HBITMAP bitmap) { SelectKeepingOriginal(bitmap, originalBitmap_); }

void MemoryDc::Select(HFONT font) { SelectKeepingOriginal(font, originalFont_); }

void MemoryDc::SelectKeepingOriginal(HGDIOBJ object, HGDIOBJ& original) {
  if (!object) {
    if (original) SelectObject(dc_, std::exchange(original, nullptr));
    return;
  }
  HGDIOBJ previous = SelectObject(dc_, object);
  if (!original) original = previous;
}

}  // namespace skyvault::win32
