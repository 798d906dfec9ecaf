#!/usr/bin/env bash
# `make soak`: the saver full screen under Wine for MINUTES (default 10) on a
# private Xvfb (the Wine prefix of `make run`), sampled every 5 s. Fails on
# growth between the first and last sample beyond a small allowance.
#
# Wine answers GetGuiResources with 0 and gives no handle count or private
# usage for another process, so the samples are taken from Linux: the saver
# process's private (anonymous) resident memory, its open descriptors, where
# Wine keeps the host side of kernel handles, and its threads; and the
# wineserver's private memory, where Wine keeps USER objects and handles.
set -uo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-10}
interval=5
state=build/run
tools/wine-start.sh "$state" >/dev/null || exit 1
trap 'tools/wine-stop.sh "$state"' EXIT
source tools/wine-env.sh "$state"

private_kib() { awk '/^RssAnon:/ {print $2}' "/proc/$1/status" 2>/dev/null; }
descriptors() { ls "/proc/$1/fd" 2>/dev/null | wc -l; }
threads() { awk '/^Threads:/ {print $2}' "/proc/$1/status" 2>/dev/null; }

echo "Soak: kelvaris.scr /s for $minutes minutes on $DISPLAY"
wine build/windows/kelvaris.scr /s &
saver=$!  # the wine loader execs the program: this is the saver's process
tools/wait-for-saver.sh || { echo "The saver window did not appear."; exit 1; }
server=$(pgrep -n -f "wineserver" || true)

first="" last=""
for ((t = interval; t <= minutes * 60; t += interval)); do
  sleep "$interval"
  kill -0 "$saver" 2>/dev/null || { echo "FAIL: the saver ended on its own after $t s"; exit 1; }
  sample="$(private_kib "$saver") $(descriptors "$saver") $(threads "$saver") $(private_kib "$server")"
  printf '%5d s  saver private %s KiB, descriptors %s, threads %s; wineserver private %s KiB\n' "$t" $sample
  [ -n "$first" ] || first=$sample
  last=$sample
done

xdotool key space
wait "$saver"
code=$?
echo
read -r p0 d0 t0 s0 <<<"$first"
read -r p1 d1 t1 s1 <<<"$last"
echo "first: saver private $p0 KiB, descriptors $d0, threads $t0; wineserver private $s0 KiB"
echo "last:  saver private $p1 KiB, descriptors $d1, threads $t1; wineserver private $s1 KiB"
echo "saver exit code $code"
echo "allowance: 4096 KiB of private memory each, 8 descriptors, 2 threads"
status=$code
((p1 > p0 + 4096)) && { echo "FAIL: the saver's private memory grew"; status=1; }
((d1 > d0 + 8)) && { echo "FAIL: the saver's descriptors grew"; status=1; }
((t1 > t0 + 2)) && { echo "FAIL: the saver's threads grew"; status=1; }
((s1 > s0 + 4096)) && { echo "FAIL: the wineserver's private memory grew"; status=1; }
[ $status -eq 0 ] && echo "PASSED"
exit $status
