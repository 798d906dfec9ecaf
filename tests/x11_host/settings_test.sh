#!/usr/bin/env bash
# The real XScreenSaver settings program, as a user of the package meets
# it: ~/.xscreensaver made exactly as debian/README.Debian says, the
# program's settings file where the settings program reads them (a private
# copy of that folder, mounted over it for this test only), the daemon and
# the settings program run as an unprivileged user, in a D-Bus session of
# their own. Kelvaris is then in the list and previews; in its settings
# dialog, driven through the accessibility interface (settings_dialog.py),
# a typed count of satellites is kept exactly (no step of ten) and saved
# into ~/.xscreensaver.
# Usage: settings_test.sh KELVARIS SETTINGS_XML README_DEBIAN WORK_DIR
set -uo pipefail
kelvaris=$1 xml=$2 readme=$3 work=$4
home=$work/home
source "$(dirname "$0")/harness.sh"
if [ "$(id -u)" -ne 0 ] && ! unshare -r true 2>/dev/null; then
  echo "skipped: the settings program reads only the installed settings files; to show it the tree's, run as root or where user namespaces are allowed"
  exit 77
fi
rm -rf "$work"
mkdir -p "$home" "$work/config"
# The tree's settings file, also where the package has installed its own.
cp /usr/share/xscreensaver/config/*.xml "$work/config/"
cp "$xml" "$work/config/kelvaris.xml"

# The file the README tells a user without one to create, as it says.
sed -n "/^ *cat >~\/.xscreensaver <<'END'$/,/^ *END$/p" "$readme" | sed '1d;$d;s/^ *//' >"$home/.xscreensaver"
grep -q '^programs: GL: kelvaris --root' "$home/.xscreensaver" || { fail "README.Debian gives no such file"; exit 1; }

start_display "$work/display" -ac -screen 0 1280x1024x24
export DISPLAY=":$(head -n1 "$work/display")"
give_to_saver_user "$work"
with_config_folder "$work/config" env HOME="$home" DISPLAY="$DISPLAY" PATH="$(dirname "$kelvaris"):$PATH" dbus-run-session -- \
  sh -c 'echo "$DBUS_SESSION_BUS_ADDRESS" >"$HOME/bus"; echo $$ >"$HOME/settings.pid"
         xscreensaver -no-splash >"$HOME/daemon.log" 2>&1 & exec xscreensaver-settings' >"$work/settings.log" 2>&1 &
session=$!
# Only this test's daemon (the one on its display) and settings program end;
# once the settings program has ended, the session ends its bus and the
# accessibility services on it (a 60 s hang guard).
stop_all() {
  as_saver_user xscreensaver-command -exit >/dev/null 2>&1
  kill "$(cat "$home/settings.pid" 2>/dev/null)" 2>/dev/null
  poll 60 ended "$session" || kill "$session"
  stop_displays
}
trap stop_all EXIT

# 60 s bounds only guard against a hang.
previews() { pgrep -u "$saver_user" -f "^kelvaris --root --window-id" >/dev/null; }
poll 60 previews && ok "Kelvaris is listed, chosen, and previews" || { fail "no preview of Kelvaris"; finish; }

as_saver_user env DBUS_SESSION_BUS_ADDRESS="$(cat "$home/bus")" /usr/bin/python3 "$(dirname "$0")/settings_dialog.py" 7 ||
  fail "the settings dialog"
saved() { grep -q 'kelvaris --root --count 7[^0-9]' "$home/.xscreensaver"; }
poll 60 saved
line=$(grep 'kelvaris' "$home/.xscreensaver" | tr -s ' \t' ' ')
[[ $line == *"kelvaris --root --count 7 "* ]] && ok "a typed 7 is saved as 7 ($line)" || fail "the saved line is '$line'"
finish
