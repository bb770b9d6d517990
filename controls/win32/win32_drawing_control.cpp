#include "controls/win32/win32_drawing_control.h"

#include "controls/win32/frame_loop.h"
#include "controls/win32/wic_image_decoder.h"

namespace skyvault::win32 {

Win32DrawingControl::Win32DrawingControl(HWND window, Fit fit)
    : Win32DrawingControl(window, std::make_unique<WicImageDecoder>(), fit) {}

Win32DrawingControl::Win32DrawingControl(HWND window, std::unique_ptr<ImageDecoder> decoder,
                                         Fit fit)
    : ForwardingDrawingControl(compositor_),  // bound now, used once built
      window_(window),
      decoder_(std::move(decoder)),
      presenter_(window, gdiCanvas_.dc(), fit),
      host_(gdiCanvas_, presenter_),
      compositor_(*decoder_, gdiCanvas_, host_) {}

Win32DrawingControl::~Win32DrawingControl() = default;

bool Win32DrawingControl::Host::DisplaySupports(int depth) {
  HDC screen = GetDC(nullptr);
  const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
  ReleaseDC(nullptr, screen);
  return bits >= std::min(depth, 24);
}

bool Win32DrawingControl::InitDisplay(int32_t width, int32_t height, int32_t depth,
                                      const std::string& options) {
  open_ = compositor_.InitDisplay(width, height, depth, options);
  presenter_.Invalidate();
  return open_;
}

bool Win32DrawingControl::HandleInputMessage(UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (events_) events_->OnKey();
      return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
      if (events_) events_->OnMouseButton();
      return true;
    case WM_MOUSEMOVE: {
      const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
      if (pointer_.Moved(x, y) && events_) events_->OnPointerMove();
      return true;
    }
    default:
      return false;
  }
}

bool Win32DrawingControl::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                              LRESULT* result) {
  *result = 0;
  if (HandleInputMessage(message, wParam, lParam)) {
    if (message == WM_XBUTTONDOWN) *result = TRUE;
    return true;
  }
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window_, &paint);
      presenter_.Paint(dc, paint.rcPaint);
      EndPaint(window_, &paint);
      return true;
    }
    case WM_ERASEBKGND:
      *result = 1;
      return true;
    case WM_SIZE:
    case WM_DISPLAYCHANGE:
    case WM_WINDOWPOSCHANGED:
      presenter_.Invalidate();
      return false;
    default:
      return false;
  }
}

void Win32DrawingControl::RaiseFrame() {
  if (open_ && events_) events_->OnFrame();
}

int Win32DrawingControl::RunFrameLoop(int framesPerSecond) {
  return win32::RunFrameLoop([this] { RaiseFrame(); }, framesPerSecond);
}

}  // namespace skyvault::win32
