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
give_to_saver_user "$home" "$work"
kelvaris_runs() { pgrep -u "$saver_user" -f "^$kelvaris --root " >/dev/null; }  # the daemon's, not other tests'
kelvaris_gone() { ! kelvaris_runs; }

answers() { as_saver_user xscreensaver-command -time >/dev/null 2>&1; }
# The daemon answers once it is up. Now and then, in a full run, one has
# been seen to stop in its own start (its log ends after "running in
# process", before it opens the input extension) and never answer: that
# is no verdict on Kelvaris, so such a start is made again, up to three
# times, and said so. 60 s bounds only guard a hang.
for try in 1 2 3; do
  as_saver_user xscreensaver -no-splash -verbose >"$work/daemon.log" 2>&1 &
  daemon=$!
  poll 60 answers && break
  echo "the XScreenSaver daemon did not answer in 60 s (try $try of 3): $(tail -n1 "$work/daemon.log")"
  pkill -P "$daemon"  # the daemon, a child of the shell that started it
  wait "$daemon" 2>/dev/null
done
stop_all() {
  as_saver_user xscreensaver-command -exit >/dev/null 2>&1
  kill "$daemon" 2>/dev/null
  rm -rf "$home"
  stop_displays
}
trap stop_all EXIT

answers || { fail "the daemon did not answer"; finish; }
as_saver_user xscreensaver-command -activate >/dev/null || fail "the daemon did not take -activate"
poll 60 kelvaris_runs && ok "the daemon started Kelvaris" || fail "no Kelvaris process after -activate"
picture_of 1024x768+0+0 || fail "the picture"

# -select counts from 1.
as_saver_user xscreensaver-command -select 2 >/dev/null || fail "the daemon did not take -select 2"
slow() { pgrep -u "$saver_user" -f "^$kelvaris --root --count 1000" >/dev/null; }
not_slow() { ! slow; }
# Once its satellites are on the screen, the picture is lit but no longer
# the sphere alone.
drawing_satellites() {
  slow || return 1
  import -window root -depth 8 "$work/screen.ppm"
  local verdict
  verdict=$(/usr/bin/python3 "$checker" "$work/screen.ppm" 1024x768+0+0) && return 1
  ! grep -q 'shows nothing' <<<"$verdict"
}
logged_sigterm() { grep -q "(${kelvaris}) exited normally with SIGTERM" "$work/daemon.log"; }
# Switched while it draws.
poll 60 drawing_satellites
as_saver_user xscreensaver-command -select 3 >/dev/null || fail "the daemon did not take -select 3"
poll 60 not_slow && ok "switched away, Kelvaris is gone" || fail "Kelvaris at 1000 satellites still runs 60 s after the switch"
poll 60 logged_sigterm && ok "the daemon logs Kelvaris as stopped by SIGTERM" ||
  fail "the daemon's log for Kelvaris: $(grep -F "($kelvaris)" "$work/daemon.log")"

as_saver_user xscreensaver-command -deactivate >/dev/null || fail "the daemon did not take -deactivate"
poll 60 kelvaris_gone && ok "no Kelvaris process left" || fail "a Kelvaris process is left"
finish
