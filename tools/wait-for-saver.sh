#!/usr/bin/env bash
# Waits until the full-screen saver window is on the current DISPLAY and has
# the keyboard focus, so that a key sent now reaches it. Given the saver's
# PID, it stops waiting as soon as that process has ended. The 120 s bound
# only stops a hang; a slow, loaded machine needs far less.
# Usage: wait-for-saver.sh [PID]
for _ in $(seq 1200); do
  window=$(xdotool search --name '^Screen Saver$' 2>/dev/null | head -n1)
  [ -n "$window" ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ] && exit 0
  [ -n "${1:-}" ] && ! kill -0 "$1" 2>/dev/null && exit 1
  sleep 0.1
done
exit 1
