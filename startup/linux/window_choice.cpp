#include "startup/linux/window_choice.h"

#include <cctype>

#include "settings/command_line_options.h"

namespace skyvault {

std::optional<uint64_t> ParseXWindowId(const std::string& text) {
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
  for (const GivenOption& option : ReadCommandLine(args)) {
    if (option.option->name == "window-id") {
      if (auto number = ParseXWindowId(option.value)) given = number;
    } else if (option.option->name == "root") {
      root = true;
    } else if (option.option->name == "wayland") {
      choice.wayland = true;
    } else if (option.option->name == "wayland-shell") {
      choice.wayland = true;
      choice.xdgShell = option.value == "xdg";
    } else if (option.option->name == "show-redraws") {
      choice.showRedraws = true;
    } else if (option.option->role == OptionRole::kHelp) {
      choice.help = true;
    }
  }
  const std::optional<uint64_t> daemon = daemonWindow ? ParseXWindowId(daemonWindow) : std::nullopt;
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

bool ChoosesWayland(const WindowChoice& choice, const char* waylandDisplay) {
  if (choice.target != WindowChoice::Target::OwnWindow) return false;
  return choice.wayland || (waylandDisplay && *waylandDisplay);
}

}  // namespace skyvault
