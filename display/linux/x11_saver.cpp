#include "display/linux/x11_saver.h"

#include <unistd.h>

#include "controls/linux/x_drawing_control.h"
#include "controls/linux/x_error_trap.h"
#include "display/linux/saver_loop.h"
#include "display/linux/saver_targets.h"
#include "display/saver_display.h"
#include "platform/linux/linux_platform_services.h"

namespace skyvault {

// SaverDisplay's host (the endings that need the window and the process);
// the drawing control's events go to SaverDisplay itself.
class X11Saver::Impl : private DisplayHost {
 public:
  Impl(Display* display, Window window, bool ownWindow, SettingsStore& settings,
       SoundControl& sound, X11SaverOptions options);
  ~Impl() override;
  SaverLoopCounts Run(int signalFd);

 private:
  // DisplayHost
  void UnloadOtherWindows() override {}
  void UnloadDisplayWindow() override;
  void EndProgram() override { quit_ = true; }

  void HandleEvent(const XEvent& event);
  void ShowCursor(bool show);
  // Closed from outside: only the unload handler runs.
  void ClosedFromOutside();

  Display* display_x_;
  Window window_;
  bool ownWindow_;
  bool windowGone_ = false;
  bool quit_ = false;
  Cursor blankCursor_ = 0;
  double runSeconds_;
  LinuxPlatformServices platform_;
  std::unique_ptr<XDrawingControl> drawing_;
  std::unique_ptr<DrawingControl> wrappedDrawing_;
  std::unique_ptr<SaverDisplay> display_;
};

X11Saver::Impl::Impl(Display* display, Window window, bool ownWindow, SettingsStore& settings,
                     SoundControl& sound, X11SaverOptions options)
    : display_x_(display), window_(window), ownWindow_(ownWindow), runSeconds_(options.runSeconds) {
  XDrawingControl::Options drawingOptions;
  drawingOptions.input = ownWindow_;
  drawingOptions.surface = options.surface;
  drawingOptions.decoder = std::move(options.decoder);
  drawing_ = std::make_unique<XDrawingControl>(display_x_, window_, std::move(drawingOptions));
  drawing_->ShowRedraws(options.showRedraws);
  DrawingControl* drawing = drawing_.get();
  if (options.wrapDrawing) {
    wrappedDrawing_ = options.wrapDrawing(*drawing_);
    if (wrappedDrawing_) drawing = wrappedDrawing_.get();
  }
  if (ownWindow_) {
    blankCursor_ = CreateBlankCursor(display_x_, window_);
    platform_.showCursor = [this](bool show) { ShowCursor(show); };
  }
  DisplayHost& host = *this;
  display_ = std::make_unique<SaverDisplay>(settings, *drawing, sound, platform_, host);
  drawing_->SetEvents(display_.get());
}

X11Saver::Impl::~Impl() {
  display_.reset();
  wrappedDrawing_.reset();
  drawing_.reset();
  if (blankCursor_) XFreeCursor(display_x_, blankCursor_);
  if (ownWindow_ && !windowGone_) XDestroyWindow(display_x_, window_);
  XSync(display_x_, False);
}

void X11Saver::Impl::ShowCursor(bool show) {
  if (windowGone_) return;
  if (show) {
    XUndefineCursor(display_x_, window_);
  } else {
    XDefineCursor(display_x_, window_, blankCursor_);
  }
  XFlush(display_x_);
}

void X11Saver::Impl::UnloadDisplayWindow() {
  // As the window goes, its unload handler runs.
  display_->Unload();
  if (ownWindow_ && !windowGone_) {
    XDestroyWindow(display_x_, window_);
    XFlush(display_x_);
    windowGone_ = true;
  }
}

void X11Saver::Impl::ClosedFromOutside() {
  display_->Unload();
  quit_ = true;
}

void X11Saver::Impl::HandleEvent(const XEvent& event) {
  if (display_->finished()) return;
  if (event.xany.window == window_) {
    if (event.type == DestroyNotify && event.xdestroywindow.window == window_) {
      windowGone_ = true;
      ClosedFromOutside();
      return;
    }
    if (event.type == MapNotify && ownWindow_) {
      // Keys come here (a window manager may have placed the focus already).
      XErrorTrap trap(display_x_);
      XSetInputFocus(display_x_, window_, RevertToParent, CurrentTime);
    }
  }
  drawing_->HandleEvent(event);
}

SaverLoopCounts X11Saver::Impl::Run(int signalFd) {
  display_->Load();
  if (ownWindow_) ShowOwnWindow(display_x_, window_);

  SaverLoopHandlers handlers;
  handlers.event = [this](const XEvent& event) { HandleEvent(event); };
  handlers.frame = [this] {
    if (!display_->finished()) drawing_->RaiseFrame();
  };
  handlers.timers = [this] {
    display_->OnSoundTimer();
    display_->OnPauseTimer();
  };
  handlers.signal = [this] { ClosedFromOutside(); };
  handlers.done = [this] { return quit_ || display_->finished(); };
  const int64_t deadline =
      runSeconds_ > 0 ? MonotonicNanoseconds() + static_cast<int64_t>(runSeconds_ * 1e9) : 0;
  const SaverLoopCounts counts =
      RunSaverLoop(display_x_, signalFd, handlers, SaverDisplay::kFramesPerSecond,
                   SaverDisplay::kTimerMilliseconds, deadline);
  if (!display_->finished()) display_->Unload();
  return counts;
}

X11Saver::X11Saver(Display* display, Window window, bool ownWindow, SettingsStore& settings,
                   SoundControl& sound, X11SaverOptions options)
    : impl_(std::make_unique<Impl>(display, window, ownWindow, settings, sound,
                                   std::move(options))) {}

X11Saver::~X11Saver() = default;

SaverLoopCounts X11Saver::Run(int signalFd) { return impl_->Run(signalFd); }

}  // namespace skyvault
