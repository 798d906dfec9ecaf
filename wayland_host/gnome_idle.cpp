// GNOME's idle monitor, where the compositor (Mutter) has no idle protocol:
// a watch on the session bus fires once the user has been idle for the time
// asked, and again each time after new input. Its session manager says
// whether an application inhibits idling; the time it does is left out by
// waiting until the last inhibitor goes.
#include "wayland_host.h"

static const char kMonitor[] = "org.gnome.Mutter.IdleMonitor";
static const char kMonitorPath[] = "/org/gnome/Mutter/IdleMonitor/Core";
static const char kSession[] = "org.gnome.SessionManager";
static const char kSessionPath[] = "/org/gnome/SessionManager";
// GNOME's session manager's flag for inhibiting the session being marked idle.
static const uint32_t kInhibitIdle = 8;

// Whether an application inhibits idling; false where there is no session
// manager to say so.
static bool IdleInhibited() {
  sd_bus_message* reply = nullptr;
  int inhibited = 0;
  if (sd_bus_call_method(waylandHostState.sessionBus, kSession, kSessionPath, kSession, "IsInhibited",
                         nullptr, &reply, "u", kInhibitIdle) < 0 ||
      sd_bus_message_read(reply, "b", &inhibited) < 0)
    inhibited = 0;
  sd_bus_message_unref(reply);
  return inhibited;
}

// The user's idle time in milliseconds, or 0 where the monitor does not say.
static uint64_t IdleTime() {
  sd_bus_message* reply = nullptr;
  uint64_t idle = 0;
  if (sd_bus_call_method(waylandHostState.sessionBus, kMonitor, kMonitorPath, kMonitor, "GetIdletime",
                         nullptr, &reply, "") < 0 ||
      sd_bus_message_read(reply, "t", &idle) < 0)
    idle = 0;
  sd_bus_message_unref(reply);
  return idle;
}

static int OnWatchFired(sd_bus_message* message, void*, sd_bus_error*) {
  WaylandHostState& w = waylandHostState;
  uint32_t watch = 0;
  if (sd_bus_message_read(message, "u", &watch) < 0 || watch != w.gnomeIdleWatch) return 0;
  w.gnomeIdleInhibited = IdleInhibited();
  w.gnomeIdle = !w.gnomeIdleInhibited;
  return 0;
}

// The last inhibitor gone while the user stayed idle: idle now.
static int OnInhibitorRemoved(sd_bus_message*, void*, sd_bus_error*) {
  WaylandHostState& w = waylandHostState;
  if (!w.gnomeIdleInhibited || IdleInhibited()) return 0;
  w.gnomeIdleInhibited = false;
  w.gnomeIdle = IdleTime() >= w.idleMilliseconds;
  return 0;
}

bool OpenGnomeIdleWatch() {
  WaylandHostState& w = waylandHostState;
  if (sd_bus_open_user(&w.sessionBus) < 0) {
    w.sessionBus = nullptr;
    return false;
  }
  sd_bus_message* reply = nullptr;
  const bool watching =
      sd_bus_match_signal(w.sessionBus, nullptr, kMonitor, kMonitorPath, kMonitor, "WatchFired", OnWatchFired,
                          nullptr) >= 0 &&
      sd_bus_match_signal(w.sessionBus, nullptr, kSession, kSessionPath, kSession, "InhibitorRemoved",
                          OnInhibitorRemoved, nullptr) >= 0 &&
      sd_bus_call_method(w.sessionBus, kMonitor, kMonitorPath, kMonitor, "AddIdleWatch", nullptr, &reply, "t",
                         static_cast<uint64_t>(w.idleMilliseconds)) >= 0 &&
      sd_bus_message_read(reply, "u", &w.gnomeIdleWatch) >= 0;
  sd_bus_message_unref(reply);
  if (!watching) CloseGnomeIdleWatch();
  return watching;
}

void ProcessGnomeIdleWatch() {
  while (sd_bus_process(waylandHostState.sessionBus, nullptr) > 0) {
  }
}

void CloseGnomeIdleWatch() {
  WaylandHostState& w = waylandHostState;
  w.sessionBus = sd_bus_flush_close_unref(w.sessionBus);
  w.gnomeIdleWatch = 0;
}
