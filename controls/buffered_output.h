#pragma once
#include <optional>
#include <vector>

#include "controls/canvas.h"
#include "controls/filtered_canvas_scaler.h"
#include "controls/pixel_region.h"

namespace skyvault {

// One output that shows the canvas through a few buffers of its own, which
// the display server reads while the next is written (a Wayland output's
// wl_shm buffers). Each buffer remembers which canvas pixels changed since
// it was last brought up to date (in few rectangles), so that a buffer shown
// two frames ago gets the pixels of both frames, and little more. The canvas goes into the
// buffer's letterbox (black bars around), copied when the sizes match,
// else through the filtered scaler: a frame composed once, at the widest
// output's size, is reduced for the others.
class BufferedOutput {
 public:
  BufferedOutput(int bufferWidth, int bufferHeight, int bufferCount);

  int bufferWidth() const { return width_; }
  int bufferHeight() const { return height_; }
  // Where the canvas shows in each buffer (empty before a canvas was seen).
  const PixelRect& target() const { return target_; }

  // The canvas pixels drawn since the last call (the compositor's `written`).
  // A canvas of another size than before makes every buffer start afresh.
  void NoteWritten(const CanvasView& canvas, const PixelRegion& written);
  // Whether what the output shows lags the canvas.
  bool Behind() const { return behind_; }
  // Brings buffer `index` (its top-left pixel `pixels`, rows `stride` bytes
  // apart, 0x00RRGGBB) up to the canvas; returns the buffer pixels written,
  // for the server's damage. The output no longer lags once it shows it.
  // A buffer that holds the canvas itself (see DrawIn) is not copied: only
  // its damage is told.
  std::vector<PixelRect> Refresh(int index, const CanvasView& canvas, uint8_t* pixels, int stride);
  // Makes buffer `index` the memory the next frame is composed in, where
  // the buffer's letterbox is the canvas's size (no scaler between): brings
  // it up to `canvas` except `redraw`, which is about to be drawn, and
  // returns the canvas in it. Nothing when the sizes differ or the
  // arguments are wrong.
  std::optional<CanvasView> DrawIn(int index, const CanvasView& canvas, uint8_t* pixels, int stride,
                                   const PixelRegion& redraw);

 private:
  struct Buffer {
    bool fresh = true;         // holds nothing yet: bars and the whole canvas
    bool wholeDamage = false;  // filled while drawn in, not yet shown
    PixelRegion stale;
  };
  void Layout(const CanvasView& canvas);
  // The canvas's place in a buffer: its letterbox, rows `stride` bytes apart.
  CanvasView InBuffer(const CanvasView& canvas, uint8_t* pixels, int stride) const;
  // Black bars and, where it is not reduced, the whole canvas, into a
  // buffer that holds nothing yet.
  void Fill(const CanvasView& canvas, uint8_t* pixels, int stride) const;
  static constexpr size_t kMaxStaleRectangles = 8;

  int width_;
  int height_;
  std::vector<Buffer> buffers_;
  int canvasWidth_ = 0;
  int canvasHeight_ = 0;
  PixelRect target_;
  std::optional<FilteredCanvasScaler> scaler_;  // when the letterbox is not the canvas's size
  bool behind_ = true;
};

}  // namespace skyvault
