// Gives a headless sway's seat a pointer: sway's `seat seat0 cursor` commands
// move and click only while some client has made one. Keeps it until the
// compositor ends or the process is stopped.
#include <wayland-client.h>

#include <cstdio>
#include <cstring>

#include "wlr-virtual-pointer.h"

static wl_seat* seat;
static zwlr_virtual_pointer_manager_v1* manager;

static void OnGlobal(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
  if (std::strcmp(interface, wl_seat_interface.name) == 0) {
    seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
    manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
  }
}
static void OnGlobalRemove(void*, wl_registry*, uint32_t) {}
static const wl_registry_listener registryListener = {OnGlobal, OnGlobalRemove};

int main() {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return 1;
  wl_registry_add_listener(wl_display_get_registry(display), &registryListener, nullptr);
  wl_display_roundtrip(display);
  if (!seat || !manager) {
    std::fputs("virtual_pointer: the compositor offers no virtual pointer\n", stderr);
    return 1;
  }
  zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
  wl_display_roundtrip(display);
  std::puts("ready");
  std::fflush(stdout);
  while (wl_display_dispatch(display) >= 0) {
  }
  return 0;
}
