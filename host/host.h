// The screen-saver host: the process-wide state, the saver window and its
// message loop, the window procedure, the close rules and the password hooks.
#pragma once

#include <windows.h>

#include <imm.h>  // HIMC only; the input-method library is never linked

// Entries of optional system libraries, looked up at run time by name.
typedef HIMC(WINAPI* ImmAssociateContextProc)(HWND, HIMC);
typedef BOOL(WINAPI* VerifyScreenSavePwdProc)(HWND);
typedef DWORD(WINAPI* PwdChangePasswordAProc)(LPCSTR, HWND, DWORD, LPVOID);

// The verify request that VerifyBeforeClose sends to the saver window.
const UINT kVerifyRequest = WM_APP;

extern HINSTANCE saverInstance;
extern int isOlderFamily;  // 1 when GetVersionExA reports platform id 1
extern HWND saverWindow;
extern int isPreview;
extern UINT autoPlayMessage;  // "QueryCancelAutoPlay", older family only
extern POINT lastCursorPos;   // mouse travel is measured from here
extern HMODULE imeLibrary;
extern ImmAssociateContextProc associateContextProc;
extern HIMC savedInputContext;
extern UINT_PTR closeApproved;  // nonzero once the window may close
extern int verifyInProgress;
extern HMODULE passwordLibrary;
extern VerifyScreenSavePwdProc verifyPasswordProc;
extern DWORD lastVerifyTick;  // 0xFFFFFFFF until the first check ends
extern const DWORD mouseMoveThreshold;

// Gives every variable above its start value, as a new process has them:
// run once before anything of the host, and by the tests before each case.
void ResetHostState();

// 1 on the older Windows family (platform id 1), 0 on NT or on failure.
int DetectOlderFamily();

// Tells the older family's system whether a saver runs; nothing on NT.
void SetSaverRunning(BOOL running);

// On the older family, loads the system's password verifier when the user
// protects the saver with a password.
void LoadPasswordVerifier();
void UnloadPasswordVerifier();

// Asks the verifier whether a close may go on; nonzero when it may.
UINT_PTR VerifyBeforeClose(HWND window);

// Lets the user change the saver password through the system.
void ChangePassword(HWND owner);

// The close rules and the system's default processing, for every message
// the application does not handle itself.
LRESULT CALLBACK HostDefaultHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The saver window class's window procedure.
LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The clip box of the whole screen's device context: the area of every
// monitor together, which the full-screen window covers.
RECT ScreenClipBox();

// Makes the saver window (full screen when parent is null, else a child
// filling parent) and runs the message loop until it is destroyed.
int RunSaverWindow(HWND parent);

// The argument text behind the program name of a command line, stepping
// through it with the system's CharNextA.
const char* FindArgumentText(const char* commandLine);

// The modes: preview on the handle in text, the configuration dialog with
// the given owner, and the password change with the owner in text.
int RunPreview(const char* text);
int RunConfigDialog(HWND owner);
int RunChangePassword(const char* text);

// Runs body(args) under structured exception handling. A fault that nothing
// inside handles goes to the system's UnhandledExceptionFilter; when that
// answers EXCEPTION_EXECUTE_HANDLER, the saver-running notice is withdrawn
// and the fault's code is returned instead of body's result.
int RunGuarded(int (*body)(const char*), const char* args);

// Runs the mode that the argument text names and returns its exit code.
int SaverMain(HINSTANCE instance, const char* args);

// The program, once its entry point has restricted the DLL search and the
// runtime is set up: finds the argument text, runs SaverMain, exits with
// its result. Never returns.
void HostEntry();
