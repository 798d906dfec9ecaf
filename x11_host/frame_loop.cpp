#include <X11/keysym.h>
#include <sys/select.h>

#include <cerrno>
#include <ctime>

#include "frame_step.h"
#include "posix_time.h"
#include "renderer.h"
#include "scene.h"
#include "stop_signal.h"
#include "x_host.h"

// Handles one event; false when it ends the run.
static bool HandleEvent(const XEvent& event) {
  const XHostState& x = xHostState;
  switch (event.type) {
    case ConfigureNotify:
      // The projection follows the window's size.
      if (event.xconfigure.window == x.window && (event.xconfigure.width != rendererState.clientWidth ||
                                                  event.xconfigure.height != rendererState.clientHeight)) {
        ResizeClient(event.xconfigure.width, event.xconfigure.height);
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

// Handles every event already queued or readable; false when one ends the run.
static bool HandleEvents(Display* display) {
  while (XPending(display)) {
    XEvent event;
    XNextEvent(display, &event);
    if (!HandleEvent(event) || windowLost) return false;
  }
  return !windowLost;
}

void RunFrames(const HackOptions& options, const sigset_t& waiting) {
  Display* display = xHostState.display;
  const int connection = ConnectionNumber(display);
  const long long interval = options.scene.delayMicroseconds * 1000LL;
  FrameRateCounter frameRate = {};
  // The window may go at any time when it is another program's.
  CatchXErrors();
  // SIGTERM and SIGINT are let in only inside pselect, which lets them in
  // and waits in one step. Every pass goes through it, without waiting when
  // a frame is already due, so a stop is seen within one frame however slow
  // frames are.
  long long due = NowNanoseconds() + interval;
  while (HandleEvents(display)) {
    const long long beforeWait = NowNanoseconds();
    const long long wait = due > beforeWait ? due - beforeWait : 0;
    const timespec timeout = {static_cast<time_t>(wait / kNanosecondsPerSecond),
                              static_cast<long>(wait % kNanosecondsPerSecond)};
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(connection, &readable);
    if (pselect(connection + 1, &readable, nullptr, nullptr, &timeout, &waiting) < 0 && errno != EINTR) break;
    if (stopSignal) break;

    const long long now = NowNanoseconds();
    if (now < due) continue;  // woken by events, handled on the next pass
    AdvanceScene();
    // Asked to stop while drawing: the frame is not presented. The signal
    // stays pending and ends the program once everything is released.
    if (!DrawFrameUnlessStopped(options.scene.showFps, frameRate, now)) break;
    glXSwapBuffers(display, xHostState.window);
    due = NextFrameDue(due, now, interval);
  }
}
