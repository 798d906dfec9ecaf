// The one time bound of the tests. A case passes on an event it observes (a
// state read back, a message seen, a process ended); this bound only stops a
// run that would otherwise hang, so it lies far above what a slow, loaded
// machine needs for any wait in the suite.
#pragma once

#include <windows.h>

const DWORD kHangGuardMs = 120000;
