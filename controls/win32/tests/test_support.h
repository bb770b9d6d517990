#pragma once
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "controls/win32/win32_drawing_control.h"
#include "platform/win32/win32_headers.h"

namespace skyvault::win32::testing {

using Bytes = std::vector<uint8_t>;
inline void Put16(Bytes& b, uint32_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); }
inline void Put32(Bytes& b, uint32_t v) { Put16(b, v & 0xFFFF), Put16(b, v >> 16); }

// A folder of its own under the temporary folder, removed at the end.
struct TempFolder {
  TempFolder() { std::filesystem::create_directories(path); }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string Path(const std::wstring& name) const { return Narrow((path / name).wstring()); }
  std::string Write(const std::wstring& name, const Bytes& bytes) const {
    std::ofstream(path / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return Path(name);
  }
  static inline int counter = 0;
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     (L"skyvault-test-" + std::to_wstring(GetCurrentProcessId()) +
                                      L"-" + std::to_wstring(counter++));
};

// A borderless window that passes its messages to `control`.
struct TestWindow {
  TestWindow(int width, int height) {
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wp, LPARAM lp) -> LRESULT {
      auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
      LRESULT result = 0;
      if (self && self->control && self->control->HandleWindowMessage(message, wp, lp, &result))
        return result;
      return DefWindowProcW(hwnd, message, wp, lp);
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SkyvaultControlsTest";
    RegisterClassExW(&wc);
    hwnd = CreateWindowExW(0, wc.lpszClassName, L"test", WS_POPUP, 0, 0, width, height, nullptr,
                           nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowWindow(hwnd, SW_SHOWNORMAL);
  }
  ~TestWindow() { DestroyWindow(hwnd); }
  HWND hwnd = nullptr;
  Win32DrawingControl* control = nullptr;
};

}  // namespace skyvault::win32::testing
