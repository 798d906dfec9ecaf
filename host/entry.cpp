#include "host.h"

#include "app.h"
#include "command_line.h"
#include "dll_search.h"
#include "resource_ids.h"

static HWND AsWindow(unsigned int handle) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle)); }

int RunPreview(const char* text) {
  HWND parent = AsWindow(ParseWindowHandle(text));
  if (!parent || !IsWindow(parent)) return -1;
  return RunSaverWindow(parent);
}

int RunConfigDialog(HWND owner) {
  if (!RegisterConfigClasses(saverInstance)) return 0;
  return static_cast<int>(DialogBoxParamA(saverInstance, MAKEINTRESOURCEA(KELVARIS_CONFIG_DIALOG), owner, ConfigDialogProc, 0));
}

// The window whose handle text gives (none when text is null), or the
// foreground window when that is no window.
static HWND OwnerOrForeground(const char* text) {
  HWND owner = text ? AsWindow(ParseWindowHandle(text)) : nullptr;
  return owner && IsWindow(owner) ? owner : GetForegroundWindow();
}

int RunChangePassword(const char* text) {
  ChangePassword(OwnerOrForeground(text));
  return 0;
}

// Runs the mode that the first letter of the argument text names.
static int DispatchMode(const char* args) {
  const ModeRequest request = ReadModeRequest(args);
  switch (request.mode) {
    case SaverMode::kConfigWithoutOwner:
      return RunConfigDialog(nullptr);
    case SaverMode::kFullScreen:
      return RunSaverWindow(nullptr);
    case SaverMode::kPreview:
      return RunPreview(request.argument);
    case SaverMode::kConfig:
      return RunConfigDialog(OwnerOrForeground(request.argument));
    case SaverMode::kChangePassword:
      return isOlderFamily ? RunChangePassword(request.argument) : -1;
    case SaverMode::kUnknown:
      break;
  }
  return -1;
}

int SaverMain(HINSTANCE instance, const char* args) {
  saverInstance = instance;
  isOlderFamily = DetectOlderFamily();
  return RunGuarded(DispatchMode, args);
}

static const char* NextChar(const char* text) { return CharNextA(text); }

const char* FindArgumentText(const char* commandLine) { return SkipProgramName(commandLine, NextChar); }

void HostEntry() {
  // The DLL search is already restricted: the program's entry point does it
  // first (winmain.cpp). ExitProcess at once: the runtime's exit processing is not needed.
  ExitProcess(static_cast<UINT>(SaverMain(GetModuleHandleA(nullptr), FindArgumentText(GetCommandLineA()))));
}
