#include "startup/win32/tests/saver_process.h"

namespace skyvault::win32::testing {

SaverProcess::SaverProcess(const std::wstring& arguments) {
  const std::wstring program = Widen(SKYVAULT_SCR);
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW startup{sizeof startup};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process_)) {
    process_ = {};
  }
}

SaverProcess::~SaverProcess() {
  if (!process_.hProcess) return;
  if (running()) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

bool SaverProcess::WaitForExit(DWORD ms) {
  DWORD waited = 0;
  // Keep this thread's windows answering while we wait.
  while (waited < ms) {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0) return true;
    PumpMessages(20);
    waited += 20;
  }
  return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
}

bool SaverProcess::running() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD SaverProcess::exitCode() const {
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

std::vector<HWND> SaverProcess::VisibleWindows() const {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{process_.dwProcessId, {}};
  EnumWindows(
      [](HWND window, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid == s->pid && IsWindowVisible(window)) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND SaverProcess::WaitForTopWindow(DWORD ms) const {
  for (DWORD waited = 0; waited <= ms; waited += 50) {
    const auto windows = VisibleWindows();
    if (!windows.empty()) return windows.front();
    PumpMessages(50);
  }
  return nullptr;
}

void PumpMessages(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

}  // namespace skyvault::win32::testing
