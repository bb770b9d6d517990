#pragma once
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <vector>

#include "controls/canvas.h"

namespace skyvault {

// The picture of one window, kept in a window-sized 32-bit image (one
// 0x00RRGGBB pixel each, rows from the top), and the way to send parts of it
// to the window. The image lives in memory shared with the X server
// (MIT-SHM) where the server allows it, else in ordinary memory sent with
// XPutImage; a window whose visual stores pixels otherwise gets them
// converted as they are sent.
//
// With shared memory the server reads the image after Send returns: the
// last put of each Send asks for a completion event, and WaitUntilIdle
// waits for it before the pixels may be written again.
class XImageSurface {
 public:
  struct Options {
    bool sharedMemory = true;
    // Hands the server a segment it cannot attach, as a remote display
    // would refuse one (for tests of the fallback).
    bool refuseAttach = false;
  };

  XImageSurface(Display* display, Window window, Options options);
  ~XImageSurface();
  XImageSurface(const XImageSurface&) = delete;
  XImageSurface& operator=(const XImageSurface&) = delete;

  // A new black image of this size; false when there is no memory for it.
  bool Resize(int width, int height);
  uint8_t* pixels() const { return pixels_; }
  int stride() const { return width_ * 4; }
  int width() const { return width_; }
  int height() const { return height_; }
  bool sharedMemory() const { return shared_; }

  // Returns once the server has read everything sent before (at most a
  // quarter second: a lost event does not stop the saver).
  void WaitUntilIdle();
  // Sends these parts of the image to the same place in the window.
  void Send(const std::vector<PixelRect>& parts);
  // True when the event was this surface's completion event.
  bool HandleEvent(const XEvent& event);

 private:
  bool CreateShared();
  bool CreatePlain();
  void Release();
  void Convert(const PixelRect& part);

  Display* display_;
  Window window_;
  Options options_;
  Visual* visual_ = nullptr;
  int depth_ = 0;
  GC gc_ = nullptr;
  int completionType_ = -1;
  XImage* image_ = nullptr;
  XShmSegmentInfo segment_{};
  bool shared_ = false;
  bool attached_ = false;
  bool pending_ = false;
  uint8_t* pixels_ = nullptr;
  std::vector<uint8_t> ownPixels_;  // when the image is in another format
  int width_ = 0;
  int height_ = 0;
};

}  // namespace skyvault
