#include "platform/win32/win32_platform_services.h"

#include <shellapi.h>

#include "settings/settings_schema.h"

namespace skyvault::win32 {

Win32PlatformServices::Win32PlatformServices() {
  // Seeded once per run, so each run's heights differ.
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  random_.seed(static_cast<uint32_t>(counter.QuadPart ^ (counter.QuadPart >> 32)) ^
               GetCurrentProcessId());
}

uint32_t Win32PlatformServices::TickCount() { return GetTickCount(); }

TimeOfDay Win32PlatformServices::LocalTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

std::string Win32PlatformServices::FormatTime(const TimeOfDay& time) {
  SYSTEMTIME at{};
  at.wYear = 2000;
  at.wMonth = 1;
  at.wDay = 1;
  at.wHour = static_cast<WORD>(time.hour);
  at.wMinute = static_cast<WORD>(time.minute);
  at.wSecond = static_cast<WORD>(time.second);
  wchar_t text[64] = {};
  if (GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &at, nullptr, text, 64) == 0) {
    swprintf(text, 64, L"%02d:%02d:%02d", time.hour, time.minute, time.second);
  }
  return Narrow(text);
}

double Win32PlatformServices::Random() { return unit_(random_); }

void Win32PlatformServices::ShowCursor(bool show) { ::ShowCursor(show ? TRUE : FALSE); }

void Win32PlatformServices::SetScreenSaverRunning(bool running) {
  UINT previous = 0;
  SystemParametersInfoW(SPI_SCREENSAVERRUNNING, running ? TRUE : FALSE, &previous, 0);
}

void Win32PlatformServices::ShowMessage(const std::string& text, const std::string& title,
                                        MessageBoxKind kind) {
  const UINT style = MB_OK | (kind == MessageBoxKind::Exclamation ? MB_ICONEXCLAMATION : 0);
  MessageBoxW(owner, Widen(text).c_str(), title.empty() ? nullptr : Widen(title).c_str(), style);
}

void Win32PlatformServices::ShellOpen(const std::string& target) {
  ShellExecuteW(owner, L"open", Widen(target).c_str(), L"", L"", SW_SHOWNORMAL);
}

std::string Win32PlatformServices::DataFolder() { return kDataPath; }

bool Win32PlatformServices::FileExists(const std::string& path) {
  return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace skyvault::win32
