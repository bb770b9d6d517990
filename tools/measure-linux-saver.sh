#!/usr/bin/env bash
# The native Linux saver's cost: runs build/native/startup/linux/skyvault in
# a window of its own on a private Xvfb of 1920 x 1080 with the first-run
# settings, lets it settle, then reads over a fixed span the CPU time of the
# saver and of the X server from /proc, and the saver's resident memory.
# Several runs; the medians are printed last.
#
# usage: tools/measure-linux-saver.sh [runs (3)] [seconds per run (20)]
# needs: a native build (build/native), Xvfb, xdotool
set -u
runs=${1:-3}
span=${2:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
saver=$root/build/native/startup/linux/skyvault
[ -x "$saver" ] || { echo "no $saver: build the native preset first" >&2; exit 1; }
export SKYVAULT_SCREEN=1920x1080x24
# shellcheck source=tools/xvfb.sh
. "$root/tools/xvfb.sh"
skyvault_start_xvfb
saver_pid=""
finish() {
  [ -n "$saver_pid" ] && kill "$saver_pid" 2>/dev/null
  skyvault_stop_xvfb
}
trap finish EXIT

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{sub(/.*\) /, ""); print $12 + $13}' "/proc/$1/stat"; }
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

saver_cpu=() xvfb_cpu=() rss=()
for run in $(seq 1 "$runs"); do
  "$saver" </dev/null >/dev/null 2>&1 &
  saver_pid=$!
  [ -n "$(skyvault_wait_for_window Skyvault)" ] || { echo "run $run: no saver window" >&2; exit 1; }
  sleep 3  # settle: pictures loaded, first frames sent
  s0=$(cpu_ticks "$saver_pid") x0=$(cpu_ticks "$SKYVAULT_XVFB_PID")
  sleep "$span"
  s1=$(cpu_ticks "$saver_pid") x1=$(cpu_ticks "$SKYVAULT_XVFB_PID")
  kb=$(awk '/VmRSS/ {print $2}' "/proc/$saver_pid/status")
  kill "$saver_pid"
  wait "$saver_pid" 2>/dev/null
  saver_pid=""
  saver_cpu+=("$(awk -v t=$((s1 - s0)) -v h="$ticks_per_second" -v s="$span" 'BEGIN {printf "%.2f", 100 * t / h / s}')")
  xvfb_cpu+=("$(awk -v t=$((x1 - x0)) -v h="$ticks_per_second" -v s="$span" 'BEGIN {printf "%.2f", 100 * t / h / s}')")
  rss+=("$((kb / 1024))")
  echo "run $run: saver ${saver_cpu[-1]} % of a core, Xvfb ${xvfb_cpu[-1]} %, resident ${rss[-1]} MB"
done
echo "median of $runs runs of ${span} s: saver $(printf '%s\n' "${saver_cpu[@]}" | median) % of a core," \
  "Xvfb $(printf '%s\n' "${xvfb_cpu[@]}" | median) %, resident $(printf '%s\n' "${rss[@]}" | median) MB"
