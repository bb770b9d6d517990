#include "display/win32/display_window.h"

#include "controls/win32/directsound_sound_control.h"
#include "controls/win32/win32_drawing_control.h"
#include "display/saver_display.h"
#include "display/win32/other_windows.h"
#include "platform/win32/win32_platform_services.h"
#include "settings/win32/registry_settings_store.h"

namespace skyvault::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"SkyvaultDisplay";
constexpr wchar_t kCaption[] = L"Skyvault";
constexpr int kFramesPerSecond = 60;

// The two one-second timers.
constexpr UINT_PTR kSoundTimer = 1;
constexpr UINT_PTR kPauseTimer = 2;
constexpr UINT kTimerMilliseconds = 1000;

// The window, its controls and SaverDisplay. It is also SaverDisplay's host (the endings
// that need the window and the process) and the drawing control's event
// sink, which hands the events to SaverDisplay (frames only while the window is
// shown).
class SaverWindow final : public DisplayWindow, private DisplayHost, private DrawingEvents {
 public:
  SaverWindow(HINSTANCE instance, DisplayWindowOptions options);
  ~SaverWindow() override;

  HWND hwnd() const override { return hwnd_; }
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

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void CoverVirtualScreen();

  DisplayWindowOptions options_;
  HWND hwnd_ = nullptr;
  bool shown_ = false;
  bool releasing_ = false;  // the owner lets go of the window: no quit message
  RegistrySettingsStore settings_;
  Win32PlatformServices platform_;
  std::unique_ptr<Win32DrawingControl> drawing_;
  std::unique_ptr<DrawingControl> wrappedDrawing_;
  std::unique_ptr<DirectSoundSoundControl> sound_;
  std::unique_ptr<SaverDisplay> display_;
};

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hCursor = nullptr;  // the pointer stays hidden over the window
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kWindowClass;
  RegisterClassExW(&wc);  // fails harmlessly when already registered
}

SaverWindow::SaverWindow(HINSTANCE instance, DisplayWindowOptions options)
    : options_(std::move(options)), settings_(options_.settingsKey) {
  RegisterWindowClass(instance, &SaverWindow::Procedure);
  hwnd_ = CreateWindowExW(0, kWindowClass, kCaption, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                          instance, this);
  platform_.owner = hwnd_;

  drawing_ = std::make_unique<Win32DrawingControl>(hwnd_);
  DrawingControl* drawing = drawing_.get();
  if (options_.wrapDrawing) {
    wrappedDrawing_ = options_.wrapDrawing(*drawing_);
    if (wrappedDrawing_) drawing = wrappedDrawing_.get();
  }
  sound_ = std::make_unique<DirectSoundSoundControl>(
      hwnd_, options_.sound ? DirectSoundSoundControl::Device::Default
                            : DirectSoundSoundControl::Device::None);
  DisplayHost& host = *this;
  display_ = std::make_unique<SaverDisplay>(settings_, *drawing, *sound_, platform_, host);
  DrawingEvents* events = this;
  drawing_->SetEvents(events);

  // The controls draw on and play for this window itself; they have no
  // windows of their own to hide.
  display_->Load(options_.passwordMode ? PointerAtLoad::Shown : PointerAtLoad::Hidden);
  SetTimer(hwnd_, kSoundTimer, kTimerMilliseconds, nullptr);
  SetTimer(hwnd_, kPauseTimer, kTimerMilliseconds, nullptr);
}

SaverWindow::~SaverWindow() {
  releasing_ = true;
  if (hwnd_) DestroyWindow(hwnd_);  // the unload handler runs as it goes
}

void SaverWindow::ShowOver(const RECT& rect) {
  SetWindowPos(hwnd_, HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left,
               rect.bottom - rect.top, SWP_SHOWWINDOW);
  SetForegroundWindow(hwnd_);  // keys come here
  shown_ = true;
}

int SaverWindow::RunMessageLoop() { return drawing_->RunFrameLoop(kFramesPerSecond); }

void SaverWindow::UnloadOtherWindows() { DestroyPreviewAndSetupWindows(); }

void SaverWindow::UnloadDisplayWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void SaverWindow::EndProgram() {
  if (options_.endProgram) {
    options_.endProgram();
    return;
  }
  ExitProcess(0);
}

void SaverWindow::OnFrame() {
  if (shown_ && hwnd_) display_->OnFrame();
}

void SaverWindow::CoverVirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  SetWindowPos(hwnd_, HWND_TOPMOST, left, top, GetSystemMetrics(SM_CXVIRTUALSCREEN),
               GetSystemMetrics(SM_CYVIRTUALSCREEN), SWP_NOACTIVATE);
}

LRESULT CALLBACK SaverWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<SaverWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(window, message, wParam, lParam);
}

LRESULT SaverWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Until the controls and SaverDisplay exist (during CreateWindowExW) the window
  // only needs the default handling.
  if (!display_) return DefWindowProcW(window, message, wParam, lParam);

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
      KillTimer(window, kSoundTimer);
      KillTimer(window, kPauseTimer);
      hwnd_ = nullptr;
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
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

std::unique_ptr<DisplayWindow> DisplayWindow::Create(HINSTANCE instance) {
  return Create(instance, DisplayWindowOptions{});
}

std::unique_ptr<DisplayWindow> DisplayWindow::Create(HINSTANCE instance,
                                                     DisplayWindowOptions options) {
  return std::make_unique<SaverWindow>(instance, std::move(options));
}

}  // namespace skyvault::win32
