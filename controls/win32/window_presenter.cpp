#include "controls/win32/window_presenter.h"

#include <cstring>

#include "controls/monitor_layout.h"

namespace skyvault::win32 {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list) {
  reinterpret_cast<std::vector<PixelRect>*>(list)->push_back(
      {rect->left, rect->top, rect->right, rect->bottom});
  return TRUE;
}

}  // namespace

WindowPresenter::WindowPresenter(HWND window) : window_(window), dc_(CreateCompatibleDC(nullptr)) {}

WindowPresenter::~WindowPresenter() {
  if (bitmap_) {
    SelectObject(dc_, originalBitmap_);
    DeleteObject(bitmap_);
  }
  DeleteDC(dc_);
}

std::vector<PixelRect> WindowPresenter::Targets() const {
  std::vector<PixelRect> targets;
  for (const CanvasScaler& scaler : scalers_) targets.push_back(scaler.target());
  return targets;
}

void WindowPresenter::Layout(const CanvasView& canvas) {
  RECT client{};
  GetClientRect(window_, &client);
  const int width = client.right, height = client.bottom;
  if (width != width_ || height != height_ || !bitmap_) {
    if (bitmap_) {
      SelectObject(dc_, originalBitmap_);
      DeleteObject(bitmap_);
      bitmap_ = nullptr;
      bits_ = nullptr;
    }
    width_ = width;
    height_ = height;
    if (width > 0 && height > 0) {
      BITMAPINFO info{};
      info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
      info.bmiHeader.biWidth = width;
      info.bmiHeader.biHeight = -height;
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = 32;
      info.bmiHeader.biCompression = BI_RGB;
      void* bits = nullptr;
      bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
      if (bitmap_) {
        originalBitmap_ = SelectObject(dc_, bitmap_);
        bits_ = static_cast<uint8_t*>(bits);
      }
    }
  }
  if (bits_) std::memset(bits_, 0, static_cast<size_t>(width_) * height_ * 4);

  std::vector<PixelRect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  POINT origin{0, 0};
  ClientToScreen(window_, &origin);
  scalers_.clear();
  for (const PixelRect& target :
       FrameTargets(canvas.width, canvas.height, monitors,
                    {origin.x, origin.y, origin.x + width_, origin.y + height_})) {
    scalers_.emplace_back(canvas.width, canvas.height, target);
  }
  canvasWidth_ = canvas.width;
  canvasHeight_ = canvas.height;
  diff_.Forget();
  layoutValid_ = true;
}

void WindowPresenter::Present(const CanvasView& canvas, const TileMask& written) {
  RECT client{};
  GetClientRect(window_, &client);
  if (!layoutValid_ || client.right != width_ || client.bottom != height_ ||
      canvas.width != canvasWidth_ || canvas.height != canvasHeight_) {
    Layout(canvas);
  }
  if (!bits_) return;
  const int stride = width_ * 4;
  const TileMask& changed = diff_.Update(canvas, written);
  if (!changed.Any()) return;
  HDC windowDc = GetDC(window_);
  if (changed.Count() == changed.columns() * changed.rows()) {
    for (const CanvasScaler& scaler : scalers_)
      scaler.Scale(canvas, canvas.Bounds(), bits_, stride);
    BitBlt(windowDc, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY);
  } else {
    for (const CanvasScaler& scaler : scalers_) {
      for (const PixelRect& part : diff_.Parts()) {
        const PixelRect out = scaler.Scale(canvas, part, bits_, stride);
        if (!out.Empty()) {
          BitBlt(windowDc, out.left, out.top, out.Width(), out.Height(), dc_, out.left, out.top,
                 SRCCOPY);
        }
      }
    }
  }
  ReleaseDC(window_, windowDc);
}

void WindowPresenter::Paint(HDC dc, const RECT& area) {
  if (bits_) {
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_, area.left,
           area.top, SRCCOPY);
  } else {
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
}

}  // namespace skyvault::win32
