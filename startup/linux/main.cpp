#include <clocale>
#include <cstdlib>
#include <string>
#include <vector>

#include "startup/linux/linux_startup.h"

int main(int argc, char** argv) {
  // The clock in the user's time format and text in the user's encoding;
  // numbers stay in the C locale, as the settings are written.
  std::setlocale(LC_TIME, "");
  std::setlocale(LC_CTYPE, "");
  const std::vector<std::string> args(argv + 1, argv + argc);
  return skyvault::StartLinuxSaver(args, std::getenv("XSCREENSAVER_WINDOW"));
}
