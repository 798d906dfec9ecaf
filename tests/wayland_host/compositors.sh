# Sourced by the Wayland program's tests, with the test library: start_sway
# DIR [CONFIG LINE...] and start_weston DIR [WESTON ARGS...] run a private
# headless compositor in DIR, stopped when the test ends, and point this
# shell's clients (WAYLAND_DISPLAY, XDG_RUNTIME_DIR, SWAYSOCK) at it;
# start_nested_sway DIR runs a sway whose outputs are windows of the one
# running, which can be closed as a monitor is unplugged; start_mutter DIR
# WxH... runs GNOME's compositor with those virtual monitors, on a session
# bus of its own (DBUS_SESSION_BUS_ADDRESS).
# Compositors run as an unprivileged user (sway refuses root): nobody when
# the tests run as root, else the user running them. Clients run as the
# test does; root may use a socket of nobody's.
source "$(dirname "${BASH_SOURCE[0]}")/../support/test_lib.sh"
compositor_pids=()
stop_compositors() { [ ${#compositor_pids[@]} -eq 0 ] || kill "${compositor_pids[@]}" 2>/dev/null; }
trap stop_compositors EXIT

# A runtime folder of the compositor's own, and the environment it runs in.
prepare_runtime() {
  rm -rf "$1"
  mkdir -p "$1/runtime"
  chmod 700 "$1/runtime"
  [ "$(id -u)" -ne 0 ] || chown nobody:nogroup "$1/runtime"
  export XDG_RUNTIME_DIR="$1/runtime"
}
socket_made() { compgen -G "$XDG_RUNTIME_DIR/$1" >/dev/null; }

start_sway() {
  sway_backend=(WLR_BACKENDS=headless)
  launch_sway "$@"
}
start_nested_sway() {
  sway_backend=(WLR_BACKENDS=wayland WAYLAND_DISPLAY="$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY")
  launch_sway "$@"
}
launch_sway() {
  local dir=$1
  shift
  prepare_runtime "$dir"
  printf '%s\n' "xwayland disable" "$@" >"$dir/sway.conf"
  "${as_unprivileged[@]}" env -i PATH="$PATH" HOME="$dir" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" "${sway_backend[@]}" \
    WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 sway -c "$dir/sway.conf" >"$dir/sway.log" 2>&1 &
  compositor_pids+=($!)
  poll 30 socket_made 'sway-ipc.*.sock' && poll 30 socket_made 'wayland-*.lock' ||
    { fail "sway did not start: $(tail -n 3 "$dir/sway.log")"; return 1; }
  SWAYSOCK=$(compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock")
  WAYLAND_DISPLAY=$(basename "$(compgen -G "$XDG_RUNTIME_DIR/wayland-*.lock")" .lock)
  export SWAYSOCK WAYLAND_DISPLAY
}

start_weston() {
  local dir=$1
  shift
  prepare_runtime "$dir"
  "${as_unprivileged[@]}" env -i PATH="$PATH" HOME="$dir" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" weston --no-config \
    --backend=headless-backend.so --use-pixman --socket=weston "$@" >"$dir/weston.log" 2>&1 &
  compositor_pids+=($!)
  poll 30 socket_made 'weston.lock' || { fail "weston did not start: $(tail -n 3 "$dir/weston.log")"; return 1; }
  export WAYLAND_DISPLAY=weston
}

# A session bus of the compositor's own, in DIR.
start_session_bus() {
  dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$1/bus" 4>"$1/bus.pid"
  compositor_pids+=("$(cat "$1/bus.pid")")
  export DBUS_SESSION_BUS_ADDRESS
  DBUS_SESSION_BUS_ADDRESS=$(cat "$1/bus")
}

start_mutter() {
  local dir=$1
  shift
  prepare_runtime "$dir"
  start_session_bus "$dir"
  local monitors=()
  for size in "$@"; do monitors+=(--virtual-monitor "$size"); done
  mutter --headless --wayland --no-x11 "${monitors[@]}" --wayland-display mutter >"$dir/mutter.log" 2>&1 &
  compositor_pids+=($!)
  poll 30 socket_made 'mutter.lock' || { fail "mutter did not start: $(tail -n 3 "$dir/mutter.log")"; return 1; }
  export WAYLAND_DISPLAY=mutter
}

# A keyboard on the seat until the compositors stop. A wtype that types
# makes its own keyboard and types 300 ms later, in which time a client
# that sees the seat's first keyboard come must ask for it; with one held,
# a client started now has its keyboard before any key.
hold_keyboard() {
  wtype -s 1000000 -k Shift_L &
  compositor_pids+=($!)
}

start_nested_kwin() {
  local dir=$1 size=$2 scale=$3
  host_display=$WAYLAND_DISPLAY host_runtime=$XDG_RUNTIME_DIR
  # KWin 5.27 in a window ends on a protocol error when its host's seat
  # loses its last keyboard, as it does when a wtype ends.
  hold_keyboard
  prepare_runtime "$dir"
  start_session_bus "$dir"
  # The installed binary carries a file capability, which a container
  # refuses to start: a copy without it runs.
  cp /usr/bin/kwin_wayland "$dir/kwin_wayland"
  # Its fake input, for the touch, is given to any client.
  HOME=$dir KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 "$dir/kwin_wayland" --wayland-display "$host_runtime/$host_display" --socket kwin \
    --width "${size%x*}" --height "${size#*x}" --scale "$scale" >"$dir/kwin.log" 2>&1 &
  compositor_pids+=($!)
  poll 30 socket_made 'kwin.lock' || { fail "KWin did not start: $(tail -n 3 "$dir/kwin.log")"; return 1; }
  export WAYLAND_DISPLAY=kwin
}
in_host() { WAYLAND_DISPLAY=$host_display XDG_RUNTIME_DIR=$host_runtime "$@"; }

# The objects a client's protocol log (WAYLAND_DEBUG=client) shows it made
# and never destroyed or released, where the protocol lets it: none when it
# closed everything it bound. Globals without such a request at the
# version bound here are left out. Frame callbacks have no such request:
# one whose proxy is freed gives its id back, so frame callbacks whose ids
# never come round again are all kept.
unreleased() {
  /usr/bin/python3 - "$1" <<'PY'
import re, sys
log = open(sys.argv[1]).read().splitlines()
kept = {"wl_compositor", "wl_output", "zwlr_layer_shell_v1", "org_kde_kwin_idle", "wl_shm", "wl_callback",
        "wl_buffer", "wl_shm_pool", "wl_registry"}
made = {}
frames = []
for line in log:
    request = re.search(r"-> (\w+)@\d+\.(\w+)\((.*)\)$", line)
    if not request:
        continue
    created = re.search(r'(?:"(\w+)", \d+, )?new id (?:\[unknown\]|(\w+))@(\d+)', request.group(3))
    if created:
        made[created.group(3)] = created.group(1) or created.group(2)
        if request.group(2) == "frame":
            frames.append(created.group(3))
    elif request.group(2) in ("destroy", "release"):
        made.pop(re.search(r"@(\d+)\.", line).group(1), None)
kept_frames = [f"wl_callback*{len(frames)}"] if len(frames) > 20 and len(set(frames)) == len(frames) else []
print(" ".join(sorted(f"{name}@{id}" for id, name in made.items() if name not in kept) + kept_frames))
PY
}

# Whether a process used at most one tick in the next second: drawing
# nothing.
idle_for_a_second() {
  local before
  before=$(cpu_ticks "$1")
  sleep 1
  [ "$(cpu_ticks "$1")" -le $((before + 1)) ]
}
