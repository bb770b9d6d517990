#pragma once
#include <memory>
#include <optional>
#include <vector>

#include "controls/canvas.h"
#include "controls/filtered_canvas_scaler.h"
#include "controls/pixel_region.h"
#include "platform/win32/dib_section.h"
#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

// Puts the canvas on a window that covers one or more monitors: on each
// monitor the whole frame, aspect kept, black bars around. The canvas is
// composed at the size of the widest monitor's letterbox (ScaleFor), so
// there it is sent as it is, straight from the canvas's own bitmap; a
// monitor with a smaller letterbox gets it reduced with a filter, into an
// image of its own. Each frame only the few rectangles the compositor
// redrew are sent, a BitBlt each. The first frame, a frame after the
// window or the monitors changed, and painting send everything.
//
// A window inside another one (the preview pane) is its own single area:
// the frame is fitted to its client area rather than to the monitors.
class WindowPresenter {
 public:
  enum class Fit { Monitors, ClientArea };

  // `canvasDc` has the canvas's bitmap selected while frames are presented.
  WindowPresenter(HWND window, HDC canvasDc, Fit fit = Fit::Monitors);
  WindowPresenter(const WindowPresenter&) = delete;
  WindowPresenter& operator=(const WindowPresenter&) = delete;

  // How many canvas pixels each pixel of a frameWidth x frameHeight frame
  // becomes: the widest letterbox of the frame over the areas (the monitors,
  // or the client area), divided by frameWidth.
  double ScaleFor(int frameWidth, int frameHeight) const;

  void Present(const CanvasView& canvas, const PixelRegion& written);
  // WM_PAINT: sends the whole frame on every monitor, and the bars (black
  // before the first frame).
  void Paint(HDC dc, const RECT& area);
  // The window's size or the monitors changed: lay out again next frame.
  void Invalidate() { layoutValid_ = false; }
  // True once a frame has been sent.
  bool HasFrame() const { return shown_; }

  // The monitors' letterbox rectangles in window client coordinates.
  std::vector<PixelRect> Targets() const;

 private:
  // One monitor's part of the window.
  struct Target {
    PixelRect rect;  // in client coordinates
    // Only for a letterbox of another size than the canvas: the frame
    // reduced (or enlarged) into an image of its own.
    std::optional<FilteredCanvasScaler> scaler;
    std::unique_ptr<DibSection> image;
    std::unique_ptr<MemoryDc> dc;
  };
  // The monitors, or the window's client area, in screen coordinates.
  std::vector<PixelRect> Areas() const;
  void Layout(const CanvasView& canvas);
  // Sends part `part` of the canvas to `target` (scaling it first where
  // needed).
  void Send(HDC windowDc, Target& target, const CanvasView& canvas, const PixelRect& part);
  void SendWhole(HDC windowDc, const CanvasView& canvas);
  // Paints the window black around the frames.
  void FillBars(HDC dc) const;

  HWND window_;
  HDC canvasDc_;
  Fit fit_;
  int width_ = 0;
  int height_ = 0;
  int canvasWidth_ = 0;
  int canvasHeight_ = 0;
  bool layoutValid_ = false;
  bool shown_ = false;
  std::vector<Target> targets_;
  CanvasView canvas_;  // the last canvas presented, for painting
};

}  // namespace skyvault::win32
