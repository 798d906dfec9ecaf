#include "frame_clock.h"

long long NextFrameDue(long long due, long long now, long long interval) {
  return now - due >= interval ? now + interval : due + interval;
}
