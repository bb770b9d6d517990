#include "controls/win32/window_presenter.h"

#include <cstdlib>

#include "controls/frame_geometry.h"
#include "controls/monitor_layout.h"

namespace skyvault::win32 {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list) {
  reinterpret_cast<std::vector<PixelRect>*>(list)->push_back(
      {rect->left, rect->top, rect->right, rect->bottom});
  return TRUE;
}

std::vector<PixelRect> Monitors() {
  std::vector<PixelRect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

}  // namespace

WindowPresenter::WindowPresenter(HWND window, HDC canvasDc, Fit fit)
    : window_(window), canvasDc_(canvasDc), fit_(fit) {}

std::vector<PixelRect> WindowPresenter::Areas() const {
  if (fit_ == Fit::Monitors) return Monitors();
  RECT client{};
  GetClientRect(window_, &client);
  POINT origin{0, 0};
  ClientToScreen(window_, &origin);
  return {{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom}};
}

double WindowPresenter::ScaleFor(int frameWidth, int frameHeight) const {
  int widest = 0;
  for (const PixelRect& monitor : Areas()) {
    widest = std::max(widest, Letterbox(frameWidth, frameHeight, monitor).Width());
  }
  return widest > 0 && frameWidth > 0 ? static_cast<double>(widest) / frameWidth : 1.0;
}

std::vector<PixelRect> WindowPresenter::Targets() const {
  std::vector<PixelRect> rects;
  for (const Target& target : targets_) rects.push_back(target.rect);
  return rects;
}

void WindowPresenter::Layout(const CanvasView& canvas) {
  RECT client{};
  GetClientRect(window_, &client);
  width_ = client.right;
  height_ = client.bottom;
  POINT origin{0, 0};
  ClientToScreen(window_, &origin);
  targets_.clear();
  for (PixelRect rect : FrameTargets(canvas.width, canvas.height, Areas(),
                                     {origin.x, origin.y, origin.x + width_, origin.y + height_})) {
    Target target;
    if (std::abs(rect.Width() - canvas.width) <= 1 &&
        std::abs(rect.Height() - canvas.height) <= 1) {
      // The canvas's own size (give or take a rounding): sent as it is.
      rect.right = rect.left + canvas.width;
      rect.bottom = rect.top + canvas.height;
    } else if (!rect.Empty()) {
      target.image = std::make_unique<DibSection>(rect.Width(), rect.Height());
      if (!*target.image) continue;
      target.dc = std::make_unique<MemoryDc>();
      target.dc->Select(target.image->bitmap());
      target.scaler.emplace(canvas.width, canvas.height,
                            PixelRect{0, 0, rect.Width(), rect.Height()});
    }
    target.rect = rect;
    targets_.push_back(std::move(target));
  }
  canvasWidth_ = canvas.width;
  canvasHeight_ = canvas.height;
  layoutValid_ = true;
}

void WindowPresenter::Send(HDC windowDc, Target& target, const CanvasView& canvas,
                           const PixelRect& part) {
  if (!target.scaler) {
    BitBlt(windowDc, target.rect.left + part.left, target.rect.top + part.top, part.Width(),
           part.Height(), canvasDc_, part.left, part.top, SRCCOPY);
    return;
  }
  const PixelRect out =
      target.scaler->Scale(canvas, part, target.image->bits(), target.image->stride());
  if (out.Empty()) return;
  BitBlt(windowDc, target.rect.left + out.left, target.rect.top + out.top, out.Width(),
         out.Height(), target.dc->get(), out.left, out.top, SRCCOPY);
}

void WindowPresenter::FillBars(HDC dc) const {
  const RECT all{0, 0, width_, height_};
  HRGN bars = CreateRectRgnIndirect(&all);
  for (const Target& target : targets_) {
    HRGN frame =
        CreateRectRgn(target.rect.left, target.rect.top, target.rect.right, target.rect.bottom);
    CombineRgn(bars, bars, frame, RGN_DIFF);
    DeleteObject(frame);
  }
  FillRgn(dc, bars, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  DeleteObject(bars);
}

void WindowPresenter::SendWhole(HDC windowDc, const CanvasView& canvas) {
  FillBars(windowDc);
  for (Target& target : targets_) Send(windowDc, target, canvas, canvas.Bounds());
}

void WindowPresenter::Present(const CanvasView& canvas, const PixelRegion& written) {
  RECT client{};
  GetClientRect(window_, &client);
  const bool relaid = !layoutValid_ || client.right != width_ || client.bottom != height_ ||
                      canvas.width != canvasWidth_ || canvas.height != canvasHeight_;
  if (relaid) Layout(canvas);
  canvas_ = canvas;
  if (written.Empty() && !relaid) return;
  HDC windowDc = GetDC(window_);
  if (relaid || written.Area() == int64_t{canvas.width} * canvas.height) {
    SendWhole(windowDc, canvas);
  } else {
    for (Target& target : targets_) {
      for (const PixelRect& part : written.Rectangles()) Send(windowDc, target, canvas, part);
    }
  }
  ReleaseDC(window_, windowDc);
  shown_ = true;
}

void WindowPresenter::Paint(HDC dc, const RECT& area) {
  if (!shown_ || !canvas_.Valid()) {
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return;
  }
  FillBars(dc);
  // The kept pictures as they are (a scaled target's image already holds
  // its reduced frame).
  for (const Target& target : targets_) {
    HDC source = target.scaler ? target.dc->get() : canvasDc_;
    BitBlt(dc, target.rect.left, target.rect.top, target.rect.Width(), target.rect.Height(), source,
           0, 0, SRCCOPY);
  }
}

}  // namespace skyvault::win32
