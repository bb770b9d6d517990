#pragma once
#include <random>

#include "platform/platform_services.h"
#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

// The platform services on Windows. `owner` is the window that message
// boxes and the shell belong to (may be null).
class Win32PlatformServices : public PlatformServices {
 public:
  Win32PlatformServices();
  uint32_t TickCount() override;
  TimeOfDay LocalTime() override;
  std::string FormatTime(const TimeOfDay& time) override;
  double Random() override;
  void ShowCursor(bool show) override;
  void SetScreenSaverRunning(bool running) override;
  void ShowMessage(const std::string& text, const std::string& title, MessageBoxKind kind) override;
  void ShellOpen(const std::string& target) override;
  std::string DataFolder() override;
  bool FileExists(const std::string& path) override;

  HWND owner = nullptr;

 private:
  std::mt19937 random_;
  std::uniform_real_distribution<double> unit_{0.0, 1.0};
};

}  // namespace skyvault::win32
