// Helper of the Wayland session tests: a pointer device of its own on the
// compositor of $WAYLAND_DISPLAY.
//
//   pointer_probe move N   N motions of 8 pixels, a quarter second apart
//   pointer_probe click    the left button pressed and released
//
// The device appears first and acts half a second later, so that clients
// have bound their pointer to the seat by then.
#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "wlr_virtual_pointer_unstable_v1.h"

namespace {

zwlr_virtual_pointer_manager_v1* manager = nullptr;
wl_seat* seat = nullptr;

void Global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
  if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
    manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
  } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !seat) {
    seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  }
}
void GlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistry = {&Global, &GlobalRemove};

uint32_t Now() {
  using namespace std::chrono;
  return static_cast<uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void Pause(wl_display* display, int milliseconds) {
  wl_display_roundtrip(display);
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string command = argv[1];
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return 2;
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kRegistry, nullptr);
  wl_display_roundtrip(display);
  if (!manager) return 2;
  zwlr_virtual_pointer_v1* pointer =
      zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
  Pause(display, 500);
  if (command == "move" && argc > 2) {
    for (int i = 0, n = std::atoi(argv[2]); i < n; ++i) {
      zwlr_virtual_pointer_v1_motion(pointer, Now(), wl_fixed_from_int(8), wl_fixed_from_int(8));
      zwlr_virtual_pointer_v1_frame(pointer);
      Pause(display, 250);
    }
  } else if (command == "click") {
    zwlr_virtual_pointer_v1_button(pointer, Now(), BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);
    zwlr_virtual_pointer_v1_frame(pointer);
    Pause(display, 50);
    zwlr_virtual_pointer_v1_button(pointer, Now(), BTN_LEFT, WL_POINTER_BUTTON_STATE_RELEASED);
    zwlr_virtual_pointer_v1_frame(pointer);
  } else {
    return 2;
  }
  Pause(display, 100);
  zwlr_virtual_pointer_v1_destroy(pointer);
  zwlr_virtual_pointer_manager_v1_destroy(manager);
  if (seat) wl_seat_destroy(seat);
  wl_registry_destroy(registry);
  wl_display_roundtrip(display);
  wl_display_disconnect(display);
  return 0;
}
