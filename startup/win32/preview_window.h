#pragma once
#include <memory>
#include <string>

#include "platform/win32/win32_headers.h"
#include "settings/win32/registry_settings_store.h"

namespace skyvault::win32 {

// Preview mode: the `Preview` window, a child (and owned window) of the host
// pane covering its client area, where the saver itself plays, composed at
// the pane's size, silent (no audio device is opened), reading the same
// settings. Until the scene's pictures are loaded it shows the still
// picture `Image1`. It never takes the focus, ignores input and ends the
// program's message loop when the pane destroys it.
class PreviewWindow {
 public:
  // Makes the window in `host` and shows the still picture at once, then
  // runs the saver's load sequence on the settings under
  // HKEY_CURRENT_USER\`settingsKey`. Null when `host` is no window.
  static std::unique_ptr<PreviewWindow> Create(HINSTANCE instance, HWND host,
                                               const std::wstring& settingsKey = kSettingsKey);
  virtual ~PreviewWindow() = default;

  // Null once the window is gone.
  virtual HWND hwnd() const = 0;
  // Runs the window's events, with frames, until the window is gone.
  virtual int RunMessageLoop() = 0;
};

// Preview mode of the program: returns once the host pane has destroyed the
// preview; returns at once when `parentWindow` names no window.
int RunPreview(HINSTANCE instance, HWND parentWindow);

}  // namespace skyvault::win32
