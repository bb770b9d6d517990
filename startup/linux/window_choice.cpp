#include "startup/linux/window_choice.h"

#include <cctype>

namespace skyvault {
namespace {

// "--name=value", "--name value", "-name": the option's name without its
// dashes and, when written with "=", its value.
struct Option {
  std::string name;
  std::optional<std::string> value;
};

std::optional<Option> ReadOption(const std::string& arg) {
  size_t dashes = 0;
  while (dashes < arg.size() && dashes < 2 && arg[dashes] == '-') ++dashes;
  if (dashes == 0 || dashes == arg.size()) return std::nullopt;
  Option option;
  const size_t equals = arg.find('=', dashes);
  option.name =
      arg.substr(dashes, equals == std::string::npos ? std::string::npos : equals - dashes);
  if (equals != std::string::npos) option.value = arg.substr(equals + 1);
  return option;
}

}  // namespace

std::optional<uint64_t> ParseWindowNumber(const std::string& text) {
  std::string digits = text;
  int base = 10;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    digits = digits.substr(2);
    base = 16;
  }
  if (digits.empty() || digits.size() > 10) return std::nullopt;
  uint64_t value = 0;
  for (char c : digits) {
    const unsigned char u = static_cast<unsigned char>(c);
    int digit = -1;
    if (std::isdigit(u)) digit = c - '0';
    if (base == 16 && std::isxdigit(u) && !std::isdigit(u)) digit = std::tolower(u) - 'a' + 10;
    if (digit < 0) return std::nullopt;
    value = value * base + digit;
  }
  if (value == 0 || value > 0xFFFFFFFFu) return std::nullopt;
  return value;
}

WindowChoice ChooseWindow(const std::vector<std::string>& args, const char* daemonWindow) {
  WindowChoice choice;
  std::optional<uint64_t> given;
  bool root = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::optional<Option> option = ReadOption(args[i]);
    if (!option) continue;
    // The value of an option that takes one, after "=" or as the next argument.
    auto value = [&]() -> std::string {
      if (option->value) return *option->value;
      return i + 1 < args.size() ? args[++i] : std::string();
    };
    if (option->name == "window-id") {
      if (auto number = ParseWindowNumber(value())) given = number;
    } else if (option->name == "root") {
      root = true;
    } else if (option->name == "visual") {
      value();
    } else if (option->name == "help") {
      choice.help = true;
    }
  }
  const std::optional<uint64_t> daemon =
      daemonWindow ? ParseWindowNumber(daemonWindow) : std::nullopt;
  if (given) {
    choice.target = WindowChoice::Target::GivenWindow;
    choice.window = *given;
  } else if (daemon) {
    choice.target = WindowChoice::Target::DaemonWindow;
    choice.window = *daemon;
  } else if (root) {
    choice.target = WindowChoice::Target::Root;
  }
  return choice;
}

const char* WindowChoiceUsage() {
  return "Where it draws (first that applies):\n"
         "  --window-id ID   into the window ID (0x... or decimal), with no sound:\n"
         "                   the settings' preview\n"
         "  $XSCREENSAVER_WINDOW  into that window: run by xscreensaver\n"
         "  --root           on the whole screen (the virtual root)\n"
         "  (none)           in a window of its own over the screen; a key, a\n"
         "                   click or moving the mouse ends it\n"
         "Accepted and ignored: --window, --install, --fps, --visual NAME.\n"
         "Options take one dash or two.\n";
}

}  // namespace skyvault
