#include "controls/monitor_layout.h"

namespace skyvault {

PixelRect Letterbox(int canvasWidth, int canvasHeight, const PixelRect& area) {
  const int64_t aw = area.Width(), ah = area.Height();
  if (aw <= 0 || ah <= 0 || canvasWidth <= 0 || canvasHeight <= 0) return {};
  int64_t w, h;
  if (aw * canvasHeight <= ah * canvasWidth) {
    w = aw;
    h = (aw * canvasHeight + canvasWidth / 2) / canvasWidth;
  } else {
    h = ah;
    w = (ah * canvasWidth + canvasHeight / 2) / canvasHeight;
  }
  const int left = area.left + static_cast<int>((aw - w) / 2);
  const int top = area.top + static_cast<int>((ah - h) / 2);
  return {left, top, left + static_cast<int>(w), top + static_cast<int>(h)};
}

std::vector<PixelRect> FrameTargets(int frameWidth, int frameHeight,
                                    const std::vector<PixelRect>& monitors,
                                    const PixelRect& client) {
  std::vector<PixelRect> targets;
  if (client.Empty()) return targets;
  const PixelRect area{0, 0, client.Width(), client.Height()};
  for (const PixelRect& m : monitors) {
    const PixelRect part = PixelRect{m.left - client.left, m.top - client.top,
                                     m.right - client.left, m.bottom - client.top}
                               .Intersect(area);
    if (!part.Empty()) targets.push_back(Letterbox(frameWidth, frameHeight, part));
  }
  if (targets.empty()) targets.push_back(Letterbox(frameWidth, frameHeight, area));
  return targets;
}

}  // namespace skyvault
