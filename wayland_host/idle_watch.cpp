// With --idle: when the user has been idle for the time asked. The
// compositor's ext-idle-notify-v1, else KDE's idle protocol, watches each
// seat, and leaves out the time an application inhibits idling (a video
// playing); where it offers neither, as on GNOME, its idle monitor on the
// session bus is asked instead.
#include "fault_report.h"
#include "wayland_host.h"

static Seat& SeatOf(void* data) { return *static_cast<Seat*>(data); }

static void OnIdleNotificationIdled(void* data, ext_idle_notification_v1*) { SeatOf(data).idle = true; }
static void OnIdleNotificationResumed(void* data, ext_idle_notification_v1*) { SeatOf(data).idle = false; }
static const ext_idle_notification_v1_listener idleNotificationListener = {OnIdleNotificationIdled,
                                                                           OnIdleNotificationResumed};

static void OnIdleTimeoutIdle(void* data, org_kde_kwin_idle_timeout*) { SeatOf(data).idle = true; }
static void OnIdleTimeoutResumed(void* data, org_kde_kwin_idle_timeout*) { SeatOf(data).idle = false; }
static const org_kde_kwin_idle_timeout_listener idleTimeoutListener = {OnIdleTimeoutIdle,
                                                                       OnIdleTimeoutResumed};

void WatchIdleOnSeat(Seat& seat) {
  const WaylandHostState& w = waylandHostState;
  if (!w.idleMilliseconds || seat.idleNotification || seat.idleTimeout) return;
  if (w.idleNotifier) {
    seat.idleNotification =
        ext_idle_notifier_v1_get_idle_notification(w.idleNotifier, w.idleMilliseconds, seat.seat);
    ext_idle_notification_v1_add_listener(seat.idleNotification, &idleNotificationListener, &seat);
  } else if (w.kdeIdle) {
    seat.idleTimeout = org_kde_kwin_idle_get_idle_timeout(w.kdeIdle, seat.seat, w.idleMilliseconds);
    org_kde_kwin_idle_timeout_add_listener(seat.idleTimeout, &idleTimeoutListener, &seat);
  }
}

void ReleaseIdleWatch(Seat& seat) {
  if (seat.idleNotification) ext_idle_notification_v1_destroy(seat.idleNotification);
  if (seat.idleTimeout) org_kde_kwin_idle_timeout_release(seat.idleTimeout);
  seat.idleNotification = nullptr;
  seat.idleTimeout = nullptr;
}

bool StartIdleWatch() {
  WaylandHostState& w = waylandHostState;
  if (!w.idleNotifier && !w.kdeIdle) {
    if (OpenGnomeIdleWatch()) return true;
    return Fail(
        "the compositor offers no idle protocol (ext-idle-notify-v1, org_kde_kwin_idle) and GNOME's "
        "idle monitor does not answer on the session bus: start kelvaris-wayland from an idle daemon "
        "instead");
  }
  for (Seat& seat : w.seats)
    if (seat.seat) WatchIdleOnSeat(seat);
  return true;
}

bool UserIdle() {
  const WaylandHostState& w = waylandHostState;
  if (w.sessionBus) return w.gnomeIdle;
  // Every seat's user: a saver shown while someone works at another seat
  // would interrupt them.
  bool watched = false;
  for (const Seat& seat : w.seats) {
    if (!seat.idleNotification && !seat.idleTimeout) continue;
    if (!seat.idle) return false;
    watched = true;
  }
  return watched;
}

void ForgetIdle() {
  WaylandHostState& w = waylandHostState;
  w.gnomeIdle = false;
  w.gnomeIdleInhibited = false;
}
