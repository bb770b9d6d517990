#pragma once
#include <vector>

#include "controls/canvas.h"
#include "controls/canvas_scaler.h"
#include "controls/frame_diff.h"
#include "controls/tile_mask.h"
#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

// Puts the canvas on a window that covers one or more monitors: on each
// monitor the whole canvas, scaled with its aspect kept, black bars around.
// The scaled picture is kept in a 32-bit image of the window's size; each
// frame only the parts of the canvas that changed (looked for in the tiles
// the compositor redrew) are scaled and sent, a few rectangles each. The
// first frame, a frame after the window or the monitors changed, and
// painting send everything.
class WindowPresenter {
 public:
  explicit WindowPresenter(HWND window);
  ~WindowPresenter();
  WindowPresenter(const WindowPresenter&) = delete;
  WindowPresenter& operator=(const WindowPresenter&) = delete;

  void Present(const CanvasView& canvas, const TileMask& written);
  // WM_PAINT: sends the whole kept picture (black before the first frame).
  void Paint(HDC dc, const RECT& area);
  // The window's size or the monitors changed: lay out again next frame.
  void Invalidate() { layoutValid_ = false; }

  // The monitors' letterbox rectangles in window client coordinates.
  std::vector<PixelRect> Targets() const;

 private:
  void Layout(const CanvasView& canvas);

  HWND window_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ originalBitmap_ = nullptr;
  uint8_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int canvasWidth_ = 0;
  int canvasHeight_ = 0;
  bool layoutValid_ = false;
  std::vector<CanvasScaler> scalers_;
  FrameDiff diff_;
};

}  // namespace skyvault::win32
