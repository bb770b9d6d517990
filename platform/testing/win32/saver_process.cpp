#include "platform/testing/win32/saver_process.h"

#include "platform/testing/win32/message_wait.h"

#include <tlhelp32.h>

namespace skyvault::win32::testing {

SaverProcess::SaverProcess(const std::wstring& program, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW startup{sizeof startup};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process_))
    process_ = {};
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
  return process_.hProcess && WaitUntil([this] { return !running(); }, ms);
}

bool SaverProcess::HasLoaded(const std::wstring& name) const {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process_.dwProcessId);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  MODULEENTRY32W module{sizeof module};
  bool found = false;
  for (BOOL more = Module32FirstW(snapshot, &module); more && !found;
       more = Module32NextW(snapshot, &module))
    found = _wcsicmp(module.szModule, name.c_str()) == 0;
  CloseHandle(snapshot);
  return found;
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
  std::pair<DWORD, std::vector<HWND>> search{process_.dwProcessId, {}};
  EnumWindows(
      [](HWND window, LPARAM lp) -> BOOL {
        auto& [pid, found] = *reinterpret_cast<decltype(search)*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == pid && IsWindowVisible(window)) found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

HWND SaverProcess::WaitForTopWindow(DWORD ms) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        const auto windows = VisibleWindows();
        return (found = windows.empty() ? nullptr : windows.front()) != nullptr;
      },
      ms);
  return found;
}

}  // namespace skyvault::win32::testing
