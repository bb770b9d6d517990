#include "controls/linux/x_error_trap.h"

#include <cstdio>

namespace skyvault {
namespace {

int trappedErrors = 0;

int CountError(Display*, XErrorEvent*) {
  ++trappedErrors;
  return 0;
}

}  // namespace

XErrorTrap::XErrorTrap(Display* display) : display_(display) {
  XSync(display_, False);
  trappedErrors = 0;
  previous_ = XSetErrorHandler(&CountError);
}

XErrorTrap::~XErrorTrap() {
  XSync(display_, False);
  XSetErrorHandler(previous_);
}

bool XErrorTrap::Failed() {
  XSync(display_, False);
  return trappedErrors > 0;
}

int NoteXError(Display* display, XErrorEvent* error) {
  static int noted = 0;
  if (noted < 20) {  // a vanished window may bring many
    ++noted;
    char text[256] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "skyvault: X error: %s (request %d.%d)\n", text, error->request_code,
                 error->minor_code);
  }
  return 0;
}

}  // namespace skyvault
