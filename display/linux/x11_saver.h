#pragma once
#include <X11/Xlib.h>

#include <functional>
#include <memory>

#include "controls/decoded_image.h"
#include "controls/drawing_control.h"
#include "controls/linux/x_image_surface.h"
#include "controls/sound_control.h"
#include "display/linux/saver_loop.h"
#include "settings/settings_store.h"

namespace skyvault {

// What a benchmark or a test may change about the saver window; the saver
// itself uses the defaults.
struct X11SaverOptions {
  // Wraps the drawing control that the saver draws through; the wrapper must
  // pass every call on to `inner`.
  std::function<std::unique_ptr<DrawingControl>(DrawingControl& inner)> wrapDrawing;
  // The picture decoder (gdk-pixbuf when none).
  std::unique_ptr<ImageDecoder> decoder;
  XImageSurface::Options surface;
  // Outlines the rectangles redrawn each frame (Compositor::ShowRedraws).
  bool showRedraws = false;
  // Ends the run after this many seconds (0: runs until the saver ends).
  double runSeconds = 0;
};

// The saver on one X window: the portable SaverDisplay with its drawing
// control on the window, the platform services, and the settings store and
// sound control it is given; X events, the frame grid, the display's two
// timers and termination signals turned into SaverDisplay's calls.
//
// On a window of its own (`ownWindow`, made by CreateOwnWindow) the saver
// hides the pointer, takes the keyboard focus, and a key, a button or the
// mouse-sensitivity moves end it; the window goes with it. On a window it
// was handed (xscreensaver's, a preview's, the root) it only draws. A
// termination signal, or the handed window's destruction, ends it as a
// window closed from outside: the unload handler stops the sound.
class X11Saver {
 public:
  X11Saver(Display* display, Window window, bool ownWindow, SettingsStore& settings,
           SoundControl& sound, X11SaverOptions options = {});
  ~X11Saver();
  X11Saver(const X11Saver&) = delete;
  X11Saver& operator=(const X11Saver&) = delete;

  // The load sequence, then (own window) the window shown; then events and
  // frames until the saver ends. `signalFd` is TerminationSignals' fd.
  // Returns what the loop did.
  SaverLoopCounts Run(int signalFd);

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace skyvault
