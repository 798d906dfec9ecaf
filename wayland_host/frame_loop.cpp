#include <poll.h>

#include <cerrno>
#include <ctime>

#include "frame_rate_text.h"
#include "renderer.h"
#include "scene.h"
#include "stop_signal.h"
#include "wayland_host.h"

// After a pause (every output off or hidden), the animation catches up by
// at most this many ticks, and then goes on from there.
static const int kMaxTicksPerFrame = 4;

static long long NowNanoseconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000000000LL + now.tv_nsec;
}

static void OnFrameDone(void* data, wl_callback* callback, uint32_t) {
  Surface& surface = *static_cast<Surface*>(data);
  wl_callback_destroy(callback);
  surface.frameCallback = nullptr;
}
static const wl_callback_listener frameListener = {OnFrameDone};

// Whether the compositor would show a frame drawn for the surface now: it
// is sized, and the frame before has been shown (its callback came).
static bool Ready(const Surface& surface) {
  return surface.inUse && surface.eglSurface && surface.configured && !surface.frameCallback;
}

// Draws the scene whole on the surface at its size, centred and round,
// framed by the narrower side. False when a stop came while drawing: that
// frame is not shown.
static bool DrawOn(Surface& surface, const WaylandOptions& options, long long now) {
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
  DrawScene();
  if (options.showFps) {
    CountFrame(surface.frameRate, now);
    DrawFrameRateText(surface.frameRate.text);
  }
  // A software renderer draws most of the frame only here, so a stop that
  // came meanwhile is still seen before the frame is shown.
  glFinish();
  stopSignal = PendingStopSignal();
  if (stopSignal) return false;
  surface.frameCallback = wl_surface_frame(surface.surface);
  wl_callback_add_listener(surface.frameCallback, &frameListener, &surface);
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
  pollfd connection = {wl_display_get_fd(display), POLLIN, 0};
  const timespec limit = {static_cast<time_t>(timeout / 1000000000LL), static_cast<long>(timeout % 1000000000LL)};
  const int ready = ppoll(&connection, 1, timeout < 0 ? nullptr : &limit, &waiting);
  if (ready > 0 && (connection.revents & POLLIN)) {
    if (wl_display_read_events(display) < 0) return false;
  } else {
    wl_display_cancel_read(display);
    if (ready > 0) return false;  // hung up, or an error on the connection
  }
  return wl_display_dispatch_pending(display) >= 0;
}

bool RunWaylandFrames(const WaylandOptions& options, const sigset_t& waiting) {
  WaylandHostState& w = waylandHostState;
  const long long interval = options.delayMicroseconds * 1000LL;
  long long lastTick = NowNanoseconds();
  long long timeout = 0;  // the surfaces configured while connecting are drawn at once
  while (!w.ended) {
    if (!WaitAndDispatch(timeout, waiting)) return false;
    if (stopSignal) return false;
    if (w.ended) break;

    bool anyReady = false, anyStale = false;
    for (const Surface& surface : w.surfaces) {
      if (!Ready(surface)) continue;
      anyReady = true;
      anyStale = anyStale || surface.stale;
    }
    timeout = -1;  // nothing to draw until the compositor says so
    if (!anyReady) continue;
    // Ticks follow the time passed, whatever the outputs' refresh rates, and
    // the scene advances once per tick however many outputs show it.
    const long long now = NowNanoseconds();
    long long ticks = interval > 0 ? (now - lastTick) / interval : 1;
    if (ticks == 0 && !anyStale) {
      timeout = lastTick + interval - now;
      continue;
    }
    if (ticks > kMaxTicksPerFrame) {
      ticks = kMaxTicksPerFrame;
      lastTick = now;
    } else if (interval > 0) {
      lastTick += ticks * interval;
    }
    for (long long i = 0; i < ticks; ++i) AdvanceScene();
    for (Surface& surface : w.surfaces) {
      if (Ready(surface) && !DrawOn(surface, options, now)) return false;
    }
  }
  return true;
}
