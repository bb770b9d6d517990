#include "display/win32/display_window.h"

#include "controls/win32/directsound_sound_control.h"
#include "controls/win32/win32_drawing_control.h"
#include "display/saver_display.h"
#include "platform/win32/win32_platform_services.h"
#include "platform/win32/window_base.h"
#include "platform/win32/window_classes.h"
#include "platform/win32/window_list.h"
#include "settings/win32/registry_settings_store.h"

namespace skyvault::win32 {
namespace {

constexpr wchar_t kCaption[] = L"Skyvault";

// The display's two timers.
constexpr UINT_PTR kSoundTimer = 1;
constexpr UINT_PTR kPauseTimer = 2;

// The window, its controls and SaverDisplay. It is also SaverDisplay's host (the endings
// that need the window and the process) and the drawing control's event
// sink, which hands the events to SaverDisplay (frames only while the window is
// shown).
class SaverDisplayWindow final : public DisplayWindow,
                                 private WindowBase,
                                 private DisplayHost,
                                 private DrawingEvents {
 public:
  SaverDisplayWindow(HINSTANCE instance, DisplayWindowOptions options);
  ~SaverDisplayWindow() override;

  // Null from the moment the window starts to go.
  HWND hwnd() const override { return destroying_ ? nullptr : WindowBase::hwnd(); }
  void ShowOver(const RECT& rect) override;
  int RunMessageLoop() override;

 private:
  // DisplayHost
  void UnloadOtherWindows() override;
  void UnloadDisplayWindow() override;
  void EndProgram() override;

  // DrawingEvents
  void OnFrame() override;
  void OnPointerMove() override { display_->OnPointerMove(); }
  void OnMouseButton() override { display_->OnMouseButton(); }
  void OnKey() override { display_->OnKey(); }

  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void CoverVirtualScreen();

  DisplayWindowOptions options_;
  bool destroying_ = false;
  bool shown_ = false;
  bool releasing_ = false;  // the owner lets go of the window: no quit message
  RegistrySettingsStore settings_;
  Win32PlatformServices platform_;
  std::unique_ptr<Win32DrawingControl> drawing_;
  std::unique_ptr<DrawingControl> wrappedDrawing_;
  std::unique_ptr<DirectSoundSoundControl> sound_;
  std::unique_ptr<SaverDisplay> display_;
};

SaverDisplayWindow::SaverDisplayWindow(HINSTANCE instance, DisplayWindowOptions options)
    : options_(std::move(options)), settings_(options_.settingsKey) {
  // No cursor: the pointer stays hidden over the window.
  RegisterWindowClass(instance, kDisplayWindowClass, nullptr,
                      static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  HWND window = CreateOwnWindow(instance, kDisplayWindowClass, kCaption, WS_POPUP, 0,
                                RECT{0, 0, 1, 1}, nullptr);
  platform_.owner = window;

  drawing_ = std::make_unique<Win32DrawingControl>(window);
  drawing_->ShowRedraws(options_.showRedraws);
  DrawingControl* drawing = drawing_.get();
  if (options_.wrapDrawing) {
    wrappedDrawing_ = options_.wrapDrawing(*drawing_);
    if (wrappedDrawing_) drawing = wrappedDrawing_.get();
  }
  sound_ = std::make_unique<DirectSoundSoundControl>(
      window, options_.sound ? DirectSoundSoundControl::Device::Default
                             : DirectSoundSoundControl::Device::None);
  DisplayHost& host = *this;
  display_ = std::make_unique<SaverDisplay>(settings_, *drawing, *sound_, platform_, host);
  DrawingEvents* events = this;
  drawing_->SetEvents(events);

  // The controls draw on and play for this window itself; they have no
  // windows of their own to hide.
  display_->Load(options_.passwordMode ? PointerAtLoad::Shown : PointerAtLoad::Hidden);
  SetTimer(window, kSoundTimer, SaverDisplay::kTimerMilliseconds, nullptr);
  SetTimer(window, kPauseTimer, SaverDisplay::kTimerMilliseconds, nullptr);
}

SaverDisplayWindow::~SaverDisplayWindow() {
  releasing_ = true;
  if (HWND window = hwnd()) DestroyWindow(window);  // the unload handler runs as it goes
}

void SaverDisplayWindow::ShowOver(const RECT& rect) {
  SetWindowPos(hwnd(), HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left,
               rect.bottom - rect.top, SWP_SHOWWINDOW);
  SetForegroundWindow(hwnd());  // keys come here
  shown_ = true;
}

int SaverDisplayWindow::RunMessageLoop() {
  return drawing_->RunFrameLoop(SaverDisplay::kFramesPerSecond);
}

// They note themselves in the list while they exist (in full-screen mode
// neither is ever made).
void SaverDisplayWindow::UnloadOtherWindows() { PreviewAndSetupWindows().DestroyAll(); }

void SaverDisplayWindow::UnloadDisplayWindow() {
  HWND window = hwnd();
  if (!window) return;
  if (!options_.endProgram) {
    // The program ends right after this (CloseDown runs the unload handler
    // first) and the window goes with the process. Destroying it here would
    // keep the process up to two seconds under Wine, whose X11 driver waits
    // for a window manager to withdraw a full-screen window it unmaps; with
    // none there, it waits until its time-out.
    KillTimer(window, kSoundTimer);
    KillTimer(window, kPauseTimer);
    destroying_ = true;
    return;
  }
  DestroyWindow(window);
}

void SaverDisplayWindow::EndProgram() {
  if (options_.endProgram) {
    options_.endProgram();
    return;
  }
  ExitProcess(0);
}

void SaverDisplayWindow::OnFrame() {
  if (shown_ && hwnd()) display_->OnFrame();
}

void SaverDisplayWindow::CoverVirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  SetWindowPos(hwnd(), HWND_TOPMOST, left, top, GetSystemMetrics(SM_CXVIRTUALSCREEN),
               GetSystemMetrics(SM_CYVIRTUALSCREEN), SWP_NOACTIVATE);
}

std::optional<LRESULT> SaverDisplayWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Until the controls and SaverDisplay exist (during CreateOwnWindow) the
  // window only needs the default handling.
  if (!display_) return std::nullopt;

  LRESULT result = 0;
  if (drawing_->HandleWindowMessage(message, wParam, lParam, &result)) return result;

  switch (message) {
    case WM_TIMER:
      if (wParam == kSoundTimer) display_->OnSoundTimer();
      if (wParam == kPauseTimer) display_->OnPauseTimer();
      return 0;
    case WM_SETCURSOR:
      SetCursor(nullptr);
      return TRUE;
    case WM_SYSCOMMAND:
      // No second screen saver over this one.
      if ((wParam & 0xFFF0) == SC_SCREENSAVE) return 0;
      break;
    case WM_DISPLAYCHANGE:
      if (shown_) CoverVirtualScreen();
      return 0;
    case WM_DESTROY:
      // From CloseDown or from outside: either way the unload handler runs
      // (once), and the program ends with the window. The owner letting go
      // of the window is no closing from outside.
      KillTimer(WindowBase::hwnd(), kSoundTimer);
      KillTimer(WindowBase::hwnd(), kPauseTimer);
      destroying_ = true;
      if (releasing_) {
        display_->Unload();
      } else {
        display_->OnWindowClosed();
      }
      if (!releasing_) PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return std::nullopt;
}

}  // namespace

std::unique_ptr<DisplayWindow> DisplayWindow::Create(HINSTANCE instance) {
  return Create(instance, DisplayWindowOptions{});
}

std::unique_ptr<DisplayWindow> DisplayWindow::Create(HINSTANCE instance,
                                                     DisplayWindowOptions options) {
  return std::make_unique<SaverDisplayWindow>(instance, std::move(options));
}

}  // namespace skyvault::win32
