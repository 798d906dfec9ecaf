#include "host.h"

#include "app.h"

unsigned int ParseWindowHandle(const char* text) {
  unsigned int value = 0;  // wraps modulo 2^32, as the system's own parsers do
  for (; *text >= '0' && *text <= '9'; ++text) value = value * 10 + static_cast<unsigned int>(*text - '0');
  return value;
}

static HWND AsWindow(unsigned int handle) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle)); }

int RunPreview(const char* text) {
  HWND parent = AsWindow(ParseWindowHandle(text));
  if (!parent || !IsWindow(parent)) return -1;
  return RunSaverWindow(parent);
}

int RunConfigDialog(HWND owner) {
  if (!RegisterConfigClasses(saverInstance)) return 0;
  return static_cast<int>(DialogBoxParamA(saverInstance, MAKEINTRESOURCEA(2003), owner, ConfigDialogProc, 0));
}

int RunChangePassword(const char* text) {
  HWND owner = AsWindow(ParseWindowHandle(text));
  if (!owner || !IsWindow(owner)) owner = GetForegroundWindow();
  ChangePassword(owner);
  return 0;
}

static const char* SkipBlanks(const char* text) {
  while (*text == ' ') ++text;
  return text;
}

// Runs the mode that the first letter of the argument text names.
static int DispatchMode(const char* args) {
  const signed char* p = reinterpret_cast<const signed char*>(args);
  while (*p == ' ' || *p == '-' || *p == '/') ++p;
  const char* rest = reinterpret_cast<const char*>(p + 1);
  switch (*p) {
    case 0:
      return RunConfigDialog(nullptr);
    case 'S':
    case 's':
      return RunSaverWindow(nullptr);
    case 'P':
    case 'p':
    case 'L':
    case 'l':
      return RunPreview(SkipBlanks(rest));
    case 'C':
    case 'c': {
      // Only a handle joined by a colon is read: "/c 1234" has no owner.
      HWND owner = *rest == ':' ? AsWindow(ParseWindowHandle(rest + 1)) : nullptr;
      if (!owner || !IsWindow(owner)) owner = GetForegroundWindow();
      return RunConfigDialog(owner);
    }
    case 'A':
    case 'a':
      if (!isOlderFamily) return -1;
      return RunChangePassword(SkipBlanks(rest));
  }
  return -1;
}

// The fault guard's verdict and the fault it saw; read after the guard.
static volatile LONG guardVerdict = EXCEPTION_CONTINUE_SEARCH;
static volatile DWORD guardedFault = 0;

// Filter of the fault guard: the system's unhandled-fault filter decides.
extern "C" LONG FaultGuardFilter(EXCEPTION_POINTERS* pointers, void*) {
  guardedFault = pointers->ExceptionRecord->ExceptionCode;
  guardVerdict = UnhandledExceptionFilter(pointers);
  return guardVerdict;
}

// Runs the mode under structured exception handling. A fault that nothing
// inside handles ends the mode: the saver-running notice is withdrawn and
// the exit code is the fault's code, as for a process the system ended.
static int GuardedDispatch(const char* args) {
  volatile int result = 0;
  guardVerdict = EXCEPTION_CONTINUE_SEARCH;
#if defined(_MSC_VER)
  __try {
    result = DispatchMode(args);
  } __except (FaultGuardFilter(GetExceptionInformation(), nullptr)) {
  }
#else
  __try1(FaultGuardFilter) {
    result = DispatchMode(args);
  }
  __except1;
#endif
  if (guardVerdict == EXCEPTION_EXECUTE_HANDLER) {
    SetSaverRunning(FALSE);
    return static_cast<int>(guardedFault);
  }
  return result;
}

int SaverMain(HINSTANCE instance, const char* args) {
  saverInstance = instance;
  isOlderFamily = DetectOlderFamily();
  return GuardedDispatch(args);
}

const char* FindArgumentText(const char* commandLine) {
  const char* p = commandLine;
  if (*p == '"') {
    // A quoted program name may hold blanks.
    do {
      p = CharNextA(p);
    } while (*p && *p != '"');
    if (*p == '"') ++p;
  } else if (static_cast<unsigned char>(*p) > ' ') {
    while (static_cast<unsigned char>(*p) > ' ') p = CharNextA(p);
  }
  while (*p && static_cast<unsigned char>(*p) <= ' ') p = CharNextA(p);
  return p;
}

void HostEntry() {
  // ExitProcess at once: the runtime's exit processing is not needed.
  ExitProcess(static_cast<UINT>(SaverMain(GetModuleHandleA(nullptr), FindArgumentText(GetCommandLineA()))));
}
