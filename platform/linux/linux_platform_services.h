#pragma once
#include <functional>
#include <random>
#include <string>

#include "platform/platform_services.h"

namespace skyvault {

// The saver's operating-system services on Linux. The pointer is shown and
// hidden through `showCursor`, which the window that owns it sets (a window
// the saver was handed keeps its pointer). Messages go to standard error;
// the screen-saver-running mark has no Linux counterpart.
class LinuxPlatformServices : public PlatformServices {
 public:
  LinuxPlatformServices();

  uint32_t TickCount() override;
  TimeOfDay LocalTime() override;
  // The locale's time format (strftime's %X); the program sets LC_TIME from
  // the environment at start.
  std::string FormatTime(const TimeOfDay& time) override;
  double Random() override;
  void ShowCursor(bool show) override;
  void SetScreenSaverRunning(bool running) override;
  void ShowMessage(const std::string& text, const std::string& title, MessageBoxKind kind) override;
  // Opens a web page or file with xdg-open, without waiting for it.
  void ShellOpen(const std::string& target) override;
  // The data folder with its trailing separator.
  std::string DataFolder() override;
  bool FileExists(const std::string& path) override;

  std::function<void(bool show)> showCursor;

 private:
  std::mt19937 random_;
  std::uniform_real_distribution<double> unit_{0.0, 1.0};
};

}  // namespace skyvault
