#include "startup/win32/preview_window.h"

#include "controls/silent_sound_control.h"
#include "controls/unseen_frames_drawing_control.h"
#include "controls/win32/win32_drawing_control.h"
#include "display/saver_display.h"
#include "platform/win32/win32_platform_services.h"
#include "platform/win32/window_base.h"
#include "platform/win32/window_classes.h"
#include "platform/win32/window_list.h"
#include "startup/win32/still_picture.h"

namespace skyvault::win32 {
namespace {

// The saver keeps its pace (SaverDisplay::kFramesPerSecond); a pane of a
// few inches shows one in six of its frames, at a sixth of the cost.
constexpr int kFramesPerPicture = 6;
constexpr UINT_PTR kHostWatch = 1;
// The saver's two timers.
constexpr UINT_PTR kSoundTimer = 2;
constexpr UINT_PTR kPauseTimer = 3;

// The `Preview` window, its drawing control and the saver display that
// plays in it. The pane owns the input and the focus: the preview's saver
// never ends on a key or the pointer, only with its pane.
class LivePreview final : public PreviewWindow,
                          private WindowBase,
                          private DisplayHost,
                          private DrawingEvents {
 public:
  LivePreview(HINSTANCE instance, HWND host, const std::wstring& settingsKey);
  ~LivePreview() override {
    if (HWND window = WindowBase::hwnd()) DestroyWindow(window);
  }

  HWND hwnd() const override { return WindowBase::hwnd(); }
  int RunMessageLoop() override {
    return drawing_->RunFrameLoop(SaverDisplay::kFramesPerSecond / kFramesPerPicture);
  }

  void Embed();
  void Load();

 private:
  // DisplayHost: only the saver's own endings (input) would call these,
  // and the preview passes it no input.
  void UnloadOtherWindows() override {}
  void UnloadDisplayWindow() override {}
  void EndProgram() override {}

  // DrawingEvents
  void OnFrame() override {
    for (int frame = 1; frame <= kFramesPerPicture && loaded_ && hwnd(); ++frame) {
      paneDrawing_->SetSeen(frame == kFramesPerPicture);
      display_->OnFrame();
    }
  }
  void OnPointerMove() override {}
  void OnMouseButton() override {}
  void OnKey() override {}

  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  HWND host_;
  std::wstring settingsKey_;
  StillPicture image1_;
  std::unique_ptr<RegistrySettingsStore> settings_;
  Win32PlatformServices platform_;
  SilentSoundControl sound_;
  std::unique_ptr<Win32DrawingControl> drawing_;
  std::unique_ptr<UnseenFramesDrawingControl> paneDrawing_;  // what the saver draws through
  std::unique_ptr<SaverDisplay> display_;
  bool loaded_ = false;
};

LivePreview::LivePreview(HINSTANCE instance, HWND host, const std::wstring& settingsKey)
    : host_(host), settingsKey_(settingsKey), image1_(instance) {
  RegisterWindowClass(instance, kPreviewWindowClass, LoadCursorW(nullptr, IDC_ARROW), nullptr);
  // Loaded without showing: a borderless 153 x 115 window until it is embedded.
  HWND window = CreateOwnWindow(instance, kPreviewWindowClass, L"Preview", WS_POPUP, 0,
                                RECT{0, 0, 153, 115}, nullptr);
  if (!window) return;
  NoteIn(PreviewAndSetupWindows());
  platform_.owner = window;
}

// Makes the window a child (and owned window) of the host pane covering its
// client area, shows it and paints the still picture straight away.
void LivePreview::Embed() {
  RECT windowRect{};
  GetClientRect(host_, &windowRect);
  // A child cannot also be a pop-up, so that bit goes.
  const LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
  SetWindowLongW(hwnd(), GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
  SetParent(hwnd(), host_);
  SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(host_));
  SetWindowPos(hwnd(), nullptr, 0, 0, windowRect.right, windowRect.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(hwnd());
  SetTimer(hwnd(), kHostWatch, 250, nullptr);
}

// The saver's load sequence, at the pane's size: the frame is composed at
// the size of the pane's letterbox, its pictures reduced with the filter.
// The pointer belongs to the pane and stays as it is. The controls and the
// settings store are made only now, after the still picture is shown (the
// picture decoder's start alone takes a while).
void LivePreview::Load() {
  settings_ = std::make_unique<RegistrySettingsStore>(settingsKey_);
  drawing_ = std::make_unique<Win32DrawingControl>(hwnd(), Win32DrawingControl::Fit::ClientArea);
  DrawingEvents* events = this;
  drawing_->SetEvents(events);
  paneDrawing_ = std::make_unique<UnseenFramesDrawingControl>(*drawing_);
  DisplayHost& host = *this;
  display_ = std::make_unique<SaverDisplay>(*settings_, *paneDrawing_, sound_, platform_, host);
  display_->Load(PointerAtLoad::Shown);
  SetTimer(hwnd(), kSoundTimer, SaverDisplay::kTimerMilliseconds, nullptr);
  SetTimer(hwnd(), kPauseTimer, SaverDisplay::kTimerMilliseconds, nullptr);
  loaded_ = true;
}

std::optional<LRESULT> LivePreview::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_TIMER:
      // A preview never outlives its pane, even if the pane's end is missed.
      if (wParam == kHostWatch && !IsWindow(host_)) DestroyWindow(hwnd());
      if (wParam == kSoundTimer && display_) display_->OnSoundTimer();
      if (wParam == kPauseTimer && display_) display_->OnPauseTimer();
      return 0;
    case WM_DESTROY:
      if (display_) display_->Unload();
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  if (message == WM_PAINT && (!drawing_ || !drawing_->presenter().HasFrame())) {
    // Until the first frame: the still picture.
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd(), &paint);
    RECT client;
    GetClientRect(hwnd(), &client);
    image1_.Paint(dc, client);
    EndPaint(hwnd(), &paint);
    return 0;
  }
  if (!drawing_) return std::nullopt;
  LRESULT result = 0;
  // Input goes nowhere: the events of input are empty here.
  if (drawing_->HandleWindowMessage(message, wParam, lParam, &result)) return result;
  return std::nullopt;
}

}  // namespace

std::unique_ptr<PreviewWindow> PreviewWindow::Create(HINSTANCE instance, HWND host,
                                                     const std::wstring& settingsKey) {
  if (!host || !IsWindow(host)) return nullptr;
  auto preview = std::make_unique<LivePreview>(instance, host, settingsKey);
  if (!preview->hwnd()) return nullptr;
  preview->Embed();
  preview->Load();
  return preview;
}

int RunPreview(HINSTANCE instance, HWND parentWindow) {
  const std::unique_ptr<PreviewWindow> preview = PreviewWindow::Create(instance, parentWindow);
  if (!preview) return 0;
  return preview->RunMessageLoop();
}

}  // namespace skyvault::win32
