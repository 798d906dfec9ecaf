// The Linux host: an XScreenSaver hack that draws the scene with GLX into
// the window it is given (or the root, or one of its own), one frame per
// 10 ms tick, until it is told to stop.
#pragma once

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <csignal>

#include "options.h"

struct XHostState {
  Display* display;
  Window window;
  bool ownWindow;  // made here: closed by the window manager or by Escape/q
  Atom deleteWindow;
  GLXContext context;
};

extern XHostState xHostState;

// Set by SIGTERM and SIGINT; the loop ends at the next wake-up.
extern volatile sig_atomic_t stopRequested;

// Set when the server reports that the window is gone (an X error on it).
extern bool windowLost;

// Finds or makes the window that options name, with an OpenGL context on its
// visual that has a depth buffer; leaves the context current. Prints why
// and returns false when that cannot be had.
bool OpenGlWindow(const HackOptions& options);

// Releases the context, the window when it is ours, and the display.
void CloseGlWindow();

// Runs the ticks and frames until a signal, the window's end or, in a
// window of its own, the window manager's close or Escape/q.
void RunFrames();
