#pragma once
#include <memory>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

// The display window `Form1` of full-screen and password modes.
class Form1Window {
 public:
  // Creates the window (not shown); its load sequence runs here.
  static std::unique_ptr<Form1Window> Create(HINSTANCE instance);
  virtual ~Form1Window() = default;

  virtual HWND hwnd() const = 0;
  // Places the window topmost over `rect` (the whole virtual screen) and shows it.
  virtual void ShowOver(const RECT& rect) = 0;
  // Runs the window's events until the program ends; returns the exit code.
  virtual int RunMessageLoop() = 0;
};

}  // namespace skyvault::win32
