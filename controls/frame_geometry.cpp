#include "controls/frame_geometry.h"

#include <algorithm>
#include <cmath>

#include "controls/monitor_layout.h"

namespace skyvault {
namespace {

// round(v) with halves up; a scale such as 1874 / 800 is not exact in
// binary, so a product that should be a half (1405.5) may fall just below.
double RoundHalfUp(double v) { return std::floor(v + 0.5 + 1e-7); }

}  // namespace

double FrameScaleFor(const std::vector<PixelRect>& monitors) {
  int widest = 0;
  for (const PixelRect& monitor : monitors) {
    widest = std::max(widest, Letterbox(kLogicalWidth, kLogicalHeight, monitor).Width());
  }
  return widest > 0 ? static_cast<double>(widest) / kLogicalWidth : 1.0;
}

double LimitedScale(double scale, int width, int height) {
  if (width <= 0 || height <= 0) return scale;
  const double largest = std::min(static_cast<double>(kMaxCanvasSide) / width,
                                  static_cast<double>(kMaxCanvasSide) / height);
  if (!(scale > largest)) return scale;
  // Rounding may take the largest a pixel over; step down until it fits.
  double limited = largest;
  while (limited > 0 && (FrameScale(limited).Length(width) > kMaxCanvasSide ||
                         FrameScale(limited).Length(height) > kMaxCanvasSide)) {
    limited = std::nextafter(limited, 0.0);
  }
  return limited;
}

FrameScale::FrameScale(double scale) : scale_(std::isfinite(scale) && scale > 0 ? scale : 1.0) {}

int64_t FrameScale::Position(int64_t logical) const {
  const double physical = RoundHalfUp(static_cast<double>(logical) * scale_);
  return static_cast<int64_t>(std::clamp(physical, -9.0e18, 9.0e18));
}

int FrameScale::Length(int logical) const {
  const double physical = RoundHalfUp(static_cast<double>(logical) * scale_);
  return static_cast<int>(std::clamp(physical, 1.0, 2.0e9));
}

SourceArea CoverArea(int width, int height, int frameWidth, int frameHeight) {
  if (width <= 0 || height <= 0 || frameWidth <= 0 || frameHeight <= 0) return {};
  const double w = width, h = height;
  const int64_t wide = int64_t{width} * frameHeight, tall = int64_t{height} * frameWidth;
  if (wide == tall) return {0, 0, w, h};
  if (wide > tall) {  // wider than the frame: the full height, the sides cut
    const double used = h * frameWidth / frameHeight;
    return {(w - used) / 2, 0, (w + used) / 2, h};
  }
  const double used = w * frameHeight / frameWidth;
  return {0, (h - used) / 2, w, (h + used) / 2};
}

}  // namespace skyvault
