#include "startup/linux/window_choice.h"

#include <gtest/gtest.h>

namespace skyvault {
namespace {

using Target = WindowChoice::Target;
using Args = std::vector<std::string>;

TEST(WindowChoice, WindowNumbers) {
  const std::pair<std::string, std::optional<uint64_t>> cases[] = {{"0x2a00007", 0x2a00007},
                                                                   {"0X1F", 0x1f},
                                                                   {"44040199", 44040199},
                                                                   {"4294967295", 0xFFFFFFFFu},
                                                                   {"", {}},
                                                                   {"0", {}},
                                                                   {"4294967296", {}},
                                                                   {"12ab", {}},
                                                                   {"0xg1", {}},
                                                                   {" 5", {}},
                                                                   {"99999999999999999999", {}}};
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(ParseXWindowId(text), expected) << '"' << text << '"';
}

TEST(WindowChoice, FirstThatAppliesWins) {
  // A number that is none falls through to the next choice (how options and their values are
  // read is the command line's test).
  const std::tuple<Args, const char*, Target, uint64_t> cases[] = {
      {Args{}, nullptr, Target::OwnWindow, 0},
      {Args{"--window-id", "0x400001"}, nullptr, Target::GivenWindow, 0x400001},
      {Args{}, "0x600003", Target::DaemonWindow, 0x600003},
      {Args{"--root"}, "0x600003", Target::DaemonWindow, 0x600003},
      {Args{"--window-id", "0x10", "--root"}, "0x600003", Target::GivenWindow, 0x10},
      {Args{"--root"}, "rubbish", Target::Root, 0},
      {Args{"--window-id", "0xzz"}, "0x22", Target::DaemonWindow, 0x22}};
  for (const auto& [args, daemon, target, window] : cases) {
    const WindowChoice choice = ChooseWindow(args, daemon);
    EXPECT_EQ(std::tuple(choice.target, choice.window, choice.help),
              std::tuple(target, window, false))
        << ::testing::PrintToString(args);
  }
}

TEST(WindowChoice, HelpAndShowRedrawsAreNotedBesideTheWindow) {
  EXPECT_TRUE(ChooseWindow({"--root", "--help"}, nullptr).help);
  EXPECT_TRUE(ChooseWindow({"--root", "-show-redraws"}, nullptr).showRedraws);
}

// Wayland only for a window of the saver's own: a given X window or the root stays X11.
TEST(WindowChoice, WaylandOnlyWithoutAnXWindow) {
  const std::tuple<Args, const char*, const char*, bool, bool> cases[] = {
      {Args{}, nullptr, "wayland-1", true, false},
      {Args{}, nullptr, "", false, false},
      {Args{}, nullptr, nullptr, false, false},
      {Args{"--wayland"}, nullptr, nullptr, true, false},
      {Args{"--wayland-shell", "xdg"}, nullptr, nullptr, true, true},
      {Args{"-wayland-shell=layer"}, nullptr, "wayland-0", true, false},
      {Args{"--root", "--wayland"}, nullptr, "wayland-1", false, false},
      {Args{}, "0x200003", "wayland-1", false, false}};
  for (const auto& [args, daemon, waylandDisplay, wayland, xdg] : cases) {
    const WindowChoice choice = ChooseWindow(args, daemon);
    EXPECT_EQ(ChoosesWayland(choice, waylandDisplay), wayland) << ::testing::PrintToString(args);
    EXPECT_TRUE(!wayland || choice.xdgShell == xdg) << ::testing::PrintToString(args);
  }
}

}  // namespace
}  // namespace skyvault
