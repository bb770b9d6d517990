#include "platform/win32/win32_headers.h"
#include "startup/win32/module1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  return skyvault::win32::Main(instance, commandLine);
}
