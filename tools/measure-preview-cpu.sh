#!/usr/bin/env bash
# The preview's cost against a full-screen run's: preview_start_bench --play
# hosts skyvault.scr /p in a 152 x 112 pane (the Screen Saver Settings'
# size), then runs skyvault.scr /s, back to back, in a private Xvfb; this
# script reads each process's CPU time from /proc twice a second and prints
# its share of one core after 3 s of settling.
# usage: tools/measure-preview-cpu.sh [seconds per run (20)] [rounds (3)]
# needs: a windows build (cmake --build --preset windows), Xvfb
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
rounds=${2:-3}
build=$root/build/windows/startup/win32
export WINEPREFIX=${WINEPREFIX:-$root/build/windows/wineprefix}
# shellcheck source=tools/wine-env.sh
. "$root/tools/wine-env.sh"
skyvault_wine_start_in_xvfb

samples=$(mktemp)
skyvault_at_exit "rm -f '$samples'"
wine "$build/preview_start_bench.exe" --play "Z:$build/skyvault.scr" "$seconds" "$rounds" \
  </dev/null >/dev/null 2>&1 &
bench=$!
while kill -0 "$bench" 2>/dev/null; do
  for pid in $(pgrep -f "$build/skyvault.scr" || true); do
    mode=$(tr '\0' '\n' < "/proc/$pid/cmdline" 2>/dev/null | grep -x -m1 '/[ps]' || true)
    read -r -a stat < "/proc/$pid/stat" 2>/dev/null || continue
    [ -n "$mode" ] && echo "$(date +%s.%N) $pid $mode $((stat[13] + stat[14]))"
  done >> "$samples"
  sleep 0.5
done
tick=$(getconf CLK_TCK)
awk -v tick="$tick" '
  { if (!($2 in first)) { first[$2] = $1; mode[$2] = $3; order[++n] = $2 }
    if ($1 >= first[$2] + 3) { if (!($2 in t0)) { t0[$2] = $1; c0[$2] = $4 } t1[$2] = $1; c1[$2] = $4 } }
  END { for (i = 1; i <= n; i++) { p = order[i]; if (t1[p] > t0[p])
          printf "%s %s: %.2f %% of a core over %.0f s\n", (mode[p] == "/p" ? "preview    " : "full screen"),
                 p, 100 * (c1[p] - c0[p]) / tick / (t1[p] - t0[p]), t1[p] - t0[p] } }' "$samples"
