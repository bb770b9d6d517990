#include "controls/wayland/shm_buffer.h"

#include <sys/mman.h>
#include <unistd.h>

namespace skyvault {

void ShmBuffer::Released(void* data, wl_buffer*) { static_cast<ShmBuffer*>(data)->busy_ = false; }

ShmBuffer::ShmBuffer(wl_shm* shm, int width, int height) : width_(width), height_(height) {
  if (!shm || width <= 0 || height <= 0) return;
  size_ = static_cast<size_t>(width) * height * 4;
  const int fd = memfd_create("skyvault-frame", MFD_CLOEXEC);
  if (fd < 0) return;
  if (ftruncate(fd, static_cast<off_t>(size_)) != 0) {
    close(fd);
    return;
  }
  void* mapped = mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (mapped == MAP_FAILED) {
    close(fd);
    return;
  }
  pixels_ = static_cast<uint8_t*>(mapped);
  wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<int32_t>(size_));
  buffer_ = wl_shm_pool_create_buffer(pool, 0, width, height, width * 4, WL_SHM_FORMAT_XRGB8888);
  wl_shm_pool_destroy(pool);
  close(fd);
  static const wl_buffer_listener listener = {&ShmBuffer::Released};
  if (buffer_) wl_buffer_add_listener(buffer_, &listener, this);
}

ShmBuffer::~ShmBuffer() {
  if (buffer_) wl_buffer_destroy(buffer_);
  if (pixels_) munmap(pixels_, size_);
}

}  // namespace skyvault
