#include "stop_signal.h"

volatile sig_atomic_t stopSignal = 0;

static void NoteStopSignal(int signal) { stopSignal = signal; }

void CatchStopSignals(sigset_t* waiting) {
  struct sigaction stop = {};
  stop.sa_handler = NoteStopSignal;
  sigaction(SIGTERM, &stop, nullptr);
  sigaction(SIGINT, &stop, nullptr);
  sigset_t blocked;
  sigemptyset(&blocked);
  sigaddset(&blocked, SIGTERM);
  sigaddset(&blocked, SIGINT);
  sigprocmask(SIG_BLOCK, &blocked, waiting);
  sigdelset(waiting, SIGTERM);
  sigdelset(waiting, SIGINT);
}

int PendingStopSignal() {
  sigset_t pending;
  sigpending(&pending);
  return sigismember(&pending, SIGTERM) ? SIGTERM : sigismember(&pending, SIGINT) ? SIGINT : 0;
}

void EndByStopSignal() {
  const int signal = stopSignal;
  if (!signal) return;
  std::signal(signal, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  raise(signal);
}
