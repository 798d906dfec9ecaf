// The saver application: its handler of saver-window messages and the
// settings store (and, in configuration mode, the dialog).
#pragma once

#include <windows.h>

// Starts the scene and the renderer on WM_CREATE, draws a frame on every
// WM_TIMER, refits a full-screen window to the screen on WM_DISPLAYCHANGE,
// stops them on WM_DESTROY; passes everything else to the host.
LRESULT CALLBACK SaverWindowHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

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

// The procedure of dialog 2003, which edits the satellite count.
INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
