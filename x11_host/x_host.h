// The X11 host: an XScreenSaver hack that draws the scene with GLX into
// the window it is given (or the root, or one of its own), one frame per
// tick (kTickMilliseconds unless -delay says otherwise), until it is told
// to stop.
#pragma once

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <csignal>

#include "hack_options.h"

struct XHostState {
  Display* display;
  Window window;
  bool ownWindow;  // made here: closed by the window manager or by Escape/q
  Atom deleteWindow;
  GLXContext context;
};

extern XHostState xHostState;

// Set when the server reports that the window is gone (an X error on it).
extern bool windowLost;

// Opens the display, finds or makes the window that options name, with an
// OpenGL context on its visual that has a depth buffer; leaves the context
// current. Prints why, naming the display and any error the X server gave,
// releases what it had, and returns false when that cannot be had.
bool OpenGlWindow(const HackOptions& options);

// X errors are caught only around requests that can fail: from CatchXErrors
// to ReleaseXErrors, which waits for the server to answer every request
// made since and is true when none failed. An error on the window notes it
// as lost.
void CatchXErrors();
bool ReleaseXErrors();

// Releases the context, the window when it is ours, and the display.
void CloseGlWindow();

// Runs the ticks and frames until a stop signal, the window's end or, in a
// window of its own, the window manager's close or Escape/q. `waiting` is
// the signal mask that lets the stop signals in (CatchStopSignals).
void RunFrames(const HackOptions& options, const sigset_t& waiting);
