#pragma once
#include <string>
#include <vector>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32::testing {

// skyvault.scr started as the screen-saver machinery starts it.
class SaverProcess {
 public:
  explicit SaverProcess(const std::wstring& arguments);
  ~SaverProcess();
  SaverProcess(const SaverProcess&) = delete;
  SaverProcess& operator=(const SaverProcess&) = delete;

  bool started() const { return process_.hProcess != nullptr; }
  // True when the process ended within `ms`.
  bool WaitForExit(DWORD ms);
  bool running() const;
  DWORD exitCode() const;
  // Top-level and child windows of the process that are visible.
  std::vector<HWND> VisibleWindows() const;
  // Waits until a visible top-level window of the process exists.
  HWND WaitForTopWindow(DWORD ms) const;

 private:
  PROCESS_INFORMATION process_{};
};

// Pumps this thread's messages for `ms` milliseconds.
void PumpMessages(DWORD ms);

}  // namespace skyvault::win32::testing
