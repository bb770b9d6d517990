#include "startup/win32/module1.h"

#include "startup/command_line.h"

namespace skyvault::win32 {

int Main(HINSTANCE, const wchar_t* commandLine) {
  const CommandLine line = ParseCommandLine(Narrow(commandLine ? commandLine : L""));
  (void)line;
  return 0;
}

}  // namespace skyvault::win32
