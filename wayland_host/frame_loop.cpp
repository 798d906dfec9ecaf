// The frames: the compositor's events are waited for with the stop signals
// let in; a surface is drawn once the compositor will show its frame and a
// tick of the animation has passed, or its size or scale changed.
#include <poll.h>

#include <cerrno>
#include <ctime>

#include "frame_step.h"
#include "posix_time.h"
#include "renderer.h"
#include "stop_signal.h"
#include "wayland_host.h"

// Whether the compositor would show a frame drawn for the surface now: it
// is sized, and the frame before has been shown (its callback came).
static bool Ready(const Surface& surface) {
  return surface.eglSurface && surface.configured && !surface.frameCallback;
}

// Draws the scene whole on the surface at its size, centred and round,
// framed by the narrower side. False when a stop came while drawing: that
// frame is not shown.
static bool DrawOn(Surface& surface, bool showFps, long long now) {
  WaylandHostState& w = waylandHostState;
  if (!eglMakeCurrent(w.eglDisplay, surface.eglSurface, surface.eglSurface, w.eglContext)) return true;
  RendererState& r = rendererState;
  r.clientWidth = surface.bufferWidth;
  r.clientHeight = surface.bufferHeight;
  r.viewportCount = 0;
  if (!w.sceneReady) {
    InitSceneGl();
    w.sceneReady = true;
  }
  ApplyViewport({0, 0, r.clientWidth, r.clientHeight}, MonitorFieldOfView(r.clientWidth, r.clientHeight));
  if (!DrawFrameUnlessStopped(showFps, surface.frameRate, now)) return false;
  surface.frameCallback = wl_surface_frame(surface.surface);
  wl_callback_add_listener(surface.frameCallback, &frameDoneListener, &surface);
  eglSwapBuffers(w.eglDisplay, surface.eglSurface);
  surface.stale = false;
  return true;
}

// Waits for the compositor's events, at most `timeout` nanoseconds (< 0: no
// limit), with the stop signals let in; false when the connection is lost.
static bool WaitAndDispatch(long long timeout, const sigset_t& waiting) {
  wl_display* display = waylandHostState.display;
  while (wl_display_prepare_read(display) != 0) {
    if (wl_display_dispatch_pending(display) < 0) return false;
  }
  if (wl_display_flush(display) < 0 && errno != EAGAIN) {
    wl_display_cancel_read(display);
    return false;
  }
  // With GNOME's idle monitor, its session bus too.
  sd_bus* bus = waylandHostState.sessionBus;
  pollfd connections[2] = {{wl_display_get_fd(display), POLLIN, 0}, {-1, 0, 0}};
  if (bus) connections[1] = {sd_bus_get_fd(bus), static_cast<short>(sd_bus_get_events(bus)), 0};
  const timespec limit = {static_cast<time_t>(timeout / kNanosecondsPerSecond),
                          static_cast<long>(timeout % kNanosecondsPerSecond)};
  const int ready = ppoll(connections, bus ? 2 : 1, timeout < 0 ? nullptr : &limit, &waiting);
  if (ready > 0 && (connections[0].revents & POLLIN)) {
    if (wl_display_read_events(display) < 0) return false;
  } else {
    wl_display_cancel_read(display);
    if (connections[0].revents) return false;  // hung up, or an error on the connection
  }
  if (bus) ProcessGnomeIdleWatch();
  return wl_display_dispatch_pending(display) >= 0;
}

// Every surface of ours: one on each output, and the window.
template <typename Visit>
static void ForEachSurface(Visit visit) {
  WaylandHostState& w = waylandHostState;
  for (Output& output : w.outputs)
    if (output.output) visit(output.surface);
  visit(w.window);
}

// With --idle, whether the run goes on: the saver ended by input is hidden
// until the user is idle again, and shown once they are.
static bool FollowIdle() {
  WaylandHostState& w = waylandHostState;
  if (!w.idleMilliseconds) return !w.ended;
  if (w.ended) {
    ShowOutputSurfaces(false);
    ForgetIdle();
    w.ended = false;
  }
  if (!w.showing && UserIdle()) ShowOutputSurfaces(true);
  return true;
}

bool RunWaylandFrames(const WaylandOptions& options, const sigset_t& waiting) {
  WaylandHostState& w = waylandHostState;
  const long long interval = options.scene.delayMicroseconds * 1000LL;
  long long lastTick = NowNanoseconds();
  long long timeout = 0;  // the surfaces configured while connecting are drawn at once
  while (!w.ended) {
    if (!WaitAndDispatch(timeout, waiting)) return false;
    if (stopSignal) return false;
    if (!FollowIdle()) break;

    bool anyReady = false, anyStale = false;
    ForEachSurface([&](const Surface& surface) {
      if (!Ready(surface)) return;
      anyReady = true;
      anyStale = anyStale || surface.stale;
    });
    timeout = -1;  // nothing to draw until the compositor says so
    if (!anyReady) continue;
    // Ticks follow the time passed, whatever the outputs' refresh rates, and
    // the scene advances once per tick however many outputs show it.
    const long long now = NowNanoseconds();
    const TicksDue due = TicksDueAt(lastTick, now, interval);
    if (due.ticks == 0 && !anyStale) {
      timeout = lastTick + interval - now;
      continue;
    }
    lastTick = AdvanceSceneBy(due);
    bool stopped = false;
    ForEachSurface([&](Surface& surface) {
      if (!stopped && Ready(surface)) stopped = !DrawOn(surface, options.scene.showFps, now);
    });
    if (stopped) return false;
  }
  return true;
}
