#include "controls/monitor_layout.h"

#include "controls/canvas_scaler.h"

namespace skyvault {

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
