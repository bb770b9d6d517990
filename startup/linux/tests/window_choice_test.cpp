#include "startup/linux/window_choice.h"

#include <gtest/gtest.h>

#include <sstream>

namespace skyvault {
namespace {

using Target = WindowChoice::Target;
using Args = std::vector<std::string>;

// The words of `line`.
Args Split(const std::string& line) {
  std::istringstream in(line);
  Args words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

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
  const std::tuple<const char*, const char*, Target, uint64_t> cases[] = {
      {"", nullptr, Target::OwnWindow, 0},
      {"--window-id 0x400001", nullptr, Target::GivenWindow, 0x400001},
      {"", "0x600003", Target::DaemonWindow, 0x600003},
      {"--root", "0x600003", Target::DaemonWindow, 0x600003},
      {"--window-id 0x10 --root", "0x600003", Target::GivenWindow, 0x10},
      {"--root", "rubbish", Target::Root, 0},
      {"--window-id 0xzz", "0x22", Target::DaemonWindow, 0x22}};
  for (const auto& [line, daemon, target, window] : cases) {
    const WindowChoice choice = ChooseWindow(Split(line), daemon);
    EXPECT_EQ(std::tuple(choice.target, choice.window, choice.help),
              std::tuple(target, window, false))
        << line;
  }
}

TEST(WindowChoice, HelpAndShowRedrawsAreNotedBesideTheWindow) {
  EXPECT_TRUE(ChooseWindow({"--root", "--help"}, nullptr).help);
  EXPECT_TRUE(ChooseWindow({"--root", "-show-redraws"}, nullptr).showRedraws);
}

// Wayland only for a window of the saver's own: a given X window or the root stays X11.
TEST(WindowChoice, WaylandOnlyWithoutAnXWindow) {
  const std::tuple<const char*, const char*, const char*, bool, bool> cases[] = {
      {"", nullptr, "wayland-1", true, false},
      {"", nullptr, "", false, false},
      {"", nullptr, nullptr, false, false},
      {"--wayland", nullptr, nullptr, true, false},
      {"--wayland-shell xdg", nullptr, nullptr, true, true},
      {"-wayland-shell=layer", nullptr, "wayland-0", true, false},
      {"--root --wayland", nullptr, "wayland-1", false, false},
      {"", "0x200003", "wayland-1", false, false}};
  for (const auto& [line, daemon, waylandDisplay, wayland, xdg] : cases) {
    const WindowChoice choice = ChooseWindow(Split(line), daemon);
    EXPECT_EQ(ChoosesWayland(choice, waylandDisplay), wayland) << line;
    EXPECT_TRUE(!wayland || choice.xdgShell == xdg) << line;
  }
}

}  // namespace
}  // namespace skyvault
