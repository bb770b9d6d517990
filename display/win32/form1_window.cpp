#include "display/win32/form1_window.h"

#include "controls/win32/directsound_sound_control.h"
#include "controls/win32/win32_drawing_control.h"
#include "display/form1.h"
#include "display/win32/other_windows.h"
#include "platform/win32/win32_platform_services.h"
#include "settings/win32/registry_settings_store.h"

namespace skyvault::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"SkyvaultForm1";
constexpr wchar_t kCaption[] = L"Skyvault";
constexpr int kFramesPerSecond = 60;

// The two one-second timers.
constexpr UINT_PTR kSoundTimer = 1;
constexpr UINT_PTR kPauseTimer = 2;
constexpr UINT kTimerMilliseconds = 1000;

// The window, its controls and Form1. It is also Form1's host (the endings
// that need the window and the process) and the drawing control's event
// sink, which hands the events to Form1 (frames only while the window is
// shown).
class DisplayWindow final : public Form1Window, private Form1Host, private DrawingEvents {
 public:
  DisplayWindow(HINSTANCE instance, Form1WindowOptions options);
  ~DisplayWindow() override;

  HWND hwnd() const override { return hwnd_; }
  void ShowOver(const RECT& rect) override;
  int RunMessageLoop() override;

 private:
  // Form1Host
  void UnloadOtherWindows() override;
  void UnloadDisplayWindow() override;
  void EndProgram() override;

  // DrawingEvents
  void OnFrame() override;
  void OnPointerMove() override { form1_->OnPointerMove(); }
  void OnMouseButton() override { form1_->OnMouseButton(); }
  void OnKey() override { form1_->OnKey(); }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void CoverVirtualScreen();

  Form1WindowOptions options_;
  HWND hwnd_ = nullptr;
  bool shown_ = false;
  bool releasing_ = false;  // the owner lets go of the window: no quit message
  RegistrySettingsStore settings_;
  Win32PlatformServices platform_;
  std::unique_ptr<Win32DrawingControl> drawing_;
  std::unique_ptr<DrawingControl> wrappedDrawing_;
  std::unique_ptr<DirectSoundSoundControl> sound_;
  std::unique_ptr<Form1> form1_;
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

DisplayWindow::DisplayWindow(HINSTANCE instance, Form1WindowOptions options)
    : options_(std::move(options)), settings_(options_.settingsKey) {
  RegisterWindowClass(instance, &DisplayWindow::Procedure);
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
      hwnd_, options_.sound ? DirectSoundSoundControl::Device::kDefault
                            : DirectSoundSoundControl::Device::kNone);
  Form1Host& host = *this;
  form1_ = std::make_unique<Form1>(settings_, *drawing, *sound_, platform_, host);
  DrawingEvents* events = this;
  drawing_->SetEvents(events);

  // The controls draw on and play for this window itself; they have no
  // windows of their own to hide.
  form1_->Load();
  SetTimer(hwnd_, kSoundTimer, kTimerMilliseconds, nullptr);
  SetTimer(hwnd_, kPauseTimer, kTimerMilliseconds, nullptr);
}

DisplayWindow::~DisplayWindow() {
  releasing_ = true;
  if (hwnd_) DestroyWindow(hwnd_);  // the unload handler runs as it goes
}

void DisplayWindow::ShowOver(const RECT& rect) {
  SetWindowPos(hwnd_, HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left,
               rect.bottom - rect.top, SWP_SHOWWINDOW);
  SetForegroundWindow(hwnd_);  // keys come here
  shown_ = true;
}

int DisplayWindow::RunMessageLoop() { return drawing_->RunFrameLoop(kFramesPerSecond); }

void DisplayWindow::UnloadOtherWindows() { DestroyPreviewAndSetupWindows(); }

void DisplayWindow::UnloadDisplayWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void DisplayWindow::EndProgram() {
  if (options_.endProgram) {
    options_.endProgram();
    return;
  }
  ExitProcess(0);
}

void DisplayWindow::OnFrame() {
  if (shown_ && hwnd_) form1_->OnFrame();
}

void DisplayWindow::CoverVirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  SetWindowPos(hwnd_, HWND_TOPMOST, left, top, GetSystemMetrics(SM_CXVIRTUALSCREEN),
               GetSystemMetrics(SM_CYVIRTUALSCREEN), SWP_NOACTIVATE);
}

LRESULT CALLBACK DisplayWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<DisplayWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(window, message, wParam, lParam);
}

LRESULT DisplayWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Until the controls and Form1 exist (during CreateWindowExW) the window
  // only needs the default handling.
  if (!form1_) return DefWindowProcW(window, message, wParam, lParam);

  LRESULT result = 0;
  if (drawing_->HandleWindowMessage(message, wParam, lParam, &result)) return result;

  switch (message) {
    case WM_TIMER:
      if (wParam == kSoundTimer) form1_->OnSoundTimer();
      if (wParam == kPauseTimer) form1_->OnPauseTimer();
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
      // (once), and the program ends with the window.
      KillTimer(window, kSoundTimer);
      KillTimer(window, kPauseTimer);
      hwnd_ = nullptr;
      form1_->Unload();
      if (!releasing_) PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

std::unique_ptr<Form1Window> Form1Window::Create(HINSTANCE instance) {
  return Create(instance, Form1WindowOptions{});
}

std::unique_ptr<Form1Window> Form1Window::Create(HINSTANCE instance, Form1WindowOptions options) {
  return std::make_unique<DisplayWindow>(instance, std::move(options));
}

}  // namespace skyvault::win32
