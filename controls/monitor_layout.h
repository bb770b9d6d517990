#pragma once
#include <vector>

#include "controls/canvas.h"

namespace skyvault {

// The largest rectangle with the canvas's aspect that fits in `area`,
// centred in it; the rest of the area is left for black bars.
PixelRect Letterbox(int canvasWidth, int canvasHeight, const PixelRect& area);

// Where a frame goes in a window that covers one or more monitors: on
// each monitor's part of the window's client area, the whole frame with
// its aspect kept, centred, black bars around (Letterbox). `monitors` and
// `client` are in screen coordinates; the rectangles returned are in the
// client area's own, in the order of the monitors. A window on no monitor
// shows the frame once over its whole client area; an empty one nowhere.
std::vector<PixelRect> FrameTargets(int frameWidth, int frameHeight,
                                    const std::vector<PixelRect>& monitors,
                                    const PixelRect& client);

}  // namespace skyvault
