#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace skyvault {

enum class SaverMode { FullScreen, Preview, Configure, Password, None };

// Start-up's reading of the command line.
struct CommandLine {
  std::string argumentText;  // trimmed, lower case
  std::string switchText;    // its first two characters (fewer when shorter)
  SaverMode mode = SaverMode::None;
};

CommandLine ParseCommandLine(std::string_view commandLine);

// The preview host's window number: the longest tail of the argument text
// that reads as a number (leading blanks allowed), rounded to the nearest
// 32-bit integer with ties to even; 0 when no tail is a number or the
// number does not fit.
int32_t ParsePreviewWindowNumber(std::string_view argumentText);

// Only a full-screen start ("/s") is refused while an earlier instance
// runs, and not while the Screen Saver Settings pane is open.
bool ShouldEndAsSecondInstance(const CommandLine& line, bool settingsPaneOpen,
                               bool earlierInstanceRunning);

}  // namespace skyvault
