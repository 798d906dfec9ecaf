// SIGTERM and SIGINT, as XScreenSaver, idle daemons and lock screens stop
// the programs they start: noted by the handler, seen by the frame loop
// within the frame being drawn, and finally ending the program by the
// signal itself. Shared by every POSIX host.
#pragma once

#include <csignal>

// The signal (SIGTERM or SIGINT) that asked the run to stop, or 0.
extern volatile sig_atomic_t stopSignal;

// Notes SIGTERM and SIGINT in stopSignal instead of ending at once, and
// blocks both; `waiting` gets the mask that lets them in again, for the
// loop's pselect or ppoll, so that a stop is never lost between the check
// and the wait.
void CatchStopSignals(sigset_t* waiting);

// SIGTERM or SIGINT when one has come while blocked (during a frame), else 0.
int PendingStopSignal();

// Once everything is released: ends the process by the signal that stopped
// it, as XScreenSaver's own hacks end, so that whoever started it sees a
// program stopped by SIGTERM, not one that failed. Returns when there was none.
void EndByStopSignal();
