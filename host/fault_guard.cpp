#include "host.h"

// Kept in a file of its own: the MinGW x86-64 form of the guard places fixed
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
#if defined(__i386__) && !defined(_MSC_VER)
// 32-bit x86 keeps its handlers in a chain of records on the stack, headed
// in the thread's information block. Our record's handler asks the filter;
// to run the guard's handler it unwinds the frames inside and jumps back.
struct GuardRecord {
  EXCEPTION_REGISTRATION_RECORD registration;
  void* resume[5];
};

// The head of the chain, at offset 0 of the thread's information block.
static EXCEPTION_REGISTRATION_RECORD* ChainHead() {
  EXCEPTION_REGISTRATION_RECORD* head;
  asm volatile("movl %%fs:0, %0" : "=r"(head));
  return head;
}

static void SetChainHead(EXCEPTION_REGISTRATION_RECORD* head) {
  asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory");
}

static EXCEPTION_DISPOSITION GuardHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT* context, void*) {
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
  EXCEPTION_POINTERS pointers = {record, context};
  const LONG verdict = FaultGuardFilter(&pointers, frame);
  if (verdict == EXCEPTION_CONTINUE_EXECUTION) return ExceptionContinueExecution;
  if (verdict != EXCEPTION_EXECUTE_HANDLER) return ExceptionContinueSearch;
  RtlUnwind(frame, nullptr, record, nullptr);
  __builtin_longjmp(static_cast<GuardRecord*>(frame)->resume, 1);
}
#endif

int RunGuarded(int (*body)(const char*), const char* args) {
  volatile int result = 0;
  guardVerdict = EXCEPTION_CONTINUE_SEARCH;
#if defined(_MSC_VER)
  __try {
    result = body(args);
  } __except (FaultGuardFilter(GetExceptionInformation(), nullptr)) {
  }
#elif defined(__i386__)
  GuardRecord guard = {};
  guard.registration.Next = ChainHead();
  guard.registration.Handler = reinterpret_cast<PEXCEPTION_ROUTINE>(GuardHandler);
  if (__builtin_setjmp(guard.resume) == 0) {
    SetChainHead(&guard.registration);
    result = body(args);
  }
  SetChainHead(guard.registration.Next);
#else
  __try1(FaultGuardFilter) { result = body(args); }
  __except1;
#endif
  if (guardVerdict == EXCEPTION_EXECUTE_HANDLER) {
    SetSaverRunning(FALSE);
    return static_cast<int>(guardedFault);
  }
  return result;
}
