#pragma once
#include <utility>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

// Owns one handle that `Traits::Close` releases, as ComPtr owns a COM
// reference: released when the owner goes or takes another, never twice.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return Traits::Valid(handle_); }
  // For functions that hand out a new handle through a pointer.
  Handle* Put() {
    Reset();
    return &handle_;
  }
  // Gives the handle up without closing it.
  Handle Release() { return std::exchange(handle_, Handle{}); }
  void Reset(Handle handle = Handle{}) {
    const Handle old = std::exchange(handle_, handle);
    if (Traits::Valid(old)) Traits::Close(old);
  }

 private:
  Handle handle_{};
};

// A kernel object: event, mutex, waitable timer, process, thread.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static bool Valid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { CloseHandle(h); }
};

struct RegistryKeyTraits {
  using Handle = HKEY;
  static bool Valid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { RegCloseKey(h); }
};

// A GDI object (font, brush, bitmap). It must not be selected into a device
// context when it goes.
template <typename T>
struct GdiObjectTraits {
  using Handle = T;
  static bool Valid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;

}  // namespace skyvault::win32
