#include "platform/win32/win32_headers.h"
#include "startup/win32/saver_startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  return skyvault::win32::StartSaver(instance, commandLine);
}
