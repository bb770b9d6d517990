#include "startup/win32/saver_startup.h"

#include "dialogs/win32/setup_dialog.h"
#include "display/win32/display_window.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_platform_services.h"
#include "startup/command_line.h"
#include "startup/win32/preview_window.h"

namespace skyvault::win32 {
namespace {

// Held by a running full-screen saver; a second one sees it.
constexpr wchar_t kFullScreenMark[] = L"Local\\Skyvault.FullScreen";

// The pane the saver is chosen in: "Display Properties" before Vista,
// "Screen Saver Settings" since.
bool SettingsPaneOpen() {
  return FindWindowA(nullptr, "Display Properties") != nullptr ||
         FindWindowA(nullptr, "Screen Saver Settings") != nullptr;
}

bool FullScreenInstanceRunning() {
  return static_cast<bool>(UniqueKernelHandle(OpenMutexW(SYNCHRONIZE, FALSE, kFullScreenMark)));
}

// The whole virtual screen: every monitor, not the primary one alone.
RECT VirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
              top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// SKYVAULT_SHOW_REDRAWS=1 outlines the rectangles redrawn each frame.
bool ShowRedrawsAsked() {
  wchar_t value[8] = {};
  const DWORD length = GetEnvironmentVariableW(L"SKYVAULT_SHOW_REDRAWS", value, 8);
  return length > 0 && length < 8 && !(length == 1 && value[0] == L'0');
}

int RunFullScreen(HINSTANCE instance) {
  const UniqueKernelHandle mark(CreateMutexW(nullptr, FALSE, kFullScreenMark));
  const RECT windowRect = VirtualScreen();
  DisplayWindowOptions options;
  options.showRedraws = ShowRedrawsAsked();
  auto display = DisplayWindow::Create(instance, std::move(options));
  display->ShowOver(windowRect);
  Win32PlatformServices().SetScreenSaverRunning(true);
  const int code = display->RunMessageLoop();
  display.reset();
  return code;
}

// Password mode: the system's password dialog, owned by the display window,
// which is created (its load sequence runs) but never shown, so it draws no
// frame; the program ends when the dialog returns.
int RunPassword(HINSTANCE instance) {
  DisplayWindowOptions options;
  options.passwordMode = true;
  auto display = DisplayWindow::Create(instance, std::move(options));
  using PwdChangePassword = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);
  if (HMODULE mpr = LoadLibraryW(L"mpr.dll")) {
    auto change = reinterpret_cast<PwdChangePassword>(
        reinterpret_cast<void*>(GetProcAddress(mpr, "PwdChangePasswordA")));
    if (change) change("SCRSAVE", display->hwnd(), 0, nullptr);
    FreeLibrary(mpr);
  }
  return 0;
}

}  // namespace

int StartSaver(HINSTANCE instance, const wchar_t* commandLine) {
  const CommandLine line = ParseCommandLine(Narrow(commandLine ? commandLine : L""));
  if (ShouldEndAsSecondInstance(line, SettingsPaneOpen(), FullScreenInstanceRunning())) return 0;

  switch (line.mode) {
    case SaverMode::FullScreen:
      return RunFullScreen(instance);
    case SaverMode::Preview: {
      const int32_t number = ParsePreviewWindowNumber(line.argumentText);
      return RunPreview(instance, reinterpret_cast<HWND>(static_cast<intptr_t>(number)));
    }
    case SaverMode::Configure:
      return RunSetup(instance);
    case SaverMode::Password:
      return RunPassword(instance);
    case SaverMode::None:
      break;
  }
  return 0;
}

}  // namespace skyvault::win32
