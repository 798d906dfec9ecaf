#include <sys/mman.h>
#include <unistd.h>

#include <cmath>

#include "wayland_host.h"

// How far the pointer may travel over the saver (in surface coordinates,
// across plus down) before it ends it, as the Windows saver allows a
// jittery mouse.
static const double kPointerTravelThreshold = 4;

static bool Saver() { return waylandHostState.mode == WaylandMode::kSaver; }

static void EndBySaverInput() {
  if (Saver()) waylandHostState.ended = true;
}

static void OnKeymap(void*, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
  WaylandHostState& w = waylandHostState;
  if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1) {
    void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (text != MAP_FAILED) {
      if (!w.xkbContext) w.xkbContext = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
      xkb_keymap* keymap = xkb_keymap_new_from_string(w.xkbContext, static_cast<const char*>(text),
                                                      XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
      munmap(text, size);
      if (keymap) {
        if (w.xkbState) xkb_state_unref(w.xkbState);
        if (w.keymap) xkb_keymap_unref(w.keymap);
        w.keymap = keymap;
        w.xkbState = xkb_state_new(keymap);
      }
    }
  }
  close(fd);
}
static void OnKeyboardEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
static void OnKeyboardLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
// Any key ends the saver; Escape and q close the window.
static void OnKey(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
  WaylandHostState& w = waylandHostState;
  if (state != WL_KEYBOARD_KEY_STATE_PRESSED) return;
  EndBySaverInput();
  if (w.mode != WaylandMode::kWindow || !w.xkbState) return;
  // Wayland sends evdev key codes; XKB counts them from 8.
  const xkb_keysym_t symbol = xkb_state_key_get_one_sym(w.xkbState, key + 8);
  if (symbol == XKB_KEY_Escape || symbol == XKB_KEY_q) w.ended = true;
}
static void OnModifiers(void*, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched, uint32_t locked,
                        uint32_t group) {
  if (waylandHostState.xkbState)
    xkb_state_update_mask(waylandHostState.xkbState, depressed, latched, locked, 0, 0, group);
}
static void OnRepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}
static const wl_keyboard_listener keyboardListener = {OnKeymap, OnKeyboardEnter, OnKeyboardLeave,
                                                      OnKey,    OnModifiers,     OnRepeatInfo};

// Over the saver the pointer is hidden, and its travel is measured from
// where it entered.
static void OnPointerEnter(void*, wl_pointer* pointer, uint32_t serial, wl_surface*, wl_fixed_t x, wl_fixed_t y) {
  WaylandHostState& w = waylandHostState;
  if (!Saver()) return;
  wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
  w.pointerPlaced = true;
  w.pointerStartX = wl_fixed_to_double(x);
  w.pointerStartY = wl_fixed_to_double(y);
}
static void OnPointerLeave(void*, wl_pointer*, uint32_t, wl_surface*) { waylandHostState.pointerPlaced = false; }
static void OnMotion(void*, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
  const WaylandHostState& w = waylandHostState;
  if (!w.pointerPlaced) return;
  const double travel =
      std::fabs(wl_fixed_to_double(x) - w.pointerStartX) + std::fabs(wl_fixed_to_double(y) - w.pointerStartY);
  if (travel > kPointerTravelThreshold) EndBySaverInput();
}
static void OnButton(void*, wl_pointer*, uint32_t, uint32_t, uint32_t, uint32_t state) {
  if (state == WL_POINTER_BUTTON_STATE_PRESSED) EndBySaverInput();
}
static void OnAxis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) { EndBySaverInput(); }
static void OnFrame(void*, wl_pointer*) {}
static void OnAxisSource(void*, wl_pointer*, uint32_t) {}
static void OnAxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
static void OnAxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}
// Member by member: newer Wayland versions add events at the end, which
// the seat version bound here never sends.
static const wl_pointer_listener pointerListener = [] {
  wl_pointer_listener listener = {};
  listener.enter = OnPointerEnter;
  listener.leave = OnPointerLeave;
  listener.motion = OnMotion;
  listener.button = OnButton;
  listener.axis = OnAxis;
  listener.frame = OnFrame;
  listener.axis_source = OnAxisSource;
  listener.axis_stop = OnAxisStop;
  listener.axis_discrete = OnAxisDiscrete;
  return listener;
}();

static void OnTouchDown(void*, wl_touch*, uint32_t, uint32_t, wl_surface*, int32_t, wl_fixed_t, wl_fixed_t) {
  EndBySaverInput();
}
static void OnTouchUp(void*, wl_touch*, uint32_t, uint32_t, int32_t) {}
static void OnTouchMotion(void*, wl_touch*, uint32_t, int32_t, wl_fixed_t, wl_fixed_t) {}
static void OnTouchFrame(void*, wl_touch*) {}
static void OnTouchCancel(void*, wl_touch*) {}
static void OnTouchShape(void*, wl_touch*, int32_t, wl_fixed_t, wl_fixed_t) {}
static void OnTouchOrientation(void*, wl_touch*, int32_t, wl_fixed_t) {}
static const wl_touch_listener touchListener = {OnTouchDown,  OnTouchUp,    OnTouchMotion,     OnTouchFrame,
                                                OnTouchCancel, OnTouchShape, OnTouchOrientation};

static void OnCapabilities(void*, wl_seat* seat, uint32_t capabilities) {
  WaylandHostState& w = waylandHostState;
  const bool keyboard = capabilities & WL_SEAT_CAPABILITY_KEYBOARD;
  const bool pointer = capabilities & WL_SEAT_CAPABILITY_POINTER;
  const bool touch = capabilities & WL_SEAT_CAPABILITY_TOUCH;
  if (keyboard && !w.keyboard) {
    w.keyboard = wl_seat_get_keyboard(seat);
    wl_keyboard_add_listener(w.keyboard, &keyboardListener, nullptr);
  } else if (!keyboard && w.keyboard) {
    wl_keyboard_release(w.keyboard);
    w.keyboard = nullptr;
  }
  if (pointer && !w.pointer) {
    w.pointer = wl_seat_get_pointer(seat);
    wl_pointer_add_listener(w.pointer, &pointerListener, nullptr);
  } else if (!pointer && w.pointer) {
    wl_pointer_release(w.pointer);
    w.pointer = nullptr;
    w.pointerPlaced = false;
  }
  if (touch && !w.touch) {
    w.touch = wl_seat_get_touch(seat);
    wl_touch_add_listener(w.touch, &touchListener, nullptr);
  } else if (!touch && w.touch) {
    wl_touch_release(w.touch);
    w.touch = nullptr;
  }
}
static void OnSeatName(void*, wl_seat*, const char*) {}
static const wl_seat_listener seatListener = {OnCapabilities, OnSeatName};

void BindSeatInput(wl_seat* seat) { wl_seat_add_listener(seat, &seatListener, nullptr); }
