#!/usr/bin/env bash
# Waits until the full-screen saver window is on the current DISPLAY and has
# the keyboard focus, so that a key sent now reaches it. The 120 s bound only
# stops a hang; a slow, loaded machine needs far less.
for _ in $(seq 1200); do
  window=$(xdotool search --name '^Screen Saver$' 2>/dev/null | head -n1)
  [ -n "$window" ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ] && exit 0
  sleep 0.1
done
exit 1
