#include "startup/command_line.h"

#include "settings/conversions.h"

namespace skyvault {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string TrimAndLower(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  std::string result(text.substr(begin, end - begin));
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

}  // namespace

CommandLine ParseCommandLine(std::string_view commandLine) {
  CommandLine line;
  line.argumentText = TrimAndLower(commandLine);
  line.switchText = line.argumentText.substr(0, 2);
  const std::string& s = line.switchText;
  if (s.empty() || s == "/s") {
    line.mode = SaverMode::FullScreen;
  } else if (s == "/p") {
    line.mode = SaverMode::Preview;
  } else if (s == "/c") {
    line.mode = SaverMode::Configure;
  } else if (s == "/a") {
    line.mode = SaverMode::Password;
  }
  return line;
}

int32_t ParsePreviewWindowNumber(std::string_view argumentText) {
  for (size_t n = argumentText.size(); n >= 1; --n) {
    const std::string_view tail = argumentText.substr(argumentText.size() - n);
    if (const auto number = WholeNumber(tail)) {
      return RoundToInt32(*number).value_or(0);
    }
  }
  return 0;
}

bool ShouldEndAsSecondInstance(const CommandLine& line, bool settingsPaneOpen,
                               bool earlierInstanceRunning) {
  return line.switchText == "/s" && !settingsPaneOpen && earlierInstanceRunning;
}

}  // namespace skyvault
