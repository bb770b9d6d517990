#pragma once
#include <string>
#include <vector>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32::testing {

// A program (skyvault.scr) started as the screen-saver machinery starts it, ended by force if it
// still runs when the object goes.
class SaverProcess {
 public:
  SaverProcess(const std::wstring& program, const std::wstring& arguments);
  ~SaverProcess();
  SaverProcess(const SaverProcess&) = delete;
  SaverProcess& operator=(const SaverProcess&) = delete;

  bool started() const { return process_.hProcess != nullptr; }
  bool WaitForExit(DWORD ms);  // ended within `ms`, dispatching this thread's messages
  bool running() const;
  DWORD exitCode() const;
  bool HasLoaded(const std::wstring& name) const;  // the library `name` (e.g. L"dsound.dll")
  std::vector<HWND> VisibleWindows() const;        // the process's visible top-level windows
  HWND WaitForTopWindow(DWORD ms) const;           // the first of them, once there is one

 private:
  PROCESS_INFORMATION process_{};
};

}  // namespace skyvault::win32::testing
