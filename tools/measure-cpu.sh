#!/usr/bin/env bash
# The full-screen saver's cost: runs skyvault.scr /s under Wine (or, with
# --linux, the native Linux saver in a window of its own) with the first-run
# settings on a private Xvfb, lets it settle, then reads over a
# fixed span, from /proc, the CPU time of the saver's process, of the X server
# and of the prefix's Wine server (work Windows would do in its kernel), and
# the saver's resident memory; and, where the native build's probe exists
# (build/native/startup/linux/saver_probe), the time from the program's start
# to its first frame on the screen. Several runs; the median run is printed
# last.
# The build prefix's own Skyvault settings are put back afterwards.
#
# usage: tools/measure-cpu.sh [--screen WIDTHxHEIGHT (1920x1080)]
#                             [--linux] [--present-bench[=SCENE]] [--saver FILE]
#                             [--shot FILE.png] [runs (3)] [seconds per run (20)]
#   --present-bench  measures the drawing control alone on a made-up scene
#                    (build/windows/controls/win32/present_bench.exe): SCENE
#                    `typical` (default) or a number of first-run aircraft
#   --linux          the native Linux saver (build/native/startup/linux/skyvault)
#   --saver          another build's saver (to compare two builds back to
#                    back on the same machine)
#   --shot           a screenshot halfway through the first run
# needs: a windows build (cmake --build --preset windows), Xvfb, xdotool
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
usage() {
  sed -n '/^# usage:/,/^# needs:/s/^# \{0,1\}//p' "$0" >&2
  exit 2
}

screen=1920x1080
bench_scene=""
saver=""
linux=""
shot=""
while [ $# -gt 0 ]; do
  case $1 in
    --screen)
      [[ ${2:-} =~ ^[0-9]+x[0-9]+$ ]] || usage
      screen=$2
      shift 2
      ;;
    --present-bench)
      bench_scene=typical
      shift
      ;;
    --present-bench=*)
      bench_scene=${1#*=}
      [[ $bench_scene =~ ^(typical|[0-9]+)$ ]] || usage
      shift
      ;;
    --linux)
      linux=yes
      shift
      ;;
    --saver)
      [ $# -ge 2 ] || usage
      saver=$(realpath -m "$2")
      shift 2
      ;;
    --shot)
      [ $# -ge 2 ] || usage
      shot=$(realpath -m "$2")
      shift 2
      ;;
    -h | --help) usage ;;
    -*) usage ;;
    *) break ;;
  esac
done
runs=${1:-3}
span=${2:-20}
[[ $runs =~ ^[1-9][0-9]*$ && $span =~ ^[1-9][0-9]*$ ]] || usage

if [ -n "$linux" ]; then
  program=${saver:-$root/build/native/startup/linux/skyvault}
  arguments=()
elif [ -n "$bench_scene" ]; then
  program=$root/build/windows/controls/win32/present_bench.exe
  arguments=($((span + 30)) "$bench_scene")
else
  program=${saver:-$root/build/windows/startup/win32/skyvault.scr}
  arguments=(/s)
fi
[ -f "$program" ] || { echo "no $program: build the windows preset first" >&2; exit 1; }

if [ -n "$linux" ]; then
  # No Wine here: a prefix of nobody's, so that stopping "its" server at the
  # end touches no other script's.
  WINEPREFIX=$(mktemp -u)
fi
export WINEPREFIX=${WINEPREFIX:-$root/build/windows/wineprefix}
export SKYVAULT_SCREEN=${screen}x24
# shellcheck source=tools/wine-env.sh
. "$root/tools/wine-env.sh"
if [ -n "$linux" ]; then
  skyvault_stop_at_exit
  skyvault_start_xvfb
  # The first-run settings, in a settings folder of the script's own.
  config=$(mktemp -d)
  export XDG_CONFIG_HOME=$config
  skyvault_at_exit "rm -rf '$config'"
  clear_settings() { rm -f "$config/skyvault/skyvault.ini"; }
  start_program() { "$program" </dev/null >/dev/null 2>&1 & }
else
  skyvault_wine_start_in_xvfb
  # The prefix's own settings, put back when the script ends.
  saved=$(mktemp --suffix=.reg)
  if wine reg export 'HKCU\Software\Skyvault' "$(winepath -w "$saved")" /y </dev/null >/dev/null 2>&1; then
    skyvault_at_exit "wine reg delete 'HKCU\\Software\\Skyvault' /f </dev/null >/dev/null 2>&1; \
wine reg import \"\$(winepath -w '$saved')\" </dev/null >/dev/null 2>&1; rm -f '$saved'"
  else
    skyvault_at_exit "wine reg delete 'HKCU\\Software\\Skyvault' /f </dev/null >/dev/null 2>&1; rm -f '$saved'"
  fi
  clear_settings() { wine reg delete 'HKCU\Software\Skyvault' /f </dev/null >/dev/null 2>&1 || true; }
  start_program() { wine "$program" "${arguments[@]}" </dev/null >/dev/null 2>&1 & }
fi

hz=$(getconf CLK_TCK)
cpu_ticks() { # utime + stime of a process (the name in field 2 may hold blanks)
  awk '{sub(/.*\) /, ""); print $12 + $13}' "/proc/$1/stat" 2>/dev/null || echo 0
}
program_pid() { # the Wine process that runs this build's program: the launcher itself, once
  # Wine's loader has become the program, else a process started with its path
  local pid
  for pid in "$1" $(pgrep -f "$(basename "$program")"); do
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qF "$program" || continue
    grep -q VmRSS "/proc/$pid/status" 2>/dev/null && echo "$pid" && return
  done
}
wine_server_pid() { # the server working in this prefix's server folder
  local dir pid
  dir="server-$(printf '%x' "$(stat -c %d "$WINEPREFIX")")-$(printf '%x' "$(stat -c %i "$WINEPREFIX")")"
  for pid in $(pgrep -x wineserver64) $(pgrep -x wineserver); do
    case "$(readlink "/proc/$pid/cwd" 2>/dev/null)" in */"$dir") echo "$pid" ;; esac
  done | head -n 1
}

echo "measuring $(basename "$program") ${arguments[*]} at $screen, $runs runs of $span s"
results=()
for run in $(seq 1 "$runs"); do
  clear_settings # the first-run settings
  probe=$root/build/native/startup/linux/saver_probe
  first_frame=$(mktemp)
  if [ -x "$probe" ]; then "$probe" first-frame root >"$first_frame" 2>/dev/null & fi
  start_program
  launcher=$!
  if [ -z "$(skyvault_wait_for_window Skyvault)" ]; then
    echo "run $run: no window" >&2
    kill "$launcher" 2>/dev/null || true
    continue
  fi
  sleep 3 # settle: pictures loaded, first frames sent
  pid=$(program_pid "$launcher")
  server=""
  [ -n "$linux" ] || server=$(wine_server_pid)
  if [ -z "$pid" ]; then
    echo "run $run: program's process not found" >&2
    kill "$launcher" 2>/dev/null || true
    continue
  fi
  wait_ms=$(cat "$first_frame" 2>/dev/null)
  rm -f "$first_frame"
  p0=$(cpu_ticks "$pid") x0=$(cpu_ticks "$SKYVAULT_XVFB_PID") w0=$(cpu_ticks "${server:-0}")
  t0=$(date +%s.%N)
  if [ -n "$shot" ] && [ "$run" = 1 ]; then
    sleep $((span / 2))
    import -window root "$shot"
    sleep $((span - span / 2))
  else
    sleep "$span"
  fi
  p1=$(cpu_ticks "$pid") x1=$(cpu_ticks "$SKYVAULT_XVFB_PID") w1=$(cpu_ticks "${server:-0}")
  t1=$(date +%s.%N)
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
  xdotool key a >/dev/null 2>&1 || true
  skyvault_wait_for_exit "$launcher" 5 || kill "$launcher" 2>/dev/null || true
  line=$(awk -v p=$((p1 - p0)) -v x=$((x1 - x0)) -v w=$((w1 - w0)) -v t0="$t0" -v t1="$t1" \
    -v hz="$hz" -v rss="$rss" \
    -v first="${wait_ms:-0}" \
    'BEGIN { s = t1 - t0; printf "%.2f %.2f %.2f %.1f %d", 100 * p / hz / s, 100 * x / hz / s, 100 * w / hz / s, rss / 1024, first }')
  read -r program_share x_share server_share rss_mib first_ms <<<"$line"
  echo "run $run: program $program_share % of a core, Xvfb $x_share %, Wine server $server_share %, program RSS $rss_mib MiB, first frame after $first_ms ms"
  results+=("$line")
done

[ "${#results[@]}" -gt 0 ] || exit 1
printf '%s\n' "${results[@]}" | sort -n -k1,1 | awk -v runs="${#results[@]}" '
  { line[NR] = $0 }
  END {
    split(line[int((NR + 1) / 2)], m, " ")
    printf "median run: program %s %% of a core, Xvfb %s %%, Wine server %s %%, program RSS %s MiB (%d runs)\n",
      m[1], m[2], m[3], m[4], runs
  }'
printf '%s\n' "${results[@]}" | awk '{ print $5 }' | sort -n | awk '
  { ms[NR] = $1 }
  END { if (ms[int((NR + 1) / 2)] > 0) printf "median first frame after %d ms\n", ms[int((NR + 1) / 2)] }'
[ -z "$shot" ] || echo "screenshot: $shot"
