// Every seat's keyboards, pointers and touch screens: any input ends the
// saver, Escape or q closes the window, the background takes none.
#include <sys/mman.h>
#include <unistd.h>

#include "measures.h"
#include "wayland_host.h"

static bool Saver() { return waylandHostState.mode == WaylandMode::kSaver; }

static Seat& SeatOf(void* data) { return *static_cast<Seat*>(data); }

// Input on the seat ends the saver. Its user is back: with --idle, that
// seat is idle again only once its watch says so; the other seats' users
// are as they were.
static void EndBySaverInput(Seat& seat) {
  if (!Saver()) return;
  waylandHostState.ended = true;
  seat.idle = false;
}

// The seat's key map, for telling Escape and q in the window.
static void OnKeyboardKeymap(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
  WaylandHostState& w = waylandHostState;
  Seat& seat = SeatOf(data);
  void* text = format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 ? mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0)
                                                          : MAP_FAILED;
  close(fd);
  if (text == MAP_FAILED) return;
  if (!w.xkbContext) w.xkbContext = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  xkb_keymap* keymap = xkb_keymap_new_from_string(w.xkbContext, static_cast<const char*>(text),
                                                  XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
  munmap(text, size);
  if (!keymap) return;
  if (seat.xkbState) xkb_state_unref(seat.xkbState);
  if (seat.keymap) xkb_keymap_unref(seat.keymap);
  seat.keymap = keymap;
  seat.xkbState = xkb_state_new(keymap);
}
static void OnKeyboardEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
static void OnKeyboardLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
static void OnKeyboardKey(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
  WaylandHostState& w = waylandHostState;
  Seat& seat = SeatOf(data);
  if (state != WL_KEYBOARD_KEY_STATE_PRESSED) return;
  EndBySaverInput(seat);
  if (w.mode != WaylandMode::kWindow || !seat.xkbState) return;
  // Wayland sends evdev key codes; XKB counts them from 8.
  const xkb_keysym_t symbol = xkb_state_key_get_one_sym(seat.xkbState, key + 8);
  if (symbol == XKB_KEY_Escape || symbol == XKB_KEY_q) w.ended = true;
}
static void OnKeyboardModifiers(void* data, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched,
                                uint32_t locked, uint32_t group) {
  const Seat& seat = SeatOf(data);
  if (seat.xkbState) xkb_state_update_mask(seat.xkbState, depressed, latched, locked, 0, 0, group);
}
static void OnKeyboardRepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}
static const wl_keyboard_listener keyboardListener = {OnKeyboardKeymap,    OnKeyboardEnter,
                                                      OnKeyboardLeave,     OnKeyboardKey,
                                                      OnKeyboardModifiers, OnKeyboardRepeatInfo};

// Over the saver the pointer is hidden, and its travel is measured from
// where it entered.
static void OnPointerEnter(void* data, wl_pointer* pointer, uint32_t serial, wl_surface*, wl_fixed_t x,
                           wl_fixed_t y) {
  Seat& seat = SeatOf(data);
  if (!Saver()) return;
  wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
  seat.pointerPlaced = true;
  seat.pointerStartX = wl_fixed_to_double(x);
  seat.pointerStartY = wl_fixed_to_double(y);
}
static void OnPointerLeave(void* data, wl_pointer*, uint32_t, wl_surface*) {
  SeatOf(data).pointerPlaced = false;
}
static void OnPointerMotion(void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
  Seat& seat = SeatOf(data);
  if (seat.pointerPlaced &&
      TravelEndsSaver(seat.pointerStartX, seat.pointerStartY, wl_fixed_to_double(x), wl_fixed_to_double(y)))
    EndBySaverInput(seat);
}
static void OnPointerButton(void* data, wl_pointer*, uint32_t, uint32_t, uint32_t, uint32_t state) {
  if (state == WL_POINTER_BUTTON_STATE_PRESSED) EndBySaverInput(SeatOf(data));
}
static void OnPointerAxis(void* data, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {
  EndBySaverInput(SeatOf(data));
}
static void OnPointerFrame(void*, wl_pointer*) {}
static void OnPointerAxisSource(void*, wl_pointer*, uint32_t) {}
static void OnPointerAxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
static void OnPointerAxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}
// Member by member: newer Wayland versions add events at the end, which
// the seat version bound here never sends.
static const wl_pointer_listener pointerListener = [] {
  wl_pointer_listener listener = {};
  listener.enter = OnPointerEnter;
  listener.leave = OnPointerLeave;
  listener.motion = OnPointerMotion;
  listener.button = OnPointerButton;
  listener.axis = OnPointerAxis;
  listener.frame = OnPointerFrame;
  listener.axis_source = OnPointerAxisSource;
  listener.axis_stop = OnPointerAxisStop;
  listener.axis_discrete = OnPointerAxisDiscrete;
  return listener;
}();

static void OnTouchDown(void* data, wl_touch*, uint32_t, uint32_t, wl_surface*, int32_t, wl_fixed_t,
                        wl_fixed_t) {
  EndBySaverInput(SeatOf(data));
}
static void OnTouchUp(void*, wl_touch*, uint32_t, uint32_t, int32_t) {}
static void OnTouchMotion(void*, wl_touch*, uint32_t, int32_t, wl_fixed_t, wl_fixed_t) {}
static void OnTouchFrame(void*, wl_touch*) {}
static void OnTouchCancel(void*, wl_touch*) {}
static void OnTouchShape(void*, wl_touch*, int32_t, wl_fixed_t, wl_fixed_t) {}
static void OnTouchOrientation(void*, wl_touch*, int32_t, wl_fixed_t) {}
static const wl_touch_listener touchListener = {OnTouchDown,   OnTouchUp,    OnTouchMotion,     OnTouchFrame,
                                                OnTouchCancel, OnTouchShape, OnTouchOrientation};

static void ReleaseKeyboard(Seat& seat) {
  wl_keyboard_release(seat.keyboard);
  seat.keyboard = nullptr;
}
static void ReleasePointer(Seat& seat) {
  wl_pointer_release(seat.pointer);
  seat.pointer = nullptr;
  seat.pointerPlaced = false;
}
static void ReleaseTouch(Seat& seat) {
  wl_touch_release(seat.touch);
  seat.touch = nullptr;
}

static void OnSeatCapabilities(void* data, wl_seat* handle, uint32_t capabilities) {
  Seat& seat = SeatOf(data);
  const bool keyboard = capabilities & WL_SEAT_CAPABILITY_KEYBOARD;
  const bool pointer = capabilities & WL_SEAT_CAPABILITY_POINTER;
  const bool touch = capabilities & WL_SEAT_CAPABILITY_TOUCH;
  if (keyboard && !seat.keyboard) {
    seat.keyboard = wl_seat_get_keyboard(handle);
    wl_keyboard_add_listener(seat.keyboard, &keyboardListener, &seat);
  } else if (!keyboard && seat.keyboard) {
    ReleaseKeyboard(seat);
  }
  if (pointer && !seat.pointer) {
    seat.pointer = wl_seat_get_pointer(handle);
    wl_pointer_add_listener(seat.pointer, &pointerListener, &seat);
  } else if (!pointer && seat.pointer) {
    ReleasePointer(seat);
  }
  if (touch && !seat.touch) {
    seat.touch = wl_seat_get_touch(handle);
    wl_touch_add_listener(seat.touch, &touchListener, &seat);
  } else if (!touch && seat.touch) {
    ReleaseTouch(seat);
  }
}
static void OnSeatName(void*, wl_seat*, const char*) {}
static const wl_seat_listener seatListener = {OnSeatCapabilities, OnSeatName};

// Hands a seat back, by its release request where the version bound has one.
static void ReleaseSeatHandle(wl_seat* handle) {
  if (wl_seat_get_version(handle) >= WL_SEAT_RELEASE_SINCE_VERSION) {
    wl_seat_release(handle);
  } else {
    wl_seat_destroy(handle);
  }
}

void AddSeat(wl_seat* handle, uint32_t name) {
  for (Seat& seat : waylandHostState.seats) {
    if (seat.seat) continue;
    seat = {};
    seat.seat = handle;
    seat.name = name;
    wl_seat_add_listener(handle, &seatListener, &seat);
    if (waylandHostState.globalsKnown) WatchIdleOnSeat(seat);
    return;
  }
  ReleaseSeatHandle(handle);
}

void RemoveSeat(uint32_t name) {
  for (Seat& seat : waylandHostState.seats)
    if (seat.seat && seat.name == name) ReleaseSeat(seat);
}

void ReleaseSeat(Seat& seat) {
  if (seat.keyboard) ReleaseKeyboard(seat);
  if (seat.pointer) ReleasePointer(seat);
  if (seat.touch) ReleaseTouch(seat);
  if (seat.xkbState) xkb_state_unref(seat.xkbState);
  if (seat.keymap) xkb_keymap_unref(seat.keymap);
  ReleaseIdleWatch(seat);
  ReleaseSeatHandle(seat.seat);
  seat = {};
}
