#pragma once
#include <wayland-client.h>

#include <cstdint>

namespace skyvault {

// One XRGB8888 wl_shm buffer in a memfd of its own, mapped here. The
// compositor reads it from the moment it is committed until it sends
// `release`; until then it is busy and must not be written.
class ShmBuffer {
 public:
  ShmBuffer(wl_shm* shm, int width, int height);
  ~ShmBuffer();
  ShmBuffer(const ShmBuffer&) = delete;
  ShmBuffer& operator=(const ShmBuffer&) = delete;

  bool Valid() const { return buffer_ != nullptr; }
  wl_buffer* buffer() const { return buffer_; }
  uint8_t* pixels() const { return pixels_; }
  int width() const { return width_; }
  int height() const { return height_; }
  int stride() const { return width_ * 4; }
  bool busy() const { return busy_; }
  // Whether `bits` points into the buffer's memory.
  bool Holds(const uint8_t* bits) const {
    return pixels_ && bits >= pixels_ && bits < pixels_ + size_;
  }
  // The buffer is handed to the compositor (attached and committed).
  void MarkBusy() { busy_ = true; }

 private:
  static void Released(void* data, wl_buffer* buffer);

  int width_;
  int height_;
  size_t size_ = 0;
  uint8_t* pixels_ = nullptr;
  wl_buffer* buffer_ = nullptr;
  bool busy_ = false;
};

}  // namespace skyvault
