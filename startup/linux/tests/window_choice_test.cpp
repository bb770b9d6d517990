#include "startup/linux/window_choice.h"

#include <gtest/gtest.h>

namespace skyvault {
namespace {

using Target = WindowChoice::Target;

TEST(WindowChoice, WindowNumbers) {
  const std::vector<std::pair<std::string, std::optional<uint64_t>>> cases = {
      {"0x2a00007", 0x2a00007},
      {"0X1F", 0x1f},
      {"44040199", 44040199},
      {"4294967295", 0xFFFFFFFFu},
      {"", std::nullopt},
      {"0x", std::nullopt},
      {"0", std::nullopt},
      {"4294967296", std::nullopt},
      {"0x100000000", std::nullopt},
      {"12ab", std::nullopt},
      {"0xg1", std::nullopt},
      {"-5", std::nullopt},
      {" 5", std::nullopt},
      {"5 ", std::nullopt},
      {"99999999999999999999", std::nullopt}};
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(ParseXWindowId(text), expected) << '"' << text << '"';
  }
}

TEST(WindowChoice, FirstThatAppliesWins) {
  struct Case {
    std::vector<std::string> args;
    const char* daemon;
    Target target;
    uint64_t window;
  };
  const std::vector<Case> cases = {
      {{}, nullptr, Target::OwnWindow, 0},
      {{"--window-id", "0x400001"}, nullptr, Target::GivenWindow, 0x400001},
      {{"--window-id=0x51"}, nullptr, Target::GivenWindow, 0x51},
      {{}, "0x600003", Target::DaemonWindow, 0x600003},
      {{"--root"}, "0x600003", Target::DaemonWindow, 0x600003},
      {{"--window-id", "0x10", "--root"}, "0x600003", Target::GivenWindow, 0x10},
      {{"-root"}, nullptr, Target::Root, 0},
      {{"--root"}, "rubbish", Target::Root, 0},
      // A number that is none falls through to the next choice.
      {{"--window-id", "0xzz"}, "0x22", Target::DaemonWindow, 0x22},
      {{"--window-id", "0", "--root"}, nullptr, Target::Root, 0},
      // A missing value takes nothing with it.
      {{"--root", "--window-id"}, nullptr, Target::Root, 0},
      // Ignored options, also those with values, and others left for the settings.
      {{"--window", "--install", "--fps", "--visual", "default", "--root"},
       nullptr,
       Target::Root,
       0},
      {{"-visual=0x21", "--speed", "5", "root"}, nullptr, Target::OwnWindow, 0},
      // Values of the settings options are never window options.
      {{"--message-text", "--root", "--font", "--window-id", "0x77"},
       nullptr,
       Target::OwnWindow,
       0}};
  for (const Case& c : cases) {
    std::string line;
    for (const std::string& arg : c.args) line += arg + ' ';
    const WindowChoice choice = ChooseWindow(c.args, c.daemon);
    EXPECT_EQ(choice.target, c.target) << line;
    EXPECT_EQ(choice.window, c.window) << line;
    EXPECT_FALSE(choice.help) << line;
  }
}

TEST(WindowChoice, HelpAndShowRedrawsAreNotedBesideTheWindow) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--help"}, {"-help"}, {"--root", "--help"}}) {
    EXPECT_TRUE(ChooseWindow(args, nullptr).help) << args[0];
  }
  // "--visual --help" gives "--help" to --visual as its value.
  EXPECT_FALSE(ChooseWindow({"--visual", "--help"}, nullptr).help);
  EXPECT_TRUE(ChooseWindow({"--root", "-show-redraws"}, nullptr).showRedraws);
  EXPECT_FALSE(ChooseWindow({"--visual", "--show-redraws"}, nullptr).showRedraws);
}

// Wayland only for a window of the saver's own: a given X window or the root stays X11.
TEST(WindowChoice, WaylandOnlyWithoutAnXWindow) {
  const std::tuple<std::vector<std::string>, const char*, const char*, bool, bool> cases[] = {
      {{}, nullptr, "wayland-1", true, false},
      {{}, nullptr, "", false, false},
      {{}, nullptr, nullptr, false, false},
      {{"--wayland"}, nullptr, nullptr, true, false},
      {{"--wayland-shell", "xdg"}, nullptr, nullptr, true, true},
      {{"-wayland-shell=layer"}, nullptr, "wayland-0", true, false},
      {{"--window-id", "0x400001"}, nullptr, "wayland-1", false, false},
      {{"--root", "--wayland"}, nullptr, "wayland-1", false, false},
      {{}, "0x200003", "wayland-1", false, false},
      {{"--visual", "--wayland"}, nullptr, nullptr, false, false}};
  for (const auto& [args, daemon, waylandDisplay, wayland, xdg] : cases) {
    std::string line;
    for (const std::string& arg : args) line += arg + ' ';
    const WindowChoice choice = ChooseWindow(args, daemon);
    EXPECT_EQ(ChoosesWayland(choice, waylandDisplay), wayland) << line;
    if (wayland) {
      EXPECT_EQ(choice.xdgShell, xdg) << line;
    }
  }
}

}  // namespace
}  // namespace skyvault
