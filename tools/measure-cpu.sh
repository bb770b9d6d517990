#!/usr/bin/env bash
# Measures the CPU share and resident memory of a Windows program running
# under Wine in a private 1920 x 1080 Xvfb.
#   tools/measure-cpu.sh [seconds] [program.exe [arguments...]]
# Default: 20 s of build/windows/controls/win32/present_bench.exe on its
# typical scene (the bomber and three relay aircraft moving, the message and
# the clock); `tools/measure-cpu.sh 20 "" 16` runs it on the sixteen-aircraft
# first-run scene instead. The program is given time to start, then its CPU
# time is read from /proc over `seconds`; the shares of the Xvfb server and
# of the Wine server (work Windows would do in its kernel) are reported too.
# Optional: SKYVAULT_SHOT=file.png takes a screenshot halfway.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-20}
shift || true
if [ -z "${1:-}" ]; then
  [ $# -gt 0 ] && shift
  set -- build/windows/controls/win32/present_bench.exe $((seconds + 8)) "${@:-typical}"
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
# This prefix's Wine server: the one working in the prefix's server folder.
server_dir="server-$(printf '%x' "$(stat -c '%d' "$WINEPREFIX")")-$(printf '%x' "$(stat -c '%i' "$WINEPREFIX")")"
server_pid=""
for pid in $(pgrep -x wineserver64 || true) $(pgrep -x wineserver || true); do
  case "$(readlink "/proc/$pid/cwd" 2>/dev/null)" in */"$server_dir") server_pid=$pid ;; esac
done
hz=$(getconf CLK_TCK)
start_program=$(ticks "$program_pid")
start_x=$(ticks "$SKYVAULT_XVFB_PID")
start_server=$([ -n "$server_pid" ] && ticks "$server_pid" || echo 0)
if [ -n "${SKYVAULT_SHOT:-}" ]; then
  sleep $((seconds / 2))
  import -window root "$SKYVAULT_SHOT"
  sleep $((seconds - seconds / 2))
else
  sleep "$seconds"
fi
end_program=$(ticks "$program_pid")
end_x=$(ticks "$SKYVAULT_XVFB_PID")
end_server=$([ -n "$server_pid" ] && ticks "$server_pid" || echo 0)
rss=$(awk '/VmRSS/ {print $2, $3}' "/proc/$program_pid/status")
wait "$program_pid" || true
program_pid=""
awk -v p=$((end_program - start_program)) -v x=$((end_x - start_x)) -v w=$((end_server - start_server)) \
  -v hz="$hz" -v s="$seconds" -v rss="$rss" \
  'BEGIN { printf "program: %.1f %% of a core, resident %s; Xvfb: %.1f %%; Wine server: %.1f %% (over %d s)\n", 100 * p / hz / s, rss, 100 * x / hz / s, 100 * w / hz / s, s }'
tr -d '\r' </tmp/measure-cpu.$$.out | tail -3
rm -f /tmp/measure-cpu.$$.out
