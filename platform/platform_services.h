#pragma once
#include <cstdint>
#include <string>

namespace skyvault {

// A time of day, as the clock shows it.
struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  double SecondsSinceMidnight() const {
    return hour * 3600.0 + minute * 60.0 + second + millisecond / 1000.0;
  }
  bool operator==(const TimeOfDay&) const = default;
};

enum class MessageBoxKind { Plain, Exclamation };

// The narrow operating-system services the saver's logic asks for.
class PlatformServices {
 public:
  virtual ~PlatformServices() = default;
  // Milliseconds since the system started; wraps after about 49.7 days.
  virtual uint32_t TickCount() = 0;
  virtual TimeOfDay LocalTime() = 0;
  // The time in the user's own time format (hours, minutes, seconds).
  virtual std::string FormatTime(const TimeOfDay& time) = 0;
  // Uniform in [0, 1).
  virtual double Random() = 0;
  virtual void ShowCursor(bool show) = 0;
  virtual void SetScreenSaverRunning(bool running) = 0;
  virtual void ShowMessage(const std::string& text, const std::string& title,
                           MessageBoxKind kind) = 0;
  virtual void ShellOpen(const std::string& target) = 0;
  // The folder of the saver's pictures, sound and help page, with its
  // trailing separator, so that a file name can follow it directly.
  virtual std::string DataFolder() = 0;
  // True when something is at `path` (a file, a folder, a device).
  virtual bool FileExists(const std::string& path) = 0;
};

}  // namespace skyvault
