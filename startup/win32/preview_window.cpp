#include "startup/win32/preview_window.h"

#include <memory>

#include "controls/resampler.h"
#include "platform/win32/dib_section.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_base.h"
#include "platform/win32/window_classes.h"
#include "platform/win32/window_list.h"
#include "startup/win32/resource_ids.h"

namespace skyvault::win32 {
namespace {

constexpr UINT_PTR kHostWatch = 1;

// The `Preview` window: the still picture `Image1`, scaled with a filter to
// the window's size. It ends the program's message loop when it goes.
class PreviewWindow final : public WindowBase {
 public:
  PreviewWindow(HINSTANCE instance, HWND host)
      : host_(host),
        image1_(static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(IDB_PREVIEW),
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))) {
    RegisterWindowClass(instance, kPreviewWindowClass, LoadCursorW(nullptr, IDC_ARROW), nullptr);
    // Loaded without showing: a borderless 153 x 115 window until it is embedded.
    CreateOwnWindow(instance, kPreviewWindowClass, L"Preview", WS_POPUP, 0, RECT{0, 0, 153, 115},
                    nullptr);
    if (hwnd()) NoteIn(PreviewAndSetupWindows());
  }
  ~PreviewWindow() override {
    if (hwnd()) DestroyWindow(hwnd());
  }

  // Makes the window a child (and owned window) of the host pane covering
  // its client area, and shows it.
  void Embed() {
    RECT windowRect{};
    GetClientRect(host_, &windowRect);
    // A child cannot also be a pop-up, so that bit goes.
    const LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
    SetWindowLongW(hwnd(), GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
    SetParent(hwnd(), host_);
    SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(host_));
    SetWindowPos(hwnd(), nullptr, 0, 0, windowRect.right, windowRect.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetTimer(hwnd(), kHostWatch, 250, nullptr);
  }

 private:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM) override {
    switch (message) {
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT:
        PaintImage1();
        return 0;
      case WM_TIMER:
        // A preview never outlives its pane, even if the pane's end is missed.
        if (wParam == kHostWatch && !IsWindow(host_)) DestroyWindow(hwnd());
        return 0;
      case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
      default:
        return std::nullopt;
    }
  }

  void PaintImage1() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd(), &paint);
    RECT client;
    GetClientRect(hwnd(), &client);
    if (ScaleImage1(client.right, client.bottom)) {
      BitBlt(dc, 0, 0, client.right, client.bottom, scaledDc_.get(), 0, 0, SRCCOPY);
    } else {
      FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    EndPaint(hwnd(), &paint);
  }

  // The picture's pixels, read once from the bitmap.
  std::optional<DecodedImage> Image1Pixels() const {
    BITMAP info{};
    if (!image1_ || !GetObjectW(image1_.get(), sizeof info, &info) || info.bmWidth <= 0 ||
        info.bmHeight <= 0) {
      return std::nullopt;
    }
    DecodedImage image{info.bmWidth, info.bmHeight, {}, false};
    image.pixels.resize(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), info.bmWidth, -info.bmHeight, 1, 32, BI_RGB};
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, image1_.get(), 0, info.bmHeight, image.pixels.data(),
                               &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != info.bmHeight) return std::nullopt;
    for (uint32_t& pixel : image.pixels) pixel |= 0xFF000000u;
    return image;
  }

  // The picture at width x height, made again only when the size changes.
  bool ScaleImage1(int width, int height) {
    if (width <= 0 || height <= 0) return false;
    if (scaled_ && scaled_->width() == width && scaled_->height() == height) return true;
    scaledDc_.Select(static_cast<HBITMAP>(nullptr));
    scaled_.reset();
    if (!pixels_) pixels_ = Image1Pixels();
    if (!pixels_) return false;
    const std::optional<DecodedImage> resized = Resample(*pixels_, width, height);
    auto bitmap = std::make_unique<DibSection>(width, height, 32);
    if (!resized || !*bitmap) return false;
    for (int y = 0; y < height; ++y) {
      auto* row =
          reinterpret_cast<uint32_t*>(bitmap->bits() + static_cast<size_t>(y) * bitmap->stride());
      for (int x = 0; x < width; ++x)
        row[x] = resized->pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF;
    }
    scaledDc_.Select(bitmap->bitmap());
    scaled_ = std::move(bitmap);
    return true;
  }

  HWND host_;
  UniqueBitmap image1_;
  std::optional<DecodedImage> pixels_;
  std::unique_ptr<DibSection> scaled_;  // Image1 at the window's size
  MemoryDc scaledDc_;
};

}  // namespace

int RunPreview(HINSTANCE instance, HWND parentWindow) {
  if (!parentWindow || !IsWindow(parentWindow)) return 0;
  PreviewWindow preview(instance, parentWindow);
  if (!preview.hwnd()) return 0;
  preview.Embed();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace skyvault::win32
