// SIGTERM and SIGINT, as XScreenSaver, idle daemons and lock screens stop
// the programs they start: noted by the handler, seen by the frame loop
// within the frame being drawn, and finally ending the program by the
// signal itself. Shared by every POSIX host.
#pragma once

#include <csignal>

// The signal (SIGTERM or SIGINT) that asked the run to stop, or 0.
extern volatile sig_atomic_t stopSignal;

// Notes SIGTERM and SIGINT in stopSignal instead of ending at once, and
// blocks both, in every thread made from now on too; `waiting` gets the
// mask that lets them in again, for the loop's pselect or ppoll, so that a
// stop is never lost between the check and the wait. The program's first
// act: until EndStartUpWatch, a thread of its own waits for them and ends
// the program by the signal at once, however long a start-up step that
// waits on the server (a round trip, EGL's or GLX's own) takes.
void CatchStopSignals(sigset_t* waiting);

// The frames begin: from now on the frame loop sees the stop signals.
void EndStartUpWatch();

// SIGTERM or SIGINT when one has come while blocked (during a frame), else 0.
int PendingStopSignal();

// Once everything is released: ends the process by the signal that stopped
// it, as XScreenSaver's own hacks end, so that whoever started it sees a
// program stopped by SIGTERM, not one that failed. Returns when there was none.
void EndByStopSignal();
