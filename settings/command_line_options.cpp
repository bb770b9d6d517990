#include "settings/command_line_options.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "settings/settings_schema.h"

namespace skyvault {
namespace {

using Role = OptionRole;

// The speed scale's steps, slowest first, as least milliseconds between two
// steps of an aircraft. Drawn at 60 frames a second, an aircraft steps every
// 6th (or 7th), 5th, 4th, 3rd, 2nd or every frame: each step of the scale is
// a pace of its own, while most raw values between 2 and 100 look alike.
// Each value lies inside a band of that division, not at its edge, so the
// pace holds whatever the tick count's jitter.
constexpr std::array<std::string_view, 6> kPaceSteps = {"100", "75", "58", "42", "25", "3"};

constexpr CommandLineOption kOptions[] = {
    {"window-id",
     "ID",
     Role::kWindow,
     "",
     "",
     "",
     0,
     0,
     {},
     "draw into the window ID (0x... or decimal), with no sound: the settings window's preview"},
    {"root",
     "",
     Role::kWindow,
     "",
     "",
     "",
     0,
     0,
     {},
     "draw on the whole screen (the virtual root); without a window to draw in, the saver "
     "opens its own over the screen, which a key, a click or moving the mouse ends"},
    {"wayland",
     "",
     Role::kWindow,
     "",
     "",
     "",
     0,
     0,
     {},
     "draw through Wayland on every output, as without a window when $WAYLAND_DISPLAY is set"},
    {"wayland-shell",
     "SHELL",
     Role::kWindow,
     "",
     "",
     "",
     0,
     0,
     {},
     "on Wayland, layer (an overlay surface per output, where the compositor offers it; the "
     "default) or xdg (a full-screen window per output)"},

    {"background",
     "",
     Role::kSetting,
     kStartup,
     keys::BackGround,
     "",
     1,
     3,
     {},
     "1 black, 2 sky blue, 3 a picture: the bridge or --picture"},
    {"picture",
     "FILE",
     Role::kSetting,
     kStartup,
     keys::BMPFileName,
     "",
     0,
     0,
     {},
     "background picture (BMP, GIF, JPEG or PNG)"},
    {"logo", "", Role::kSetting, kStartup, keys::LogoChecked, "1", 0, 0, {}, "show the logo"},
    {"no-logo", "", Role::kSetting, kStartup, keys::LogoChecked, "0", 0, 0, {}, "hide the logo"},
    {"logo-file",
     "FILE",
     Role::kSetting,
     kStartup,
     keys::LogoFileName,
     "",
     0,
     0,
     {},
     "logo picture"},
    {"clock", "", Role::kSetting, kStartup, keys::Clock, "1", 0, 0, {}, "show the clock"},
    {"no-clock", "", Role::kSetting, kStartup, keys::Clock, "0", 0, 0, {}, "hide the clock"},
    {"clock-size",
     "POINTS",
     Role::kSetting,
     kStartup,
     keys::FontClock,
     "",
     0,
     0,
     {},
     "size of the clock's digits"},
    {"message",
     "",
     Role::kSetting,
     kStartup,
     keys::MessageChecked,
     "1",
     0,
     0,
     {},
     "show the message line"},
    {"no-message",
     "",
     Role::kSetting,
     kStartup,
     keys::MessageChecked,
     "0",
     0,
     0,
     {},
     "hide the message line"},
    {"message-text",
     "TEXT",
     Role::kSetting,
     kStartup,
     keys::Message,
     "",
     0,
     0,
     {},
     "the message line"},
    {"font",
     "NAME",
     Role::kSetting,
     kStartup,
     keys::FontName,
     "",
     0,
     0,
     {},
     "font of the message, e.g. \"Arial\""},
    {"pace", "", Role::kSetting, kStartup, keys::Speed, "", 1, 6, kPaceSteps,
     "aircraft speed from 1, slowest, to 6, fastest and the first run's: each step "
     "a pace of its own"},
    {"speed",
     "",
     Role::kSetting,
     kStartup,
     keys::Speed,
     "",
     2,
     100,
     {},
     "aircraft speed as the least milliseconds between two steps of an aircraft: lower "
     "is faster, and values below a frame's time (17 at 60 frames a second) look alike"},
    {"engine", "", Role::kSetting, kStartup, keys::Prop, "1", 0, 0, {}, "play the engine sound"},
    {"no-engine", "", Role::kSetting, kStartup, keys::Prop, "0", 0, 0, {}, "no engine sound"},
    {"volume",
     "",
     Role::kSetting,
     kStartup,
     keys::Volume,
     "",
     -2500,
     0,
     {},
     "engine volume in hundredths of a decibel: 0 is full"},
    {"sound-off",
     "MINUTES",
     Role::kSetting,
     kSystem,
     keys::SoundOff,
     "",
     0,
     0,
     {},
     "stop the engine after so many minutes (1, 2, 3, 4, 5, 10, 15, 20, 30, 45, 60, 90, 120, "
     "180, 240, 300, 360, 420 or 480), or Never"},

    {"window",
     "",
     Role::kAccepted,
     "",
     "",
     "",
     0,
     0,
     {},
     "a window of its own, as without --root: changes nothing"},
    {"install", "", Role::kAccepted, "", "", "", 0, 0, {}, "a colour map of its own: not needed"},
    {"fps", "", Role::kAccepted, "", "", "", 0, 0, {}, "the frame rate on screen: not shown"},
    {"visual",
     "VISUAL",
     Role::kAccepted,
     "",
     "",
     "",
     0,
     0,
     {},
     "the X visual: the window's own is used"},

    {"show-redraws",
     "",
     Role::kViewing,
     "",
     "",
     "",
     0,
     0,
     {},
     "outline in magenta the rectangles redrawn each frame"},

    {"help", "", Role::kHelp, "", "", "", 0, 0, {}, "print this text and end"},
    {"h", "", Role::kHelp, "", "", "", 0, 0, {}, ""},
};

const CommandLineOption* FindOption(std::string_view name) {
  for (const CommandLineOption& option : kOptions) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

std::string_view GroupTitle(OptionRole role) {
  switch (role) {
    case Role::kWindow:
      return "Where it draws (the first that applies: --window-id, $XSCREENSAVER_WINDOW, "
             "--root)";
    case Role::kSetting:
      return "Settings for this run (each replaces a value of skyvault.ini, which keeps it)";
    case Role::kAccepted:
      return "Taken from xscreensaver and ignored";
    case Role::kViewing:
      return "Viewing aids";
    case Role::kHelp:
      return "Help";
  }
  return {};
}

}  // namespace

std::string UsageLine(std::string left, std::string_view help) {
  constexpr size_t kColumn = 24, kWidth = 79;
  left.resize(std::max(left.size() + 1, kColumn), ' ');
  std::string text, line = left;
  bool lineHasWords = false;
  while (!help.empty()) {
    const size_t space = help.find(' ');
    const std::string_view word = help.substr(0, space);
    help.remove_prefix(space == std::string_view::npos ? help.size() : space + 1);
    if (lineHasWords && line.size() + 1 + word.size() > kWidth) {
      text += line + "\n";
      line.assign(kColumn, ' ');
      lineHasWords = false;
    }
    if (lineHasWords) line += ' ';
    line += word;
    lineHasWords = true;
  }
  return text + line + "\n";
}

std::span<const CommandLineOption> CommandLineOptions() { return kOptions; }

std::string ArgumentText(const CommandLineOption& option) {
  if (option.low == option.high) return std::string(option.argument);
  return std::to_string(option.low) + ".." + std::to_string(option.high);
}

std::vector<GivenOption> ReadCommandLine(const std::vector<std::string>& args) {
  std::vector<GivenOption> given;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string_view word = args[i];
    if (word.size() < 2 || word[0] != '-') continue;
    word.remove_prefix(word[1] == '-' ? 2 : 1);
    const size_t equals = word.find('=');
    const CommandLineOption* option = FindOption(word.substr(0, equals));
    if (!option) continue;
    const bool takesValue = !ArgumentText(*option).empty();
    if (!takesValue) {
      if (equals == std::string_view::npos) given.push_back({option, {}});
    } else if (equals != std::string_view::npos) {
      given.push_back({option, std::string(word.substr(equals + 1))});
    } else if (i + 1 < args.size()) {
      given.push_back({option, args[++i]});
    }
  }
  return given;
}

std::optional<std::string> StoredValue(const CommandLineOption& option, std::string_view value) {
  if (option.scale.empty()) return std::string(value);
  int step = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), step);
  if (error != std::errc() || end != value.data() + value.size()) return std::nullopt;
  if (step < option.low || step > option.high) return std::nullopt;
  const size_t index = static_cast<size_t>(step - option.low);
  if (index >= option.scale.size()) return std::nullopt;
  return std::string(option.scale[index]);
}

std::string CommandLineUsage() {
  std::string text;
  for (const OptionRole role :
       {Role::kWindow, Role::kSetting, Role::kAccepted, Role::kViewing, Role::kHelp}) {
    text += "\n";
    text += GroupTitle(role);
    text += ":\n";
    for (const CommandLineOption& option : CommandLineOptions()) {
      if (option.role != role || option.help.empty()) continue;
      std::string left = "  --";
      left += option.name;
      if (const std::string argument = ArgumentText(option); !argument.empty()) {
        left += " " + argument;
      }
      text += UsageLine(left, option.help);
    }
  }
  return text;
}

}  // namespace skyvault
