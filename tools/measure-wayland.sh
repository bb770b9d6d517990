#!/usr/bin/env bash
# The Linux saver's cost in a Wayland session: headless sway with one output
# (1920 x 1080 unless given), run as an unprivileged user made for it (sway
# refuses root). Several runs of the real saver on the first-run settings;
# after three settling seconds (as tools/measure-cpu.sh waits on X11: the
# pictures and their sharp companions read), reads over a fixed span from
# /proc the CPU time of the saver and of sway and the saver's resident
# memory (now and at its peak); then the frame pacing of the same saver
# (saver_pacing_bench --wayland). The median run is printed last. For X11
# beside it, at the same size: tools/measure-cpu.sh --linux and
# saver_pacing_bench in Xvfb.
#
# usage: tools/measure-wayland.sh [--screen WIDTHxHEIGHT] [runs (3)] [seconds per run (20)]
# needs: root, sway, a native build (cmake --build --preset native)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
screen=1920x1080
if [ "${1:-}" = --screen ]; then
  screen=$2
  shift 2
fi
runs=${1:-3} seconds=${2:-20}
build=$root/build/native
user=skyvault-wayland
[ "$(id -u)" -eq 0 ] || {
  echo "needs root (to run sway as a user of its own)" >&2
  exit 2
}
id -u "$user" >/dev/null 2>&1 || useradd -m "$user"
home=$(getent passwd "$user" | cut -d: -f6)

work=$(mktemp -d)
chmod 755 "$work"
mkdir -p "$work/libexec/skyvault" "$work/share" "$work/run"
cp "$build/startup/linux/skyvault" "$build/display/linux/saver_pacing_bench" \
  "$work/libexec/skyvault/"
cp -r "$root/assets/data" "$work/share/skyvault"
chmod -R a+rX "$work"
runtime=$work/run
chown "$user" "$runtime"
chmod 700 "$runtime"

sway_pid=""
cleanup() {
  set +e
  [ -n "$sway_pid" ] && kill "$sway_pid" 2>/dev/null
  [ -f "$runtime/saver.pid" ] && kill "$(cat "$runtime/saver.pid")" 2>/dev/null
  rm -rf "$work" "$home/.config/skyvault"
}
trap cleanup EXIT

as_user() {
  runuser -u "$user" -- env -i HOME="$home" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$runtime" \
    WAYLAND_DISPLAY=wayland-1 "$@"
}
cpu_ticks() { awk '{sub(/.*\) /, ""); print $12 + $13}' "/proc/$1/stat" 2>/dev/null || echo 0; }
status_kib() { awk -v key="$2:" '$1 == key {print $2}' "/proc/$1/status" 2>/dev/null || echo 0; }
hz=$(getconf CLK_TCK)

echo "output HEADLESS-1 resolution $screen" >"$work/sway.conf"
chmod 644 "$work/sway.conf"
# shellcheck disable=SC2016 # the user's shell expands it
runuser -u "$user" -- env -i HOME="$home" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$runtime" \
  WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  sh -c 'echo $$ > "$XDG_RUNTIME_DIR/sway.pid"; exec sway -c "$0"' "$work/sway.conf" \
  >/dev/null 2>&1 &
for _ in $(seq 1 50); do
  [ -S "$runtime/wayland-1" ] && [ -s "$runtime/sway.pid" ] && break
  sleep 0.2
done
sway_pid=$(cat "$runtime/sway.pid")

results=()
for run in $(seq 1 "$runs"); do
  rm -f "$runtime/saver.pid"
  # shellcheck disable=SC2016 # the user's shell expands it
  as_user sh -c 'echo $$ > "$XDG_RUNTIME_DIR/saver.pid"; exec "$0"' \
    "$work/libexec/skyvault/skyvault" >/dev/null 2>&1 &
  job=$!
  sleep 3 # settle: pictures and their sharp companions read, first frames sent
  pid=$(cat "$runtime/saver.pid")
  saver0=$(cpu_ticks "$pid") sway0=$(cpu_ticks "$sway_pid")
  sleep "$seconds"
  saver1=$(cpu_ticks "$pid") sway1=$(cpu_ticks "$sway_pid")
  rss=$(status_kib "$pid" VmRSS) peak=$(status_kib "$pid" VmHWM)
  kill "$pid"
  wait "$job" 2>/dev/null || true
  result=$(awk -v a="$saver0" -v b="$saver1" -v c="$sway0" -v d="$sway1" -v s="$seconds" \
    -v hz="$hz" -v rss="$rss" -v peak="$peak" 'BEGIN {
      printf "%.1f %.1f %.1f %.1f", 100 * (b - a) / hz / s, 100 * (d - c) / hz / s,
        rss / 1024, peak / 1024 }')
  echo "run $run: saver % of a core, sway %, saver RSS MiB, peak RSS MiB: $result"
  results+=("$result")
done
printf '%s\n' "${results[@]}" | sort -n | awk -v n="$runs" 'NR == int((n + 1) / 2) {
  printf "median run: saver %s %% of a core, sway %s %%, saver RSS %s MiB (peak %s MiB)\n",
    $1, $2, $3, $4 }'
echo "pacing, $seconds s:"
as_user "$work/libexec/skyvault/saver_pacing_bench" --wayland "$seconds"
