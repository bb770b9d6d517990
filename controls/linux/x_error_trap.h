#pragma once
#include <X11/Xlib.h>

namespace skyvault {

// Catches the X errors of the requests made while it lives (after an
// XSync), instead of the handler that would end the program.
class XErrorTrap {
 public:
  explicit XErrorTrap(Display* display);
  ~XErrorTrap();
  XErrorTrap(const XErrorTrap&) = delete;
  XErrorTrap& operator=(const XErrorTrap&) = delete;

  // Waits for the server to answer every request so far; true when one of
  // those since the trap was set failed.
  bool Failed();

 private:
  Display* display_;
  XErrorHandler previous_;
};

// An error handler for the whole program that notes X errors on standard
// error and goes on: a window that vanished or a refused request never
// ends the saver.
int NoteXError(Display* display, XErrorEvent* error);

}  // namespace skyvault
