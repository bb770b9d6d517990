#pragma once
#include <functional>
#include <memory>
#include <string>

#include "controls/drawing_control.h"
#include "platform/win32/win32_headers.h"
#include "settings/win32/registry_settings_store.h"

namespace skyvault::win32 {

// What a benchmark, a test or a viewing aid may change about the display
// window; the saver itself uses the defaults.
struct DisplayWindowOptions {
  // Wraps the drawing control that SaverDisplay draws through (for instance to
  // time each ShowFrame). The wrapper must pass every call on to `inner`.
  std::function<std::unique_ptr<DrawingControl>(DrawingControl& inner)> wrapDrawing;
  // Ends the program once the window is gone. Default: ExitProcess(0), so no
  // further event or timer is handled.
  std::function<void()> endProgram;
  // The registry key of the settings under HKEY_CURRENT_USER.
  std::wstring settingsKey = kSettingsKey;
  // False: no audio device is opened (silent).
  bool sound = true;
  // Password mode: the window is created (its load sequence runs) but never
  // shown, and the pointer stays shown over the system's password dialog.
  bool passwordMode = false;
  // Outlines the rectangles redrawn each frame (Compositor::ShowRedraws).
  bool showRedraws = false;
};

// The display window of full-screen and password modes: a borderless
// popup captioned "Skyvault" that owns the drawing and sound controls, the
// settings store, the platform services and the portable SaverDisplay, and turns
// the window's messages into SaverDisplay's events.
class DisplayWindow {
 public:
  // Creates the window (not shown); its load sequence runs here.
  static std::unique_ptr<DisplayWindow> Create(HINSTANCE instance);
  static std::unique_ptr<DisplayWindow> Create(HINSTANCE instance, DisplayWindowOptions options);
  virtual ~DisplayWindow() = default;

  // Null once the window is gone.
  virtual HWND hwnd() const = 0;
  // Places the window topmost over `rect` (the whole virtual screen) and shows it.
  virtual void ShowOver(const RECT& rect) = 0;
  // Runs the window's events, with frames, until the program ends; returns
  // the exit code. Only here do frames come: a window that is never shown
  // and never runs this loop draws nothing.
  virtual int RunMessageLoop() = 0;
};

}  // namespace skyvault::win32
