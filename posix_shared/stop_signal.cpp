#include "stop_signal.h"

#include <pthread.h>

volatile sig_atomic_t stopSignal = 0;

static void NoteStopSignal(int signal) { stopSignal = signal; }

static pthread_t startUpWatch;
static bool startUpWatched;

// Ends the process by the signal, as if it had never been caught.
static void EndBy(int signal) {
  std::signal(signal, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
  raise(signal);
}

static void* WatchStartUp(void*) {
  sigset_t stops;
  sigemptyset(&stops);
  sigaddset(&stops, SIGTERM);
  sigaddset(&stops, SIGINT);
  int signal = 0;
  if (sigwait(&stops, &signal) == 0) EndBy(signal);
  return nullptr;
}

void CatchStopSignals(sigset_t* waiting) {
  struct sigaction stop = {};
  stop.sa_handler = NoteStopSignal;
  sigaction(SIGTERM, &stop, nullptr);
  sigaction(SIGINT, &stop, nullptr);
  sigset_t blocked;
  sigemptyset(&blocked);
  sigaddset(&blocked, SIGTERM);
  sigaddset(&blocked, SIGINT);
  pthread_sigmask(SIG_BLOCK, &blocked, waiting);
  sigdelset(waiting, SIGTERM);
  sigdelset(waiting, SIGINT);
  startUpWatched = pthread_create(&startUpWatch, nullptr, WatchStartUp, nullptr) == 0;
}

void EndStartUpWatch() {
  if (!startUpWatched) return;
  // sigwait is a cancellation point: the watch ends there, and a signal
  // that comes from now on stays pending for the frame loop.
  pthread_cancel(startUpWatch);
  pthread_join(startUpWatch, nullptr);
  startUpWatched = false;
}

int PendingStopSignal() {
  sigset_t pending;
  sigpending(&pending);
  return sigismember(&pending, SIGTERM) ? SIGTERM : sigismember(&pending, SIGINT) ? SIGINT : 0;
}

void EndByStopSignal() {
  if (stopSignal) EndBy(stopSignal);
}
