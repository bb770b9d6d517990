#pragma once
#include <wayland-client.h>

#include <array>
#include <memory>
#include <optional>

#include "controls/buffered_output.h"
#include "controls/canvas.h"
#include "controls/pixel_region.h"
#include "controls/surface_scale.h"
#include "controls/wayland/shm_buffer.h"

struct zwlr_layer_shell_v1;
struct zwlr_layer_surface_v1;
struct xdg_wm_base;
struct xdg_surface;
struct xdg_toplevel;
struct wp_viewporter;
struct wp_viewport;
struct wp_fractional_scale_manager_v1;
struct wp_fractional_scale_v1;

namespace skyvault {

// The compositor's globals a surface is made with. With a layer shell (and
// not `useXdgShell`) each output gets an overlay-layer surface; else a
// full-screen xdg toplevel.
struct WaylandShell {
  wl_compositor* compositor = nullptr;
  uint32_t compositorVersion = 0;
  wl_shm* shm = nullptr;
  zwlr_layer_shell_v1* layerShell = nullptr;
  xdg_wm_base* wmBase = nullptr;
  // Both offered: each surface may take a fractional scale.
  wp_viewporter* viewporter = nullptr;
  wp_fractional_scale_manager_v1* fractionalScale = nullptr;
  bool useXdgShell = false;
};

// One output and the saver's surface on it: over the whole output, above
// everything (overlay layer, anchored to all edges, exclusive zone -1, the
// keyboard exclusively), or a toplevel made full screen on it. Its buffers
// have the output's physical size, so the compositor never enlarges them:
// the logical size times the surface's preferred fractional scale, shown
// through a viewport at the logical size, where the compositor offers
// both; else times the output's whole-number scale, which the surface
// declares. A frame is submitted only when the surface's last frame callback
// has come and a buffer is free; a frame that had to wait goes as the
// callback comes, and what a buffer missed is carried to it.
class OutputSurface {
 public:
  static constexpr int kBufferCount = 2;

  OutputSurface(const WaylandShell& shell, wl_output* output, uint32_t name);
  ~OutputSurface();
  OutputSurface(const OutputSurface&) = delete;
  OutputSurface& operator=(const OutputSurface&) = delete;

  uint32_t name() const { return name_; }
  wl_surface* surface() const { return surface_; }
  // The compositor has given the surface its size (and it was acknowledged).
  bool configured() const { return configured_; }
  // The compositor took the surface away (closed layer surface, closed toplevel).
  bool closed() const { return closed_; }
  const SurfaceScale& scale() const { return scale_; }
  // The buffers' size in pixels of the output; 0 before the size is known.
  int physicalWidth() const;
  int physicalHeight() const;
  // Frames committed to the compositor.
  int submittedFrames() const { return submitted_; }
  // Whether a frame is held back until the compositor is ready for it (its
  // frame callback, or a buffer's release, has not come yet).
  bool FrameHeldBack() const;

  // The canvas with the pixels drawn since the last call: noted for every
  // buffer, and shown now if the compositor is ready for a frame.
  void Show(const CanvasView& canvas, const PixelRegion& written);
  // The canvas's memory is going (a new canvas is made): nothing more is
  // read from it until the next Show.
  void ForgetCanvas();
  // Where the canvas's letterbox on this output is the canvas's size: a
  // buffer the compositor does not read, holding `current` except
  // `redraw`, for the next frame to be composed in (the one it is in
  // already, if free), and the canvas in it; `holder` keeps the buffer's
  // memory while the canvas is there. Nothing when no buffer is free or the
  // sizes differ.
  std::optional<CanvasView> CanvasFor(const CanvasView& current, const PixelRegion& redraw,
                                      std::shared_ptr<ShmBuffer>& holder);

  // What the compositor says (called from its event handlers).
  void SetMode(int width, int height);
  void SetScale(int factor);
  void SetPreferredScale(int hundredTwentieths);
  void SetPendingSize(int width, int height);
  // The size acknowledged: logical pixels, or -1 for the toplevel's last size.
  void SetSize(int width, int height);
  void SetClosed();
  void FrameCallbackDone();

 private:
  static const wl_output_listener kOutputListener;
  static const wl_callback_listener kFrameListener;

  void MakeBuffers();
  // The free buffer a frame goes in: the one holding `canvasBits`, else the first.
  int FreeBuffer(const uint8_t* canvasBits) const;
  // Commits the next free buffer, brought up to the canvas, if the output
  // lags it and the compositor is ready for a frame.
  void Submit();

  WaylandShell shell_;
  wl_output* output_;
  uint32_t name_;
  wl_surface* surface_ = nullptr;
  zwlr_layer_surface_v1* layerSurface_ = nullptr;
  xdg_surface* xdgSurface_ = nullptr;
  xdg_toplevel* toplevel_ = nullptr;
  wl_callback* frameCallback_ = nullptr;
  wp_viewport* viewport_ = nullptr;
  wp_fractional_scale_v1* fractionalScale_ = nullptr;
  SurfaceScale scale_;
  int modeWidth_ = 0;  // the output's current mode, in its pixels
  int modeHeight_ = 0;
  int logicalWidth_ = 0;  // as configured
  int logicalHeight_ = 0;
  int pendingWidth_ = 0;  // a toplevel's size before its xdg_surface's configure
  int pendingHeight_ = 0;
  bool buffersStale_ = true;  // the size or scale changed since they were made
  bool configured_ = false;
  bool closed_ = false;
  int submitted_ = 0;
  std::array<std::shared_ptr<ShmBuffer>, kBufferCount> buffers_;
  std::unique_ptr<BufferedOutput> frames_;
  CanvasView canvas_;  // the canvas last shown, valid until ForgetCanvas
};

}  // namespace skyvault
