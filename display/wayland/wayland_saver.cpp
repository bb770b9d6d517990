#include "display/wayland/wayland_saver.h"

#include <malloc.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "controls/frame_schedule.h"
#include "controls/wayland/wayland_drawing_control.h"
#include "display/linux/saver_loop.h"
#include "display/saver_display.h"
#include "fractional_scale_v1.h"
#include "platform/linux/linux_platform_services.h"
#include "viewporter.h"
#include "wlr_layer_shell_unstable_v1.h"
#include "xdg_shell.h"

namespace skyvault {
namespace {

// How long the surfaces may take to get their first size before the
// saver starts without the ones still waiting.
constexpr int64_t kConfigureWaitNanoseconds = 2'000'000'000;
// The first seconds, in which the pictures' loading ends.
constexpr int kTrimSeconds = 5;

template <typename T>
T* Bind(wl_registry* registry, uint32_t name, const wl_interface* interface, uint32_t offered,
        uint32_t wanted) {
  return static_cast<T*>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

}  // namespace

// SaverDisplay's host (the drawing control's events go to SaverDisplay
// itself); the listener of the registry, the seat and its keyboard and
// pointer.
class WaylandSaver::Impl : private DisplayHost {
 public:
  Impl(wl_display* display, SettingsStore& settings, SoundControl& sound,
       WaylandSaverOptions options);
  ~Impl() override;
  bool Usable() const { return usable_; }
  SaverLoopCounts Run(int signalFd);

  // The compositor's events (from the listener tables below).
  void Global(uint32_t name, const char* interface, uint32_t version);
  void GlobalRemoved(uint32_t name);
  void SeatCapabilities(uint32_t capabilities);
  void PointerEntered(wl_pointer* pointer, uint32_t serial);
  void PointerMoved(wl_fixed_t x, wl_fixed_t y);
  void ButtonPressed() {
    if (!display_->finished()) display_->OnMouseButton();
  }
  void KeyPressed() {
    if (!display_->finished()) display_->OnKey();
  }

 private:
  // DisplayHost
  void UnloadOtherWindows() override {}
  void UnloadDisplayWindow() override;
  void EndProgram() override { quit_ = true; }

  void Dispatch();
  void Flush();
  // Surfaces the compositor closed: an output that went takes its own; a
  // surface closed on an output still there ends the saver.
  void CheckClosedSurfaces();
  void ClosedFromOutside();
  void WaitForSizes();
  void ApplyCursor();

  wl_display* display_wl_;
  wl_registry* registry_ = nullptr;
  WaylandShell shell_;
  wl_seat* seat_ = nullptr;
  wl_keyboard* keyboard_ = nullptr;
  wl_pointer* pointer_ = nullptr;
  uint32_t pointerSerial_ = 0;
  bool cursorHidden_ = true;
  std::vector<std::pair<wl_output*, uint32_t>> earlyOutputs_;  // before the shell was known
  bool usable_ = false;
  bool quit_ = false;
  bool lost_ = false;
  double runSeconds_;
  PointerMoveFilter moves_{PointerMoveFilter::FirstReport::Moves};  // motion means a move
  LinuxPlatformServices platform_;
  std::unique_ptr<WaylandDrawingControl> drawing_;
  std::unique_ptr<DrawingControl> wrappedDrawing_;
  std::unique_ptr<SaverDisplay> display_;
};

namespace {

WaylandSaver::Impl* Of(void* data) { return static_cast<WaylandSaver::Impl*>(data); }

void RegistryGlobal(void* data, wl_registry*, uint32_t name, const char* interface,
                    uint32_t version) {
  Of(data)->Global(name, interface, version);
}
void RegistryGlobalRemove(void* data, wl_registry*, uint32_t name) {
  Of(data)->GlobalRemoved(name);
}
const wl_registry_listener kRegistryListener = {&RegistryGlobal, &RegistryGlobalRemove};

void WmBasePing(void*, xdg_wm_base* base, uint32_t serial) { xdg_wm_base_pong(base, serial); }
const xdg_wm_base_listener kWmBaseListener = {&WmBasePing};

void SeatCapabilitiesEvent(void* data, wl_seat*, uint32_t capabilities) {
  Of(data)->SeatCapabilities(capabilities);
}
void SeatName(void*, wl_seat*, const char*) {}
const wl_seat_listener kSeatListener = {&SeatCapabilitiesEvent, &SeatName};

void KeyboardKeymap(void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) { close(fd); }
void KeyboardEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
void KeyboardLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
void KeyboardKey(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t state) {
  if (state == WL_KEYBOARD_KEY_STATE_PRESSED) Of(data)->KeyPressed();
}
void KeyboardModifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
void KeyboardRepeat(void*, wl_keyboard*, int32_t, int32_t) {}
const wl_keyboard_listener kKeyboardListener = {&KeyboardKeymap,    &KeyboardEnter,
                                                &KeyboardLeave,     &KeyboardKey,
                                                &KeyboardModifiers, &KeyboardRepeat};

void PointerEnter(void* data, wl_pointer* pointer, uint32_t serial, wl_surface*, wl_fixed_t,
                  wl_fixed_t) {
  Of(data)->PointerEntered(pointer, serial);
}
void PointerLeave(void*, wl_pointer*, uint32_t, wl_surface*) {}
void PointerMotion(void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
  Of(data)->PointerMoved(x, y);
}
void PointerButton(void* data, wl_pointer*, uint32_t, uint32_t, uint32_t, uint32_t state) {
  if (state == WL_POINTER_BUTTON_STATE_PRESSED) Of(data)->ButtonPressed();
}
// The wheel's turns (axis events) end nothing, as on the other platforms.
void PointerAxis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}
void PointerFrame(void*, wl_pointer*) {}
void PointerAxisSource(void*, wl_pointer*, uint32_t) {}
void PointerAxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
void PointerAxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}
const wl_pointer_listener kPointerListener = {
    &PointerEnter, &PointerLeave,      &PointerMotion,   &PointerButton,       &PointerAxis,
    &PointerFrame, &PointerAxisSource, &PointerAxisStop, &PointerAxisDiscrete, nullptr};

}  // namespace

WaylandSaver::Impl::Impl(wl_display* display, SettingsStore& settings, SoundControl& sound,
                         WaylandSaverOptions options)
    : display_wl_(display), runSeconds_(options.runSeconds) {
  shell_.useXdgShell = options.xdgShell;
  registry_ = wl_display_get_registry(display_wl_);
  wl_registry_add_listener(registry_, &kRegistryListener, this);
  wl_display_roundtrip(display_wl_);  // the globals
  usable_ = shell_.compositor && shell_.shm && (shell_.layerShell || shell_.wmBase);
  if (shell_.useXdgShell && !shell_.wmBase) usable_ = false;

  drawing_ = std::make_unique<WaylandDrawingControl>(shell_, std::move(options.decoder));
  drawing_->ShowRedraws(options.showRedraws);
  if (usable_) {
    for (const auto& [output, name] : earlyOutputs_) drawing_->host().AddOutput(output, name);
  } else {
    for (const auto& output : earlyOutputs_) wl_output_destroy(output.first);
  }
  earlyOutputs_.clear();
  platform_.showCursor = [this](bool show) {
    cursorHidden_ = !show;
    ApplyCursor();
  };
  DrawingControl* drawing = drawing_.get();
  if (options.wrapDrawing) {
    wrappedDrawing_ = options.wrapDrawing(*drawing_);
    if (wrappedDrawing_) drawing = wrappedDrawing_.get();
  }
  DisplayHost& host = *this;
  display_ = std::make_unique<SaverDisplay>(settings, *drawing, sound, platform_, host);
  drawing_->SetEvents(display_.get());
}

WaylandSaver::Impl::~Impl() {
  display_.reset();
  wrappedDrawing_.reset();
  drawing_.reset();
  if (keyboard_) wl_keyboard_destroy(keyboard_);
  if (pointer_) wl_pointer_destroy(pointer_);
  if (seat_) wl_seat_destroy(seat_);
  if (shell_.layerShell) zwlr_layer_shell_v1_destroy(shell_.layerShell);
  if (shell_.wmBase) xdg_wm_base_destroy(shell_.wmBase);
  if (shell_.fractionalScale) wp_fractional_scale_manager_v1_destroy(shell_.fractionalScale);
  if (shell_.viewporter) wp_viewporter_destroy(shell_.viewporter);
  if (shell_.shm) wl_shm_destroy(shell_.shm);
  if (shell_.compositor) wl_compositor_destroy(shell_.compositor);
  if (registry_) wl_registry_destroy(registry_);
  if (!lost_) wl_display_roundtrip(display_wl_);  // the surfaces go at once
}

void WaylandSaver::Impl::Global(uint32_t name, const char* interface, uint32_t version) {
  if (std::strcmp(interface, wl_compositor_interface.name) == 0 && !shell_.compositor) {
    shell_.compositor = Bind<wl_compositor>(registry_, name, &wl_compositor_interface, version, 4);
    shell_.compositorVersion = std::min<uint32_t>(version, 4);
  } else if (std::strcmp(interface, wl_shm_interface.name) == 0 && !shell_.shm) {
    shell_.shm = Bind<wl_shm>(registry_, name, &wl_shm_interface, version, 1);
  } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0 &&
             !shell_.layerShell) {
    shell_.layerShell =
        Bind<zwlr_layer_shell_v1>(registry_, name, &zwlr_layer_shell_v1_interface, version, 3);
  } else if (std::strcmp(interface, wp_viewporter_interface.name) == 0 && !shell_.viewporter) {
    shell_.viewporter = Bind<wp_viewporter>(registry_, name, &wp_viewporter_interface, version, 1);
  } else if (std::strcmp(interface, wp_fractional_scale_manager_v1_interface.name) == 0 &&
             !shell_.fractionalScale) {
    shell_.fractionalScale = Bind<wp_fractional_scale_manager_v1>(
        registry_, name, &wp_fractional_scale_manager_v1_interface, version, 1);
  } else if (std::strcmp(interface, xdg_wm_base_interface.name) == 0 && !shell_.wmBase) {
    shell_.wmBase = Bind<xdg_wm_base>(registry_, name, &xdg_wm_base_interface, version, 1);
    xdg_wm_base_add_listener(shell_.wmBase, &kWmBaseListener, this);
  } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !seat_) {
    seat_ = Bind<wl_seat>(registry_, name, &wl_seat_interface, version, 5);
    wl_seat_add_listener(seat_, &kSeatListener, this);
  } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
    auto* output = Bind<wl_output>(registry_, name, &wl_output_interface, version, 3);
    if (drawing_ && usable_) {
      drawing_->host().AddOutput(output, name);
    } else if (!drawing_) {
      earlyOutputs_.emplace_back(output, name);
    } else {
      wl_output_destroy(output);
    }
  }
}

void WaylandSaver::Impl::GlobalRemoved(uint32_t name) {
  if (drawing_) drawing_->host().RemoveOutput(name);
}

void WaylandSaver::Impl::SeatCapabilities(uint32_t capabilities) {
  const bool keys = capabilities & WL_SEAT_CAPABILITY_KEYBOARD;
  const bool pointer = capabilities & WL_SEAT_CAPABILITY_POINTER;
  if (keys && !keyboard_) {
    keyboard_ = wl_seat_get_keyboard(seat_);
    wl_keyboard_add_listener(keyboard_, &kKeyboardListener, this);
  } else if (!keys && keyboard_) {
    wl_keyboard_destroy(keyboard_);
    keyboard_ = nullptr;
  }
  if (pointer && !pointer_) {
    pointer_ = wl_seat_get_pointer(seat_);
    wl_pointer_add_listener(pointer_, &kPointerListener, this);
  } else if (!pointer && pointer_) {
    wl_pointer_destroy(pointer_);
    pointer_ = nullptr;
  }
}

void WaylandSaver::Impl::PointerEntered(wl_pointer*, uint32_t serial) {
  // Entering a surface is no move; the motions after it are.
  pointerSerial_ = serial;
  moves_.Reset();
  ApplyCursor();
}

void WaylandSaver::Impl::ApplyCursor() {
  if (pointer_ && pointerSerial_ && cursorHidden_) {
    wl_pointer_set_cursor(pointer_, pointerSerial_, nullptr, 0, 0);
  }
}

void WaylandSaver::Impl::PointerMoved(wl_fixed_t x, wl_fixed_t y) {
  if (display_->finished()) return;
  if (moves_.Moved(x, y)) display_->OnPointerMove();  // in 1/256 pixels
}

void WaylandSaver::Impl::UnloadDisplayWindow() {
  // As the surfaces go, their unload handler runs.
  display_->Unload();
  quit_ = true;
}

void WaylandSaver::Impl::ClosedFromOutside() {
  if (!display_->finished()) display_->Unload();
  quit_ = true;
}

void WaylandSaver::Impl::CheckClosedSurfaces() {
  const auto& outputs = drawing_->host().outputs();
  if (std::none_of(outputs.begin(), outputs.end(), [](const auto& o) { return o->closed(); })) {
    return;
  }
  // The compositor closes the surface of an output it takes away before it
  // removes the output: hear the removal first.
  if (wl_display_roundtrip(display_wl_) < 0) {
    lost_ = true;
    ClosedFromOutside();
    return;
  }
  if (drawing_->host().DropClosed()) ClosedFromOutside();
}

void WaylandSaver::Impl::Dispatch() {
  if (lost_) return;
  bool failed = wl_display_dispatch_pending(display_wl_) < 0;
  pollfd check{wl_display_get_fd(display_wl_), POLLIN, 0};
  if (!failed && poll(&check, 1, 0) > 0) failed = wl_display_dispatch(display_wl_) < 0;
  if (failed) {
    // The compositor is gone: nothing can be shown or heard from it again.
    lost_ = true;
    ClosedFromOutside();
    return;
  }
  CheckClosedSurfaces();
}

void WaylandSaver::Impl::Flush() {
  if (!lost_ && wl_display_flush(display_wl_) < 0 && errno != EAGAIN) {
    lost_ = true;
    ClosedFromOutside();
  }
}

void WaylandSaver::Impl::WaitForSizes() {
  const int64_t until = MonotonicNanoseconds() + kConfigureWaitNanoseconds;
  while (!lost_ && !drawing_->host().AllConfigured()) {
    Flush();
    const int64_t left = until - MonotonicNanoseconds();
    if (left <= 0) break;
    pollfd wait{wl_display_get_fd(display_wl_), POLLIN, 0};
    if (poll(&wait, 1, static_cast<int>(left / 1'000'000) + 1) > 0) Dispatch();
  }
}

SaverLoopCounts WaylandSaver::Impl::Run(int signalFd) {
  wl_display_roundtrip(display_wl_);  // the outputs' modes and scales, the first sizes
  WaitForSizes();
  if (quit_) return {};  // the compositor went while the surfaces waited
  display_->Load();

  SaverConnection connection;
  connection.fd = wl_display_get_fd(display_wl_);
  connection.dispatch = [this] { Dispatch(); };
  connection.flush = [this] { Flush(); };
  // Frame callbacks and releases that let a held frame go are heard at once;
  // the others wait for the next frame.
  connection.awaited = [this] { return !lost_ && drawing_->host().FrameHeldBack(); };
  SaverLoopHandlers handlers;
  handlers.frame = [this] {
    if (!display_->finished()) drawing_->RaiseFrame();
  };
  int seconds = 0;
  handlers.timers = [this, &seconds] {
    display_->OnSoundTimer();
    display_->OnPauseTimer();
    // Loading resamples every picture at once, on all cores; what those
    // threads' heaps keep once it is done goes back to the system.
    if (++seconds <= kTrimSeconds) malloc_trim(0);
  };
  handlers.signal = [this] { ClosedFromOutside(); };
  handlers.done = [this] { return quit_ || display_->finished(); };
  const int64_t deadline =
      runSeconds_ > 0 ? MonotonicNanoseconds() + static_cast<int64_t>(runSeconds_ * 1e9) : 0;
  const SaverLoopCounts counts =
      RunSaverLoop(connection, signalFd, handlers, SaverDisplay::kFramesPerSecond,
                   SaverDisplay::kTimerMilliseconds, deadline);
  if (!display_->finished()) display_->Unload();
  return counts;
}

WaylandSaver::WaylandSaver(wl_display* display, SettingsStore& settings, SoundControl& sound,
                           WaylandSaverOptions options)
    : impl_(std::make_unique<Impl>(display, settings, sound, std::move(options))) {}

WaylandSaver::~WaylandSaver() = default;

bool WaylandSaver::Usable() const { return impl_->Usable(); }

SaverLoopCounts WaylandSaver::Run(int signalFd) { return impl_->Run(signalFd); }

}  // namespace skyvault
