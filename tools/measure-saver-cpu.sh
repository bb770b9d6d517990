#!/usr/bin/env bash
# The full-screen saver's cost under Wine: runs skyvault.scr /s on a private
# Xvfb of 1920 x 1080 with the first-run settings, lets it settle, then reads
# over a fixed span the CPU time of the saver's process and of the X server
# from /proc, and the saver's resident memory. Several runs; the median is
# printed last. The build prefix's own Skyvault settings are put back after.
#
# usage: tools/measure-saver-cpu.sh [runs (3)] [seconds per run (20)]
# needs: a windows build (build/windows), Xvfb, xdotool
set -u
runs=${1:-3}
span=${2:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
scr=$root/build/windows/startup/win32/skyvault.scr
[ -f "$scr" ] || { echo "no $scr: build the windows preset first" >&2; exit 1; }

export WINEPREFIX=${WINEPREFIX:-$root/build/windows/wineprefix}
. "$root/tools/wine-env.sh"
skyvault_wine_prefix_ready
export SKYVAULT_SCREEN=1920x1080x24
. "$root/tools/xvfb.sh"
skyvault_start_xvfb
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1

saved=$(mktemp --suffix=.reg)
have_saved=no
wine reg export 'HKCU\Software\Skyvault' "$(winepath -w "$saved")" /y </dev/null >/dev/null 2>&1 && have_saved=yes
finish() {
  wine reg delete 'HKCU\Software\Skyvault' /f </dev/null >/dev/null 2>&1
  [ "$have_saved" = yes ] && wine reg import "$(winepath -w "$saved")" </dev/null >/dev/null 2>&1
  rm -f "$saved"
  wineserver -k >/dev/null 2>&1
  skyvault_stop_xvfb
}
trap finish EXIT

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() {  # utime + stime of a process
  awk '{sub(/.*\) /, ""); print $12 + $13}' "/proc/$1/stat" 2>/dev/null
}
saver_pid() {  # the Wine process that runs skyvault.scr (not a shell, not the launcher)
  local pid
  for pid in $(pgrep -f 'skyvault\.scr'); do
    [ "$pid" = "$$" ] && continue
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qi 'skyvault\.scr' || continue
    [ -r "/proc/$pid/stat" ] && grep -q 'VmRSS' "/proc/$pid/status" 2>/dev/null && echo "$pid"
  done | tail -n 1
}

results=()
for run in $(seq 1 "$runs"); do
  wine reg delete 'HKCU\Software\Skyvault' /f </dev/null >/dev/null 2>&1  # first-run settings
  wine "$scr" /s </dev/null >/dev/null 2>&1 &
  launcher=$!
  window=$(skyvault_wait_for_window Skyvault)
  [ -n "$window" ] || { echo "run $run: no saver window" >&2; kill "$launcher" 2>/dev/null; continue; }
  sleep 3  # settle: pictures loaded, first frames sent
  pid=$(saver_pid)
  [ -n "$pid" ] || { echo "run $run: saver process not found" >&2; continue; }
  s0=$(cpu_ticks "$pid"); x0=$(cpu_ticks "$SKYVAULT_XVFB_PID"); t0=$(date +%s.%N)
  sleep "$span"
  s1=$(cpu_ticks "$pid"); x1=$(cpu_ticks "$SKYVAULT_XVFB_PID"); t1=$(date +%s.%N)
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  xdotool key a >/dev/null 2>&1
  for _ in $(seq 1 25); do kill -0 "$launcher" 2>/dev/null || break; sleep 0.2; done
  kill "$launcher" 2>/dev/null
  line=$(awk -v s="$((s1 - s0))" -v x="$((x1 - x0))" -v t0="$t0" -v t1="$t1" -v hz="$ticks_per_second" -v rss="$rss" \
    'BEGIN {w = t1 - t0; printf "%.2f %.2f %.1f", 100 * s / hz / w, 100 * x / hz / w, rss / 1024}')
  set -- $line
  echo "run $run: saver $1 % of a core, Xvfb $2 %, saver RSS $3 MiB"
  results+=("$line")
done

[ "${#results[@]}" -gt 0 ] || exit 1
printf '%s\n' "${results[@]}" | sort -n -k1,1 | awk '{a[NR] = $0} END {split(a[int((NR + 1) / 2)], m, " ");
  printf "median run: saver %s %% of a core, Xvfb %s %%, saver RSS %s MiB (%d runs)\n", m[1], m[2], m[3], NR}'
