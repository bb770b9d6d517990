#include "display/linux/saver_targets.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "controls/linux/x_error_trap.h"

#include <cstdio>

namespace skyvault {

Window CreateOwnWindow(Display* display) {
  const int screen = DefaultScreen(display);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = BlackPixel(display, screen);
  attributes.border_pixel = BlackPixel(display, screen);
  const Window window =
      XCreateWindow(display, RootWindow(display, screen), 0, 0, DisplayWidth(display, screen),
                    DisplayHeight(display, screen), 0, CopyFromParent, InputOutput, CopyFromParent,
                    CWBackPixel | CWBorderPixel, &attributes);
  if (!window) return 0;
  XStoreName(display, window, "Skyvault");
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  const unsigned char name[] = "Skyvault";
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8, 8,
                  PropModeReplace, name, sizeof name - 1);
  XClassHint hint{const_cast<char*>("skyvault"), const_cast<char*>("Skyvault")};
  XSetClassHint(display, window, &hint);
  const Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&fullScreen), 1);
  return window;
}

void ShowOwnWindow(Display* display, Window window) {
  XMapRaised(display, window);
  XFlush(display);
}

Window FindVirtualRoot(Display* display) {
  const Window root = DefaultRootWindow(display);
  const Atom virtualRoot = XInternAtom(display, "__SWM_VROOT", False);
  Window rootReturn = 0, parent = 0, *children = nullptr;
  unsigned int count = 0;
  Window found = root;
  XErrorTrap trap(display);  // a child may go while it is looked at
  if (XQueryTree(display, root, &rootReturn, &parent, &children, &count)) {
    for (unsigned int i = 0; i < count && found == root; ++i) {
      Atom type = 0;
      int format = 0;
      unsigned long items = 0, after = 0;
      unsigned char* data = nullptr;
      if (XGetWindowProperty(display, children[i], virtualRoot, 0, 1, False, XA_WINDOW, &type,
                             &format, &items, &after, &data) == Success &&
          data) {
        if (type == XA_WINDOW && format == 32 && items == 1) {
          found = *reinterpret_cast<Window*>(data);
        }
        // A desktop that has gone may leave its mark behind on another window.
        XWindowAttributes attributes{};
        if (found != root && !XGetWindowAttributes(display, found, &attributes)) {
          std::fprintf(stderr,
                       "skyvault: __SWM_VROOT names the window 0x%lx, which does not exist; "
                       "drawing on the root window\n",
                       found);
          found = root;
        }
        XFree(data);
      }
    }
    if (children) XFree(children);
  }
  return found;
}

Cursor CreateBlankCursor(Display* display, Window window) {
  static const char empty[1] = {0};
  const Pixmap pixmap = XCreateBitmapFromData(display, window, empty, 1, 1);
  XColor black{};
  const Cursor cursor = XCreatePixmapCursor(display, pixmap, pixmap, &black, &black, 0, 0);
  XFreePixmap(display, pixmap);
  return cursor;
}

}  // namespace skyvault
