#pragma once
#include <memory>

#include "controls/compositor.h"
#include "controls/drawing_control.h"
#include "controls/forwarding_drawing_control.h"
#include "controls/frame_schedule.h"
#include "controls/win32/gdi_canvas.h"
#include "controls/win32/window_presenter.h"
#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

// The drawing control on a window that its owner creates and shows over the
// whole virtual screen. The owner passes the window's messages on through
// HandleWindowMessage (input, painting, size and display changes) and runs
// the thread's message loop with RunFrameLoop, which raises the frame event
// 60 times a second. Events go to the DrawingEvents set with SetEvents.
//
// InitDisplay is false only when the display cannot show 16-bit colour; the
// display mode itself is never changed: the frame is composed at the size
// of the widest monitor's letterbox and shown on every monitor. On a
// window inside another (`Fit::ClientArea`, the preview pane) the frame is
// composed at the size of that window's own letterbox instead.
class Win32DrawingControl : public ForwardingDrawingControl {
 public:
  using Fit = WindowPresenter::Fit;

  explicit Win32DrawingControl(HWND window, Fit fit = Fit::Monitors);
  // With another picture decoder (tests, benchmarks).
  Win32DrawingControl(HWND window, std::unique_ptr<ImageDecoder> decoder, Fit fit = Fit::Monitors);
  ~Win32DrawingControl() override;

  void SetEvents(DrawingEvents* events) { events_ = events; }

  bool InitDisplay(int32_t width, int32_t height, int32_t depth,
                   const std::string& options) override;

  // For the window procedure: true when the message was the control's, with
  // the procedure's result in *result. Input messages raise the events and
  // count as handled; WM_PAINT and WM_ERASEBKGND are handled; size and
  // display changes are noted and left to the owner (false).
  bool HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Keys (WM_KEYDOWN, WM_SYSKEYDOWN), button presses (left, right, middle,
  // X) and pointer moves; a WM_MOUSEMOVE at the position of the one before,
  // and the very first, is no move. True for those messages.
  bool HandleInputMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // One frame event, once the display is open.
  void RaiseFrame();
  // The message loop with frame events; returns the WM_QUIT exit code.
  int RunFrameLoop(int framesPerSecond = 60);

  void ShowRedraws(bool on) { compositor_.ShowRedraws(on); }
  const CanvasView& canvas() const { return compositor_.canvas(); }
  // Canvas pixels per frame pixel.
  double scale() const { return compositor_.scale().value(); }
  const WindowPresenter& presenter() const { return presenter_; }

 private:
  class Host : public CanvasHost {
   public:
    Host(GdiCanvas& canvas, WindowPresenter& presenter) : canvas_(canvas), presenter_(presenter) {}
    bool DisplaySupports(int depth) override;
    double ScaleFor(int logicalWidth, int logicalHeight) override {
      return presenter_.ScaleFor(logicalWidth, logicalHeight);
    }
    std::optional<CanvasView> CreateCanvas(int width, int height) override {
      return canvas_.Create(width, height);
    }
    void Present(const CanvasView& canvas, const PixelRegion& written) override {
      presenter_.Present(canvas, written);
    }

   private:
    GdiCanvas& canvas_;
    WindowPresenter& presenter_;
  };

  HWND window_;
  std::unique_ptr<ImageDecoder> decoder_;
  GdiCanvas gdiCanvas_;
  WindowPresenter presenter_;
  Host host_;
  Compositor compositor_;
  DrawingEvents* events_ = nullptr;
  bool open_ = false;
  PointerMoveFilter pointer_;
};

}  // namespace skyvault::win32
