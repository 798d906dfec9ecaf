#include "host.h"

// Kept in a file of its own: the MinGW form of the guard places fixed
// assembler labels, so the guarded routine must exist exactly once.

// The fault guard's verdict and the fault it saw; read after the guard.
static volatile LONG guardVerdict = EXCEPTION_CONTINUE_SEARCH;
static volatile DWORD guardedFault = 0;

// Filter of the fault guard: the system's unhandled-fault filter decides.
extern "C" LONG FaultGuardFilter(EXCEPTION_POINTERS* pointers, void*) {
  guardedFault = pointers->ExceptionRecord->ExceptionCode;
  guardVerdict = UnhandledExceptionFilter(pointers);
  return guardVerdict;
}

// After a fault the exit code is the fault's code, as for a process that
// the system ended: it reads as a failure and says what happened.
int RunGuarded(int (*body)(const char*), const char* args) {
  volatile int result = 0;
  guardVerdict = EXCEPTION_CONTINUE_SEARCH;
#if defined(_MSC_VER)
  __try {
    result = body(args);
  } __except (FaultGuardFilter(GetExceptionInformation(), nullptr)) {
  }
#else
  __try1(FaultGuardFilter) {
    result = body(args);
  }
  __except1;
#endif
  if (guardVerdict == EXCEPTION_EXECUTE_HANDLER) {
    SetSaverRunning(FALSE);
    return static_cast<int>(guardedFault);
  }
  return result;
}

