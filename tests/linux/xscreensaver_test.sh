#!/usr/bin/env bash
# The real XScreenSaver daemon runs the Linux program: a private Xvfb, a
# temporary home whose settings list only Kelvaris, the daemon as an
# unprivileged user (it launches no hacks as root). Activated, the screen
# shows the sphere centred; switched from Kelvaris at its slowest frames
# (1000 satellites) to another hack, Kelvaris is gone within the hang guard
# and the daemon logs it as stopped by SIGTERM, as it logs its own hacks;
# deactivated, no Kelvaris process is left.
# Usage: xscreensaver_test.sh KELVARIS CHECKER WORK_DIR
set -uo pipefail
kelvaris=$1 checker=$2 work=$3
mkdir -p "$work"
source "$(dirname "$0")/harness.sh"

start_display "$work/display" -ac  # -ac: the unprivileged daemon may connect
export DISPLAY=":$(head -n1 "$work/display")"
home=$(mktemp -d)
cat >"$home/.xscreensaver" <<SETTINGS
mode: one
selected: 0
lock: False
fade: False
unfade: False
splash: False
dpmsEnabled: False
timeout: 1:00:00
programs: GL: $kelvaris --root --count 0 \\n\\
  GL: $kelvaris --root --count 1000 \\n\\
  abstractile --root \\n
SETTINGS
chown -R nobody:nogroup "$home" "$work"
running() { pgrep -u nobody -f "^$kelvaris " >/dev/null; }  # the daemon's, not other tests'

as_nobody xscreensaver -no-splash -verbose >"$work/daemon.log" 2>&1 &
daemon=$!
stop_all() {
  as_nobody xscreensaver-command -exit >/dev/null 2>&1
  kill "$daemon" 2>/dev/null
  rm -rf "$home"
  stop_displays
}
trap stop_all EXIT

for _ in $(seq 600); do  # the daemon answers once it is up; 60 s only guard a hang
  as_nobody xscreensaver-command -time >/dev/null 2>&1 && break
  sleep 0.1
done
as_nobody xscreensaver-command -time >/dev/null 2>&1 || { fail "the daemon did not answer in 60 s"; exit 1; }
as_nobody xscreensaver-command -activate >/dev/null || fail "the daemon did not take -activate"
for _ in $(seq 600); do running && break; sleep 0.1; done
running && echo "ok: the daemon started Kelvaris" || fail "no Kelvaris process after -activate"
picture_of 1024x768+0+0 || fail "the picture"

# -select counts from 1.
as_nobody xscreensaver-command -select 2 >/dev/null || fail "the daemon did not take -select 2"
slow() { pgrep -u nobody -f "^$kelvaris --root --count 1000" >/dev/null; }
# Switched while it draws: once its satellites are on the screen, the
# picture is lit but no longer the sphere alone (60 s only guard against a
# hang).
for _ in $(seq 600); do
  if slow; then
    import -window root -depth 8 "$work/screen.ppm"
    if ! verdict=$(python3 "$checker" "$work/screen.ppm" 1024x768+0+0); then
      grep -q 'shows nothing' <<<"$verdict" || break
    fi
  fi
  sleep 0.1
done
as_nobody xscreensaver-command -select 3 >/dev/null || fail "the daemon did not take -select 3"
for _ in $(seq 600); do slow || break; sleep 0.1; done
slow && fail "Kelvaris at 1000 satellites still runs 60 s after the switch" || echo "ok: switched away, Kelvaris is gone"
for _ in $(seq 600); do grep -q "(${kelvaris}) exited normally with SIGTERM" "$work/daemon.log" && break; sleep 0.1; done
grep -q "(${kelvaris}) exited normally with SIGTERM" "$work/daemon.log" &&
  echo "ok: the daemon logs Kelvaris as stopped by SIGTERM" ||
  fail "the daemon's log for Kelvaris: $(grep -F "($kelvaris)" "$work/daemon.log")"

as_nobody xscreensaver-command -deactivate >/dev/null || fail "the daemon did not take -deactivate"
for _ in $(seq 600); do running || break; sleep 0.1; done
running && fail "a Kelvaris process is left" || echo "ok: no Kelvaris process left"
exit $((failures > 0))
