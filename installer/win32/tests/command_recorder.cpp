// Stands in for a system program: appends its command line to $SKYVAULT_COMMAND_LOG, succeeds.
#include <windows.h>

#include <string>

int wmain() {
  wchar_t log[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"SKYVAULT_COMMAND_LOG", log, MAX_PATH)) return 0;
  const std::wstring line = std::wstring(GetCommandLineW()) + L"\n";
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()),
                                        nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), text.data(), bytes,
                      nullptr, nullptr);
  HANDLE file = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return 0;
}
