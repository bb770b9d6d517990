#pragma once
#include <wayland-client.h>

#include <functional>
#include <memory>

#include "controls/decoded_image.h"
#include "controls/drawing_control.h"
#include "controls/sound_control.h"
#include "display/linux/saver_loop.h"
#include "settings/settings_store.h"

namespace skyvault {

struct WaylandSaverOptions {
  // Wraps the drawing control that the saver draws through (a benchmark's
  // timing); the wrapper must pass every call on to `inner`.
  std::function<std::unique_ptr<DrawingControl>(DrawingControl& inner)> wrapDrawing;
  // A full-screen xdg toplevel on each output even where the compositor
  // offers the layer shell.
  bool xdgShell = false;
  // Outlines the rectangles redrawn each frame (Compositor::ShowRedraws).
  bool showRedraws = false;
  // The picture decoder (gdk-pixbuf when none).
  std::unique_ptr<ImageDecoder> decoder;
  // Ends the run after this many seconds (0: runs until the saver ends).
  double runSeconds = 0;
};

// The saver on a Wayland compositor: the portable SaverDisplay with its
// drawing control on a surface per output, the Linux platform services, and
// the settings store and sound control it is given. The connection's
// events, the frame grid, the display's two timers and termination signals
// become SaverDisplay's calls through the same loop as on X11.
//
// Its surfaces are its own: it hides the pointer over them, and a key, a
// pointer button or the mouse-sensitivity count of pointer motions ends it.
// A termination signal, the compositor closing a surface whose output is
// still there, or the connection lost ends it as a window closed from
// outside (the unload handler stops the sound). An output that goes takes
// only its own surface with it.
class WaylandSaver {
 public:
  WaylandSaver(wl_display* display, SettingsStore& settings, SoundControl& sound,
               WaylandSaverOptions options = {});
  ~WaylandSaver();
  WaylandSaver(const WaylandSaver&) = delete;
  WaylandSaver& operator=(const WaylandSaver&) = delete;

  // Whether the compositor offers what the saver needs (a compositor, shared
  // memory, and a shell to show surfaces with).
  bool Usable() const;
  // The load sequence, then events and frames until the saver ends.
  // `signalFd` is TerminationSignals' fd. Returns what the loop did.
  SaverLoopCounts Run(int signalFd);

  class Impl;  // named by the compositor's listener tables

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace skyvault
