#include "startup/win32/still_picture.h"

#include "controls/resampler.h"
#include "startup/win32/resource_ids.h"

namespace skyvault::win32 {

StillPicture::StillPicture(HINSTANCE instance)
    : bitmap_(static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(IDB_PREVIEW), IMAGE_BITMAP,
                                              0, 0, LR_CREATEDIBSECTION))) {}

void StillPicture::Paint(HDC dc, const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (ScaleTo(width, height)) {
    BitBlt(dc, area.left, area.top, width, height, scaledDc_.get(), 0, 0, SRCCOPY);
  } else {
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
}

// The picture's pixels, read once from the bitmap.
std::optional<DecodedImage> StillPicture::Pixels() const {
  BITMAP info{};
  if (!bitmap_ || !GetObjectW(bitmap_.get(), sizeof info, &info) || info.bmWidth <= 0 ||
      info.bmHeight <= 0) {
    return std::nullopt;
  }
  DecodedImage image{info.bmWidth, info.bmHeight, {}, false};
  image.pixels.resize(static_cast<size_t>(info.bmWidth) * info.bmHeight);
  BITMAPINFO format{};
  format.bmiHeader = {sizeof(BITMAPINFOHEADER), info.bmWidth, -info.bmHeight, 1, 32, BI_RGB};
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, bitmap_.get(), 0, info.bmHeight, image.pixels.data(), &format,
                             DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != info.bmHeight) return std::nullopt;
  for (uint32_t& pixel : image.pixels) pixel |= 0xFF000000u;
  return image;
}

bool StillPicture::ScaleTo(int width, int height) {
  if (width <= 0 || height <= 0) return false;
  if (scaled_ && scaled_->width() == width && scaled_->height() == height) return true;
  scaledDc_.Select(static_cast<HBITMAP>(nullptr));
  scaled_.reset();
  if (!pixels_) pixels_ = Pixels();
  if (!pixels_) return false;
  const std::optional<DecodedImage> resized = Resample(*pixels_, width, height);
  auto bitmap = std::make_unique<DibSection>(width, height);
  if (!resized || !*bitmap) return false;
  for (int y = 0; y < height; ++y) {
    auto* row =
        reinterpret_cast<uint32_t*>(bitmap->bits() + static_cast<size_t>(y) * bitmap->stride());
    for (int x = 0; x < width; ++x)
      row[x] = resized->pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF;
  }
  scaledDc_.Select(bitmap->bitmap());
  scaled_ = std::move(bitmap);
  return true;
}

}  // namespace skyvault::win32
