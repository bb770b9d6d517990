#pragma once
#include <string>
#include <vector>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32::testing {

// A program (skyvault.scr) started as the screen-saver machinery starts it,
// ended by force if it still runs when the object goes.
class SaverProcess {
 public:
  SaverProcess(const std::wstring& program, const std::wstring& arguments);
  ~SaverProcess();
  SaverProcess(const SaverProcess&) = delete;
  SaverProcess& operator=(const SaverProcess&) = delete;

  bool started() const { return process_.hProcess != nullptr; }
  // True when the process ended within `ms`; this thread's messages are
  // dispatched meanwhile.
  bool WaitForExit(DWORD ms);
  bool running() const;
  DWORD exitCode() const;
  // True when the process has loaded the library `name` (e.g. L"dsound.dll").
  bool HasLoaded(const std::wstring& name) const;
  // Top-level windows of the process that are visible.
  std::vector<HWND> VisibleWindows() const;
  // Waits until a visible top-level window of the process exists.
  HWND WaitForTopWindow(DWORD ms) const;

 private:
  PROCESS_INFORMATION process_{};
};

}  // namespace skyvault::win32::testing
