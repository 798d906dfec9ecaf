#include <X11/keysym.h>
#include <sys/select.h>

#include <cerrno>
#include <ctime>

#include "renderer.h"
#include "scene.h"
#include "x_host.h"

volatile sig_atomic_t stopRequested = 0;

static const long kTickNanoseconds = 10 * 1000 * 1000;  // the animation's 10 ms tick

static long long NowNanoseconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000000000LL + now.tv_nsec;
}

// Handles one event; false when it ends the run.
static bool HandleEvent(const XEvent& event) {
  const XHostState& x = xHostState;
  switch (event.type) {
    case ConfigureNotify:
      // The projection follows the window's size.
      if (event.xconfigure.window == x.window && (event.xconfigure.width != rendererState.clientWidth ||
                                                  event.xconfigure.height != rendererState.clientHeight)) {
        rendererState.clientWidth = event.xconfigure.width;
        rendererState.clientHeight = event.xconfigure.height;
        SetupProjection();
      }
      return true;
    case DestroyNotify:
      if (event.xdestroywindow.window != x.window) return true;
      windowLost = true;
      return false;
    case ClientMessage:
      return static_cast<Atom>(event.xclient.data.l[0]) != x.deleteWindow;
    case KeyPress: {
      const KeySym key = XLookupKeysym(const_cast<XKeyEvent*>(&event.xkey), 0);
      return key != XK_Escape && key != XK_q;
    }
  }
  return true;
}

void RunFrames() {
  Display* display = xHostState.display;
  const int connection = ConnectionNumber(display);
  // SIGTERM and SIGINT are let in only while waiting, so that a stop is
  // seen at once and never lost between the check and the wait.
  sigset_t blocked, waiting;
  sigemptyset(&blocked);
  sigaddset(&blocked, SIGTERM);
  sigaddset(&blocked, SIGINT);
  sigprocmask(SIG_BLOCK, &blocked, &waiting);
  sigdelset(&waiting, SIGTERM);
  sigdelset(&waiting, SIGINT);

  long long nextTick = NowNanoseconds() + kTickNanoseconds;
  while (!stopRequested && !windowLost) {
    bool goOn = true;
    while (goOn && XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      goOn = HandleEvent(event);
    }
    if (!goOn || windowLost) break;

    const long long now = NowNanoseconds();
    if (now >= nextTick) {
      AdvanceScene();
      DrawScene();
      glXSwapBuffers(display, xHostState.window);
      // Ticks come no faster than every 10 ms and are never made up: a
      // slow machine gets a slower animation, not a jumpier one.
      nextTick = now - nextTick >= kTickNanoseconds ? now + kTickNanoseconds : nextTick + kTickNanoseconds;
      continue;
    }
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(connection, &readable);
    const long long wait = nextTick - now;
    const timespec timeout = {static_cast<time_t>(wait / 1000000000LL),
                              static_cast<long>(wait % 1000000000LL)};
    if (pselect(connection + 1, &readable, nullptr, nullptr, &timeout, &waiting) < 0 && errno != EINTR) break;
  }
}
