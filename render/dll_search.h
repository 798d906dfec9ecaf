// Where the saver's process takes DLLs from: the system folder only, never
// the folder the saver was started from, which may be a Downloads folder
// holding a planted DLL named like a system one.
#pragma once

#include <windows.h>

// Restricts the search of every DLL that the process loads by name from now
// on, the loads the system makes for its own DLLs included, to the system
// folder. The saver's first act, in its entry point, before the runtime's
// start-up or any window or dialog can load one.
// Where the system lacks the means (Windows 7 and Vista without the update
// that brought SetDefaultDllDirectories, and older) nothing changes.
void RestrictDllSearch();

// Loads the named DLL from the system folder: by the restricted search when
// there is one, else by its full path. Null when it is not there.
HMODULE LoadSystemLibrary(const wchar_t* name);
