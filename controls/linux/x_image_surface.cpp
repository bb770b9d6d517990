#include "controls/linux/x_image_surface.h"

#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <time.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <new>

#include "controls/linux/x_error_trap.h"

namespace skyvault {
namespace {

constexpr int kCompletionWaitMs = 250;

int64_t NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
}

// Whether the image holds pixels exactly as the surface keeps them.
bool KeepsXrgb(const XImage* image, const Visual* visual) {
  const bool littleEndian = std::endian::native == std::endian::little;
  return image->bits_per_pixel == 32 && visual->red_mask == 0xFF0000 &&
         visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF &&
         image->byte_order == (littleEndian ? LSBFirst : MSBFirst);
}

// One 8-bit colour component placed under `mask`.
unsigned long Place(uint32_t component, unsigned long mask) {
  if (!mask) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  const unsigned long value = bits >= 8 ? component << (bits - 8) : component >> (8 - bits);
  return (value << shift) & mask;
}

struct CompletionFor {
  int type;
  Window window;
};

Bool IsCompletion(Display*, XEvent* event, XPointer argument) {
  const auto* wanted = reinterpret_cast<const CompletionFor*>(argument);
  return event->type == wanted->type &&
         reinterpret_cast<const XShmCompletionEvent*>(event)->drawable == wanted->window;
}

}  // namespace

XImageSurface::XImageSurface(Display* display, Window window, Options options)
    : display_(display), window_(window), options_(options) {
  XWindowAttributes attributes{};
  {
    XErrorTrap trap(display_);
    if (!XGetWindowAttributes(display_, window_, &attributes) || trap.Failed()) {
      attributes = XWindowAttributes{};
    }
  }
  visual_ = attributes.visual ? attributes.visual : DefaultVisual(display_, DefaultScreen(display));
  depth_ = attributes.visual ? attributes.depth : DefaultDepth(display_, DefaultScreen(display));
  XGCValues values{};
  values.graphics_exposures = False;
  gc_ = XCreateGC(display_, window_, GCGraphicsExposures, &values);
  if (options_.sharedMemory && XShmQueryExtension(display_)) {
    completionType_ = XShmGetEventBase(display_) + ShmCompletion;
  } else {
    options_.sharedMemory = false;
  }
}

XImageSurface::~XImageSurface() {
  WaitUntilIdle();
  Release();
  if (gc_) XFreeGC(display_, gc_);
}

void XImageSurface::Release() {
  if (!image_) return;
  if (shared_) {
    if (attached_) XShmDetach(display_, &segment_);
    XSync(display_, False);
    shmdt(segment_.shmaddr);
    image_->data = nullptr;
  }
  XDestroyImage(image_);  // frees the plain image's memory
  image_ = nullptr;
  shared_ = attached_ = pending_ = false;
  pixels_ = nullptr;
  ownPixels_.clear();
  width_ = height_ = 0;
}

bool XImageSurface::Resize(int width, int height) {
  WaitUntilIdle();
  Release();
  if (width <= 0 || height <= 0) return false;
  width_ = width;
  height_ = height;
  if (options_.sharedMemory && CreateShared()) return true;
  options_.sharedMemory = false;  // refused once: not asked again
  width_ = width;
  height_ = height;
  try {
    if (CreatePlain()) return true;
  } catch (const std::bad_alloc&) {
    Release();
  }
  width_ = height_ = 0;
  return false;
}

bool XImageSurface::CreateShared() {
  image_ = XShmCreateImage(display_, visual_, depth_, ZPixmap, nullptr, &segment_, width_, height_);
  if (!image_) return false;
  if (!KeepsXrgb(image_, visual_)) {  // converting on the way: no gain in sharing
    XDestroyImage(image_);
    image_ = nullptr;
    return false;
  }
  segment_.shmid =
      shmget(IPC_PRIVATE, static_cast<size_t>(image_->bytes_per_line) * height_, IPC_CREAT | 0600);
  segment_.shmaddr = segment_.shmid < 0 ? reinterpret_cast<char*>(-1)
                                        : static_cast<char*>(shmat(segment_.shmid, nullptr, 0));
  if (segment_.shmaddr == reinterpret_cast<char*>(-1)) {
    if (segment_.shmid >= 0) shmctl(segment_.shmid, IPC_RMID, nullptr);
    XDestroyImage(image_);
    image_ = nullptr;
    return false;
  }
  image_->data = segment_.shmaddr;
  segment_.readOnly = False;
  bool refused = false;
  {
    XErrorTrap trap(display_);
    const int segmentId = segment_.shmid;
    if (options_.refuseAttach) segment_.shmid = -1;
    XShmAttach(display_, &segment_);
    refused = trap.Failed();
    segment_.shmid = segmentId;
  }
  // Gone with the last detach, even when the program is killed.
  shmctl(segment_.shmid, IPC_RMID, nullptr);
  shared_ = true;
  attached_ = !refused;
  if (refused) {
    Release();
    return false;
  }
  pixels_ = reinterpret_cast<uint8_t*>(image_->data);
  std::fill(pixels_, pixels_ + static_cast<size_t>(stride()) * height_, 0);
  return true;
}

bool XImageSurface::CreatePlain() {
  image_ = XCreateImage(display_, visual_, depth_, ZPixmap, 0, nullptr, width_, height_, 32, 0);
  if (!image_) return false;
  const size_t bytes = static_cast<size_t>(image_->bytes_per_line) * height_;
  image_->data = static_cast<char*>(std::calloc(bytes, 1));
  if (!image_->data) {
    XDestroyImage(image_);
    image_ = nullptr;
    return false;
  }
  if (KeepsXrgb(image_, visual_)) {
    pixels_ = reinterpret_cast<uint8_t*>(image_->data);
  } else {
    ownPixels_.assign(static_cast<size_t>(stride()) * height_, 0);
    pixels_ = ownPixels_.data();
  }
  return true;
}

void XImageSurface::Convert(const PixelRect& part) {
  for (int y = part.top; y < part.bottom; ++y) {
    const auto* row =
        reinterpret_cast<const uint32_t*>(pixels_ + static_cast<size_t>(y) * stride());
    for (int x = part.left; x < part.right; ++x) {
      const uint32_t p = row[x];
      XPutPixel(image_, x, y,
                Place((p >> 16) & 0xFF, visual_->red_mask) |
                    Place((p >> 8) & 0xFF, visual_->green_mask) |
                    Place(p & 0xFF, visual_->blue_mask));
    }
  }
}

void XImageSurface::WaitUntilIdle() {
  if (!pending_) return;
  CompletionFor wanted{completionType_, window_};
  const int64_t deadline = NowMs() + kCompletionWaitMs;
  XEvent event;
  while (!XCheckIfEvent(display_, &event, &IsCompletion, reinterpret_cast<XPointer>(&wanted))) {
    const int64_t left = deadline - NowMs();
    if (left <= 0) break;
    pollfd connection{ConnectionNumber(display_), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(left));
  }
  pending_ = false;
}

void XImageSurface::Send(const std::vector<PixelRect>& parts) {
  if (!image_) return;
  const PixelRect whole{0, 0, width_, height_};
  std::vector<PixelRect> clipped;
  for (const PixelRect& part : parts) {
    const PixelRect p = part.Intersect(whole);
    if (!p.Empty()) clipped.push_back(p);
  }
  for (size_t i = 0; i < clipped.size(); ++i) {
    const PixelRect& p = clipped[i];
    if (attached_) {
      const bool last = i + 1 == clipped.size();
      XShmPutImage(display_, window_, gc_, image_, p.left, p.top, p.left, p.top, p.Width(),
                   p.Height(), last ? True : False);
      pending_ |= last;
    } else {
      if (!ownPixels_.empty()) Convert(p);
      XPutImage(display_, window_, gc_, image_, p.left, p.top, p.left, p.top, p.Width(),
                p.Height());
    }
  }
  XFlush(display_);
}

bool XImageSurface::HandleEvent(const XEvent& event) {
  if (completionType_ < 0 || event.type != completionType_) return false;
  if (reinterpret_cast<const XShmCompletionEvent&>(event).drawable != window_) return false;
  pending_ = false;
  return true;
}

}  // namespace skyvault
