// Touches KWin's screen as a touchscreen would, through KWin's fake-input
// protocol (KWin started with KWIN_WAYLAND_NO_PERMISSION_CHECKS=1). Its
// device, and with it the seat's touch, is there from the start until the
// process ends. Prints "ready" once it is; then each line "tap X Y" on
// standard input puts a finger down at X,Y and lifts it, and is answered
// "done" once KWin has it.
#include <wayland-client.h>

#include <cstdio>
#include <cstring>

#include "fake-input.h"

static org_kde_kwin_fake_input* fakeInput;

static void OnGlobal(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
  if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0) {
    fakeInput = static_cast<org_kde_kwin_fake_input*>(
        wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 2));
  }
}
static void OnGlobalRemove(void*, wl_registry*, uint32_t) {}
static const wl_registry_listener registryListener = {OnGlobal, OnGlobalRemove};

int main() {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return 1;
  wl_registry_add_listener(wl_display_get_registry(display), &registryListener, nullptr);
  wl_display_roundtrip(display);
  if (!fakeInput) {
    std::fputs("fake_touch: the compositor offers no fake input\n", stderr);
    return 1;
  }
  org_kde_kwin_fake_input_authenticate(fakeInput, "kelvaris tests", "touches the saver");
  if (wl_display_roundtrip(display) < 0) return 1;
  std::puts("ready");
  std::fflush(stdout);
  int x = 0, y = 0;
  while (std::scanf(" tap %d %d", &x, &y) == 2) {
    org_kde_kwin_fake_input_touch_down(fakeInput, 0, wl_fixed_from_int(x), wl_fixed_from_int(y));
    org_kde_kwin_fake_input_touch_frame(fakeInput);
    org_kde_kwin_fake_input_touch_up(fakeInput, 0);
    org_kde_kwin_fake_input_touch_frame(fakeInput);
    if (wl_display_roundtrip(display) < 0) return 1;
    std::puts("done");
    std::fflush(stdout);
  }
  return 0;
}
