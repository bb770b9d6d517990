#!/usr/bin/env bash
# Measures the CPU share and resident memory of a Windows program running
# under Wine in a private 1920 x 1080 Xvfb.
#   tools/measure-cpu.sh [seconds] [program.exe [arguments...]]
# Default: 20 s of build/windows/controls/win32/present_bench.exe (the
# drawing control full-screen on a first-run scene). The program is given
# time to start, then its CPU time is read from /proc over `seconds`; the
# Xvfb server's share is reported too. Optional: SKYVAULT_SHOT=file.png takes
# a screenshot halfway.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-20}
shift || true
if [ $# -eq 0 ]; then
  set -- build/windows/controls/win32/present_bench.exe $((seconds + 8))
fi
export WINEPREFIX=$PWD/build/windows/wineprefix
. tools/wine-env.sh
skyvault_wine_prefix_ready
export SKYVAULT_SCREEN=1920x1080x24
. tools/xvfb.sh
skyvault_start_xvfb
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  skyvault_stop_xvfb
}
trap cleanup EXIT
(wineserver -p; wine cmd /c exit) </dev/null >/dev/null 2>&1

wine "$@" </dev/null >/tmp/measure-cpu.$$.out 2>&1 &
program_pid=$!
sleep 4   # start-up: loading, first frames

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
start_program=$(ticks "$program_pid")
start_x=$(ticks "$SKYVAULT_XVFB_PID")
if [ -n "${SKYVAULT_SHOT:-}" ]; then
  sleep $((seconds / 2))
  import -window root "$SKYVAULT_SHOT"
  sleep $((seconds - seconds / 2))
else
  sleep "$seconds"
fi
end_program=$(ticks "$program_pid")
end_x=$(ticks "$SKYVAULT_XVFB_PID")
rss=$(awk '/VmRSS/ {print $2, $3}' "/proc/$program_pid/status")
wait "$program_pid" || true
program_pid=""
awk -v p=$((end_program - start_program)) -v x=$((end_x - start_x)) -v hz="$hz" -v s="$seconds" -v rss="$rss" \
  'BEGIN { printf "program: %.1f %% of a core, resident %s; Xvfb: %.1f %% of a core (over %d s)\n", 100 * p / hz / s, rss, 100 * x / hz / s, s }'
tr -d '\r' </tmp/measure-cpu.$$.out | tail -3
rm -f /tmp/measure-cpu.$$.out
