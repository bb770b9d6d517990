#pragma once
#include <cstdint>
#include <utility>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

// A 32-bit bitmap (BGRX) whose pixels the program writes itself, rows from
// the top. Empty when the system cannot make it (or for a size of 0).
class DibSection {
 public:
  DibSection() = default;
  DibSection(int width, int height);
  DibSection(DibSection&& other) noexcept { *this = std::move(other); }
  DibSection& operator=(DibSection&& other) noexcept;

  explicit operator bool() const { return bits_ != nullptr; }
  HBITMAP bitmap() const { return bitmap_.get(); }
  uint8_t* bits() const { return bits_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Bytes from one row to the next.
  int stride() const { return width_ * 4; }

 private:
  UniqueBitmap bitmap_;
  uint8_t* bits_ = nullptr;
  int width_ = 0, height_ = 0;
};

// A memory device context for drawing on a bitmap with GDI. What was
// selected into it at the start is put back before it goes, so a bitmap or
// font it held may be deleted after it.
class MemoryDc {
 public:
  MemoryDc();
  ~MemoryDc();
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  HDC get() const { return dc_; }
  // Selects `bitmap`, or the original one again for null.
  void Select(HBITMAP bitmap);
  // Selects `font`, or the original one again for null.
  void Select(HFONT font);

 private:
  // Selects `object`, noting in `original` what it replaced the first time;
  // null selects that original again.
  void SelectKeepingOriginal(HGDIOBJ object, HGDIOBJ& original);

  HDC dc_ = nullptr;
  HGDIOBJ originalBitmap_ = nullptr;
  HGDIOBJ originalFont_ = nullptr;
};

}  // namespace skyvault::win32
