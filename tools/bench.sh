#!/usr/bin/env bash
# `make bench`: the scene's routines natively (Google Benchmark), then frame
# cost, startup time and steady CPU use of the saver under Wine and Mesa on
# a private Xvfb (the Wine prefix of `make run`). Results, a report and a
# plot go to build/bench.
set -uo pipefail
cd "$(dirname "$0")/.."
source tests/support/test_lib.sh  # cpu_ticks
out=build/bench
mkdir -p "$out"

echo "== scene routines, natively"
build/bench/tests/bench/scene_bench --benchmark_out="$out/scene.json" --benchmark_out_format=json || exit 1

state=build/run
# (Re)starts the private Xvfb, KELVARIS_SCREEN in size if set, and Wine, and
# takes on the environment of what it started: a restarted X server may get
# another display number when other X servers run on the machine.
start_wine() {
  tools/wine-start.sh "$state" >/dev/null || { echo "bench: Wine and its display did not start"; exit 1; }
  source tools/wine-env.sh "$state"
}
start_wine
trap 'tools/wine-stop.sh "$state"' EXIT
saver="Z:$(pwd)/build/windows/kelvaris.scr"

echo "== frames in a 1024x768 window under Wine"
wine build/windows/tests/bench/frame_bench.exe 300 | tr -d '\r' | tee "$out/frames.csv"

echo "== frames on desks of one, two and three monitors, and with a portrait one (a 3072x800 screen)"
KELVARIS_SCREEN=3072x800 start_wine
wine build/windows/tests/bench/frame_bench.exe 300 monitors | tr -d '\r' | tee "$out/monitors.csv"
start_wine

echo "== startup: process start to the first frame on the screen"
wine build/windows/tests/bench/startup_bench.exe "$saver" 5 | tr -d '\r' | tee "$out/startup.csv"

# Prints the CPU and wall seconds of process $1 over the next 10 s.
cpu_over_ten_seconds() {
  local t0 s0 t1 s1
  t0=$(cpu_ticks "$1") s0=$(date +%s.%N)
  sleep 10
  t1=$(cpu_ticks "$1") s1=$(date +%s.%N)
  awk -v t0="$t0" -v t1="$t1" -v s0="$s0" -v s1="$s1" -v hz="$(getconf CLK_TCK)" \
    'BEGIN { printf "cpu_seconds,wall_seconds\n%.3f,%.3f\n", (t1 - t0) / hz, s1 - s0 }'
}

echo "== steady CPU use of the saver at the default count over 10 s"
wine reg delete 'HKCU\Software\Quenwick\Zembrel' /f >/dev/null 2>&1
wine build/windows/kelvaris.scr /s &
pid=$!  # the wine loader execs the program: this is the saver's process
tools/wait-for-saver.sh "$pid" || { echo "bench: the saver window did not appear on $DISPLAY"; exit 1; }
sleep 1
cpu_over_ten_seconds "$pid" | tee "$out/cpu.csv"
xdotool key space
wait "$pid"

echo "== the Linux program on the same display: frames, and steady CPU use at the default count"
build/linux/tests/x11_host/linux_frame_bench 300 | tee "$out/linux_frames.csv"
build/linux/kelvaris -root &
pid=$!
sleep 1
cpu_over_ten_seconds "$pid" | tee "$out/linux_cpu.csv"
kill "$pid"
wait "$pid"

echo "== the Wayland program on a headless sway: steady CPU use at the default count, and while --idle waits"
source tests/wayland_host/compositors.sh
start_sway "$PWD/$out/sway" "output HEADLESS-1 mode 1280x720" || exit 1
for mode in saver idle; do
  args=()
  [ $mode = saver ] || args=(--idle 60)
  build/linux/kelvaris-wayland "${args[@]}" &
  pid=$!
  sleep 1
  cpu_over_ten_seconds "$pid" | tee "$out/wayland${args:+_idle}_cpu.csv"
  kill "$pid"
  wait "$pid"
done

echo "== report"
python3 tools/bench_report.py "$out"
