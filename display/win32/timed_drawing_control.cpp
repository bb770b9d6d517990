#include "display/win32/timed_drawing_control.h"

#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

TimedDrawingControl::TimedDrawingControl(DrawingControl& inner, size_t expectedFrames)
    : ForwardingDrawingControl(inner) {
  shownAt_.reserve(expectedFrames);  // no allocation while frames are timed
}

void TimedDrawingControl::ShowFrame() {
  ForwardingDrawingControl::ShowFrame();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  shownAt_.push_back(now.QuadPart);
}

}  // namespace skyvault::win32
