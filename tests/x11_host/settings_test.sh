#!/usr/bin/env bash
# The real XScreenSaver settings program, as a user of the package meets
# it: ~/.xscreensaver made exactly as debian/README.Debian says, the
# program's settings file where the settings program reads them (a private
# copy of that folder, mounted over it for this test only), the daemon and
# the settings program run as an unprivileged user. Kelvaris is then in the
# list and previews; in its settings dialog a typed count of satellites is
# kept exactly (no step of ten) and saved into ~/.xscreensaver.
# Usage: settings_test.sh KELVARIS SETTINGS_XML README_DEBIAN WORK_DIR
set -uo pipefail
kelvaris=$1 xml=$2 readme=$3 work=$4
home=$work/home
source "$(dirname "$0")/harness.sh"
rm -rf "$work"
mkdir -p "$home" "$work/config"
cp /usr/share/xscreensaver/config/*.xml "$xml" "$work/config/"

# The file the README tells a user without one to create, as it says.
sed -n "/^ *cat >~\/.xscreensaver <<'END'$/,/^ *END$/p" "$readme" | sed '1d;$d;s/^ *//' >"$home/.xscreensaver"
grep -q '^programs: GL: kelvaris --root' "$home/.xscreensaver" || { fail "README.Debian gives no such file"; exit 1; }

start_display "$work/display" -ac -screen 0 1280x1024x24
export DISPLAY=":$(head -n1 "$work/display")"
chown -R nobody:nogroup "$work"
unshare -m --propagation private sh -c 'mount --bind "$1" /usr/share/xscreensaver/config && shift && exec "$@"' \
  - "$work/config" setpriv --reuid=nobody --regid=nogroup --clear-groups \
  env HOME="$home" DISPLAY="$DISPLAY" PATH="$(dirname "$kelvaris"):$PATH" \
  sh -c 'xscreensaver -no-splash >"$HOME/daemon.log" 2>&1 & exec xscreensaver-settings' >"$work/settings.log" 2>&1 &
settings=$!  # each exec keeps the process: in the end it is the settings program
# Only this test's daemon (the one on its display) and settings program end.
stop_all() {
  as_nobody xscreensaver-command -exit >/dev/null 2>&1
  kill "$settings" 2>/dev/null
  stop_displays
}
trap stop_all EXIT

# 60 s bounds only guard against a hang.
preview=
for _ in $(seq 600); do
  preview=$(pgrep -u nobody -f "^kelvaris --root --window-id") && break
  sleep 0.1
done
[ -n "$preview" ] && echo "ok: Kelvaris is listed, chosen, and previews" || { fail "no preview of Kelvaris"; exit 1; }

# The Settings button, where the main window puts it on this screen.
xdotool mousemove 982 630 click 1
dialog=
for _ in $(seq 600); do
  for window in $(xdotool search --onlyvisible --name '^XScreenSaver: Kelvaris Settings$'); do
    [ "$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')" -gt 100 ] && dialog=$window
  done
  [ -n "$dialog" ] && break
  sleep 0.1
done
[ -n "$dialog" ] || { fail "no settings dialog"; exit 1; }
xdotool windowmove --sync "$dialog" 100 100 windowfocus --sync "$dialog"
# The Satellites field: select its text, type a count, leave it, save.
xdotool mousemove 230 224 click --repeat 3 1 sleep 0.3 type 7
xdotool key Tab sleep 0.3 mousemove 408 504 click 1
for _ in $(seq 600); do grep -q 'kelvaris --root --count 7[^0-9]' "$home/.xscreensaver" && break; sleep 0.1; done
line=$(grep 'kelvaris' "$home/.xscreensaver" | tr -s ' \t' ' ')
[[ $line == *"kelvaris --root --count 7 "* ]] && echo "ok: a typed 7 is saved as 7 ($line)" ||
  fail "the saved line is '$line'"
exit $((failures > 0))
