#include "controls/wayland/output_surface.h"

#include <algorithm>

#include "fractional_scale_v1.h"
#include "viewporter.h"
#include "wlr_layer_shell_unstable_v1.h"
#include "xdg_shell.h"

namespace skyvault {
namespace {

OutputSurface* Of(void* data) { return static_cast<OutputSurface*>(data); }

}  // namespace

// The compositor's events for an output, its surface and its frame
// callbacks, passed on to the OutputSurface they were registered with.
struct OutputSurfaceEvents {
  static void Geometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
                       const char*, int32_t) {}
  static void Mode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t) {
    if (flags & WL_OUTPUT_MODE_CURRENT) Of(data)->SetMode(width, height);
  }
  static void Done(void*, wl_output*) {}
  static void Scale(void* data, wl_output*, int32_t factor) { Of(data)->SetScale(factor); }

  static void LayerConfigure(void* data, zwlr_layer_surface_v1* surface, uint32_t serial,
                             uint32_t width, uint32_t height) {
    zwlr_layer_surface_v1_ack_configure(surface, serial);
    Of(data)->SetSize(static_cast<int>(width), static_cast<int>(height));
  }
  static void LayerClosed(void* data, zwlr_layer_surface_v1*) { Of(data)->SetClosed(); }

  static void XdgConfigure(void* data, xdg_surface* surface, uint32_t serial) {
    xdg_surface_ack_configure(surface, serial);
    Of(data)->SetSize(-1, -1);
  }
  static void ToplevelConfigure(void* data, xdg_toplevel*, int32_t width, int32_t height,
                                wl_array*) {
    Of(data)->SetPendingSize(width, height);
  }
  static void ToplevelClose(void* data, xdg_toplevel*) { Of(data)->SetClosed(); }
  static void ToplevelBounds(void*, xdg_toplevel*, int32_t, int32_t) {}
  static void ToplevelCapabilities(void*, xdg_toplevel*, wl_array*) {}

  static void PreferredScale(void* data, wp_fractional_scale_v1*, uint32_t scale) {
    Of(data)->SetPreferredScale(static_cast<int>(std::min<uint32_t>(scale, 120 * 1000)));
  }

  static void FrameDone(void* data, wl_callback* callback, uint32_t) {
    wl_callback_destroy(callback);
    Of(data)->FrameCallbackDone();
  }
};

const wl_output_listener OutputSurface::kOutputListener = {&OutputSurfaceEvents::Geometry,
                                                           &OutputSurfaceEvents::Mode,
                                                           &OutputSurfaceEvents::Done,
                                                           &OutputSurfaceEvents::Scale,
                                                           nullptr,
                                                           nullptr};

const wl_callback_listener OutputSurface::kFrameListener = {&OutputSurfaceEvents::FrameDone};

namespace {

const zwlr_layer_surface_v1_listener kLayerListener = {&OutputSurfaceEvents::LayerConfigure,
                                                       &OutputSurfaceEvents::LayerClosed};
const wp_fractional_scale_v1_listener kFractionalScaleListener = {
    &OutputSurfaceEvents::PreferredScale};
const xdg_surface_listener kXdgSurfaceListener = {&OutputSurfaceEvents::XdgConfigure};
const xdg_toplevel_listener kToplevelListener = {
    &OutputSurfaceEvents::ToplevelConfigure, &OutputSurfaceEvents::ToplevelClose,
    &OutputSurfaceEvents::ToplevelBounds, &OutputSurfaceEvents::ToplevelCapabilities};

}  // namespace

OutputSurface::OutputSurface(const WaylandShell& shell, wl_output* output, uint32_t name)
    : shell_(shell), output_(output), name_(name) {
  wl_output_add_listener(output_, &kOutputListener, this);
  surface_ = wl_compositor_create_surface(shell_.compositor);
  if (shell_.viewporter && shell_.fractionalScale) {
    viewport_ = wp_viewporter_get_viewport(shell_.viewporter, surface_);
    fractionalScale_ =
        wp_fractional_scale_manager_v1_get_fractional_scale(shell_.fractionalScale, surface_);
    wp_fractional_scale_v1_add_listener(fractionalScale_, &kFractionalScaleListener, this);
  }
  if (shell_.layerShell && !shell_.useXdgShell) {
    layerSurface_ = zwlr_layer_shell_v1_get_layer_surface(
        shell_.layerShell, surface_, output_, ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "skyvault");
    zwlr_layer_surface_v1_add_listener(layerSurface_, &kLayerListener, this);
    zwlr_layer_surface_v1_set_size(layerSurface_, 0, 0);
    zwlr_layer_surface_v1_set_anchor(
        layerSurface_, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                           ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    zwlr_layer_surface_v1_set_exclusive_zone(layerSurface_, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        layerSurface_, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
  } else if (shell_.wmBase) {
    xdgSurface_ = xdg_wm_base_get_xdg_surface(shell_.wmBase, surface_);
    xdg_surface_add_listener(xdgSurface_, &kXdgSurfaceListener, this);
    toplevel_ = xdg_surface_get_toplevel(xdgSurface_);
    xdg_toplevel_add_listener(toplevel_, &kToplevelListener, this);
    xdg_toplevel_set_title(toplevel_, "Skyvault");
    xdg_toplevel_set_app_id(toplevel_, "skyvault");
    xdg_toplevel_set_fullscreen(toplevel_, output_);
  } else {
    closed_ = true;  // no shell to show a surface with
  }
  // The first commit, without a buffer, asks for the size.
  wl_surface_commit(surface_);
}

OutputSurface::~OutputSurface() {
  if (frameCallback_) wl_callback_destroy(frameCallback_);
  if (layerSurface_) zwlr_layer_surface_v1_destroy(layerSurface_);
  if (toplevel_) xdg_toplevel_destroy(toplevel_);
  if (xdgSurface_) xdg_surface_destroy(xdgSurface_);
  if (fractionalScale_) wp_fractional_scale_v1_destroy(fractionalScale_);
  if (viewport_) wp_viewport_destroy(viewport_);
  for (auto& buffer : buffers_) buffer.reset();
  if (surface_) wl_surface_destroy(surface_);
  if (wl_output_get_version(output_) >= WL_OUTPUT_RELEASE_SINCE_VERSION) {
    wl_output_release(output_);
  } else {
    wl_output_destroy(output_);
  }
}

void OutputSurface::SetMode(int width, int height) {
  modeWidth_ = width;
  modeHeight_ = height;
}

void OutputSurface::SetScale(int factor) {
  SurfaceScale scale = scale_;
  scale.SetWhole(shell_.compositorVersion >= 3 ? factor : 1);
  if (!(scale == scale_)) {
    scale_ = scale;
    buffersStale_ = true;
  }
}

void OutputSurface::SetPreferredScale(int hundredTwentieths) {
  SurfaceScale scale = scale_;
  scale.SetPreferred(hundredTwentieths);
  if (!(scale == scale_)) {
    scale_ = scale;
    buffersStale_ = true;
  }
}

void OutputSurface::SetPendingSize(int width, int height) {
  pendingWidth_ = width;
  pendingHeight_ = height;
}

void OutputSurface::SetSize(int width, int height) {
  if (width < 0) {  // an xdg configure: the toplevel's size came before it
    width = pendingWidth_;
    height = pendingHeight_;
  }
  if (width <= 0 || height <= 0) {
    // The compositor leaves the size to the client: the output's.
    width = scale_.Logical(modeWidth_);
    height = scale_.Logical(modeHeight_);
  }
  if (width != logicalWidth_ || height != logicalHeight_) buffersStale_ = true;
  logicalWidth_ = width;
  logicalHeight_ = height;
  configured_ = width > 0 && height > 0;
}

void OutputSurface::SetClosed() { closed_ = true; }

void OutputSurface::FrameCallbackDone() {
  frameCallback_ = nullptr;
  // A frame that waited for the compositor goes now, not a frame later.
  if (canvas_.Valid()) Submit();
}

bool OutputSurface::FrameHeldBack() const {
  return frames_ && !closed_ && canvas_.Valid() && frames_->Behind();
}

void OutputSurface::ForgetCanvas() { canvas_ = {}; }

int OutputSurface::physicalWidth() const {
  return configured_ ? scale_.Physical(logicalWidth_) : 0;
}
int OutputSurface::physicalHeight() const {
  return configured_ ? scale_.Physical(logicalHeight_) : 0;
}

void OutputSurface::MakeBuffers() {
  const int width = physicalWidth(), height = physicalHeight();
  for (auto& buffer : buffers_) {
    buffer = std::make_shared<ShmBuffer>(shell_.shm, width, height);
    if (!buffer->Valid()) buffer.reset();
  }
  frames_ = std::make_unique<BufferedOutput>(width, height, kBufferCount);
  if (viewport_) {
    // The buffer is at scale 1, shown at the logical size: the fractional
    // scale is in its pixels and nowhere else.
    if (shell_.compositorVersion >= 3) wl_surface_set_buffer_scale(surface_, 1);
    wp_viewport_set_destination(viewport_, logicalWidth_, logicalHeight_);
  } else if (shell_.compositorVersion >= 3) {
    wl_surface_set_buffer_scale(surface_, scale_.Physical(1));
  }
  buffersStale_ = false;
}

int OutputSurface::FreeBuffer(const uint8_t* canvasBits) const {
  int free = -1;
  for (int i = 0; i < kBufferCount; ++i) {
    if (!buffers_[i] || buffers_[i]->busy()) continue;
    if (buffers_[i]->Holds(canvasBits)) return i;
    if (free < 0) free = i;
  }
  return free;
}

std::optional<CanvasView> OutputSurface::CanvasFor(const CanvasView& current,
                                                   const PixelRegion& redraw,
                                                   std::shared_ptr<ShmBuffer>& holder) {
  if (!configured_ || closed_ || !current.Valid()) return std::nullopt;
  if (buffersStale_ || !frames_) MakeBuffers();
  const int chosen = FreeBuffer(current.bits);
  if (chosen < 0) return std::nullopt;
  ShmBuffer& buffer = *buffers_[chosen];
  std::optional<CanvasView> canvas =
      frames_->DrawIn(chosen, current, buffer.pixels(), buffer.stride(), redraw);
  if (canvas) holder = buffers_[chosen];
  return canvas;
}

void OutputSurface::Show(const CanvasView& canvas, const PixelRegion& written) {
  if (!configured_ || closed_) return;
  if (buffersStale_ || !frames_) MakeBuffers();
  frames_->NoteWritten(canvas, written);
  canvas_ = canvas;
  Submit();
}

void OutputSurface::Submit() {
  if (!frames_ || closed_ || frameCallback_ || !frames_->Behind()) return;
  const CanvasView& canvas = canvas_;
  const int free = FreeBuffer(canvas.bits);
  if (free < 0) return;
  ShmBuffer& buffer = *buffers_[free];
  for (const PixelRect& r : frames_->Refresh(free, canvas, buffer.pixels(), buffer.stride())) {
    wl_surface_damage_buffer(surface_, r.left, r.top, r.Width(), r.Height());
  }
  wl_surface_attach(surface_, buffer.buffer(), 0, 0);
  frameCallback_ = wl_surface_frame(surface_);
  wl_callback_add_listener(frameCallback_, &kFrameListener, this);
  wl_surface_commit(surface_);
  buffer.MarkBusy();
  ++submitted_;
}

}  // namespace skyvault
