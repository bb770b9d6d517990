#pragma once
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "platform/platform_services.h"

namespace skyvault {

// A clock the test moves, a fixed sequence of random numbers, a log of the visible effects.
class FakePlatformServices : public PlatformServices {
 public:
  uint32_t TickCount() override { return tick; }
  TimeOfDay LocalTime() override { return time; }
  std::string FormatTime(const TimeOfDay& t) override {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
  }
  double Random() override {
    return randoms.empty() ? 0.5 : randoms[randomIndex++ % randoms.size()];
  }
  void ShowCursor(bool show) override {
    log.push_back(show ? "ShowCursor(true)" : "ShowCursor(false)");
  }
  void SetScreenSaverRunning(bool on) override {
    log.push_back(on ? "ScreenSaverRunning(true)" : "ScreenSaverRunning(false)");
  }
  void ShowMessage(const std::string& text, const std::string& title, MessageBoxKind) override {
    log.push_back("Message(" + text + " | " + title + ")");
  }
  void ShellOpen(const std::string& target) override { log.push_back("ShellOpen(" + target + ")"); }
  std::string DataFolder() override { return dataFolder; }
  bool FileExists(const std::string& path) override { return missingFiles.count(path) == 0; }

  void AdvanceSeconds(double seconds) {
    const long long ms =
        std::llround(std::fmod(time.SecondsSinceMidnight() + seconds, 86400.0) * 1000);
    time = {int(ms / 3600000), int(ms / 60000 % 60), int(ms / 1000 % 60), int(ms % 1000)};
  }

  uint32_t tick = 0;
  TimeOfDay time{12, 0, 0, 0};
  std::vector<double> randoms;
  size_t randomIndex = 0;
  std::vector<std::string> log;
  std::string dataFolder = "C:\\Hallowmere\\Skyvault1\\";
  // Every other path exists.
  std::set<std::string> missingFiles;
};

}  // namespace skyvault
