// Shows the settings dialog on one page, or one of the pickers, for a few
// seconds (for looking at it). Not a test.
//   setup_show <page 0-3 | file | logo> [seconds]
#include <cstdlib>
#include <string>

#include "dialogs/image_file_picker.h"
#include "dialogs/win32/image_file_picker_window.h"
#include "dialogs/win32/setup_dialog.h"
#include "dialogs/win32/setup_dialog_ids.h"
#include "platform/testing/fake_platform_services.h"
#include "settings/memory_settings_store.h"
#include "settings/settings_schema.h"

#include <commctrl.h>
#include <shellapi.h>

using namespace skyvault;
using namespace skyvault::win32;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(commandLine, &argc);
  const std::wstring what = argc > 0 && commandLine[0] ? argv[0] : L"0";
  const int seconds = argc > 1 ? _wtoi(argv[1]) : 4;
  MemorySettingsStore store;
  WriteFirstRunValues(store, kDataPath);
  FakePlatformServices platform;
  SetupDialog dialog(instance, store, &platform);
  dialog.quitOnDestroy = true;
  dialog.Create();
  std::unique_ptr<ImageFilePickerWindow> picker;
  if (what == L"file" || what == L"logo") {
    picker = std::make_unique<ImageFilePickerWindow>(
        instance, what == L"file" ? kGetFile : kGetLogo, store, &platform);
    picker->CreateModeless(dialog.hwnd());
  } else {
    SendMessageW(dialog.control(setup_ids::kTab), TCM_SETCURFOCUS,
                 static_cast<WPARAM>(_wtoi(what.c_str())), 0);
  }
  SetTimer(dialog.hwnd(), 1, static_cast<UINT>(seconds * 1000),
           [](HWND hwnd, UINT, UINT_PTR, DWORD) { DestroyWindow(hwnd); });
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
