#pragma once
#include <memory>
#include <vector>

#include "controls/canvas_host.h"
#include "controls/wayland/output_surface.h"

namespace skyvault {

// The compositor's host on Wayland: a surface on every output. The frame is
// composed once, at the widest output's letterbox in physical pixels, in a
// free buffer of that output (what that buffer missed of the last frames
// copied into it first, but for what is drawn anew), or in memory of its own
// while none is free; the other outputs' buffers get it reduced through the
// filter, only the rectangles that changed.
// Outputs come and go while the saver runs; when the widest letterbox is no
// longer the canvas's size, NeedsNewCanvas asks the owner to open the
// display again.
class WaylandCanvasHost : public CanvasHost {
 public:
  explicit WaylandCanvasHost(const WaylandShell& shell) : shell_(shell) {}

  bool DisplaySupports(int) override { return true; }
  double ScaleFor(int logicalWidth, int logicalHeight) override;
  std::optional<CanvasView> CreateCanvas(int width, int height) override;
  void PrepareToDraw(CanvasView& canvas, const PixelRegion& redraw) override;
  void Present(const CanvasView& canvas, const PixelRegion& written) override;

  // An output the compositor announced (its registry name) gets a surface;
  // a removed one loses it.
  void AddOutput(wl_output* output, uint32_t name);
  void RemoveOutput(uint32_t name);
  // Surfaces the compositor closed are let go; true when one was.
  bool DropClosed();
  const std::vector<std::unique_ptr<OutputSurface>>& outputs() const { return outputs_; }
  // Whether every surface has its size (none is still waiting for one).
  bool AllConfigured() const;
  // Whether a surface holds a frame back until the compositor is ready for it.
  bool FrameHeldBack() const;
  // Whether the canvas no longer has the widest output's letterbox size.
  bool NeedsNewCanvas() const;

 private:
  int WidestLetterbox(int width, int height) const;

  WaylandShell shell_;
  std::vector<std::unique_ptr<OutputSurface>> outputs_;
  std::vector<uint8_t> canvas_;              // the canvas while no buffer can hold it
  std::shared_ptr<ShmBuffer> canvasBuffer_;  // the buffer the canvas is in, kept while it is
  int canvasWidth_ = 0;
  int canvasHeight_ = 0;
};

}  // namespace skyvault
