// The saver application: its handler of saver-window messages and the
// settings store (and, in configuration mode, the dialog).
#pragma once

#include <windows.h>

// Starts the scene and the renderer on WM_CREATE, draws a frame on every
// WM_TIMER, refits a full-screen window to the screen on WM_DISPLAYCHANGE,
// pauses the ticks of a full-screen saver while every display is off, stops
// them on WM_DESTROY; passes everything else to the host.
LRESULT CALLBACK SaverWindowHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What a notice of the console display state says: every display off, or
// at least one on or dimmed; unknown for a notice about anything else.
enum class DisplayState { kUnknown, kOff, kLit };

// The full-screen saver's registration for notices of the console display
// state, null when there is none (a preview, or a system without them).
extern HPOWERNOTIFY displayStateNotice;

// Asks the system to tell window, by WM_POWERBROADCAST with
// PBT_POWERSETTINGCHANGE, whenever the displays go off and on again; the
// system sends the current state at once.
void WatchDisplayState(HWND window);
void StopWatchingDisplayState();

// The display state that a PBT_POWERSETTINGCHANGE notice's lParam carries.
DisplayState ReadDisplayState(LPARAM lParam);

// Gives each monitor that shows the full-screen window a viewport of its
// own in the renderer's state, so that every monitor shows the whole scene.
void FitViewportsToMonitors(HWND window);

// Loads the satellite count from the registry; true when the key opened.
bool LoadSettings();

// Stores the satellite count; true when the key could be created or opened.
bool SaveSettings();

// Reads a 4-byte REG_DWORD into destination, which any other data leaves
// untouched. Returns true when the key opened.
bool ReadRegistryDword(const char* valueName, void* destination);

// Writes 4 bytes as a REG_DWORD. Returns true when the key opened.
bool WriteRegistryDword(const char* valueName, const void* source);

// Registers the dialog's own window classes: there are none, so it agrees.
BOOL RegisterConfigClasses(HINSTANCE instance);

// The procedure of the settings dialog (KELVARIS_CONFIG_DIALOG), which edits
// the satellite count.
INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
