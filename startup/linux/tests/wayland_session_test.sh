#!/usr/bin/env bash
# Skyvault in a Wayland session: headless sway with two outputs of
# different sizes, screenshots by grim, a key from wtype, the idle daemon.
#   wayland_session_test.sh CASE SKYVAULT SAVER_PROBE DATA_DIR POINTER_PROBE
# CASE is one of:
#   outputs    both outputs show the bridge and an aircraft, each letterboxed
#              whole at its own size; a key ends the saver, and so does SIGTERM;
#              an output taken away leaves the other drawn, and one plugged in
#              is drawn on; the compositor killed ends the saver (status 0 or 1)
#   scale      an output at scale 2 gets the frame at its physical size
#   xdg        --wayland-shell xdg: a full-screen window on each output; the
#              compositor closing them ends the saver
#   pointer    three pointer motions (one fewer than the mouse sensitivity)
#              leave the saver running, the fourth ends it; a button ends it
#   swayidle   `swayidle -w timeout 2 skyvault` starts it after two idle
#              seconds; a key ends it and nothing is left running
# sway refuses to run as root, so everything runs as an unprivileged user
# made for the test (once). Skipped (77) when not root or without sway.
set -eEu
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND (status $?)"' ERR
case=$1 saver=$2 probe=$3 data=$4 pointer=$5
user=skyvault-wayland

for tool in sway grim wtype swayidle swaymsg runuser; do
  command -v "$tool" >/dev/null || { echo "SKIP: needs $tool"; exit 77; }
done
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: needs root to run the compositor as a user of its own"
  exit 77
fi
id -u "$user" >/dev/null 2>&1 || useradd -m "$user"
home=$(getent passwd "$user" | cut -d: -f6)

# The saver and its data where the user can reach them, as installed.
work=$(mktemp -d)
chmod 755 "$work"
mkdir -p "$work/libexec/skyvault" "$work/share" "$work/run" "$work/shots"
cp "$saver" "$work/libexec/skyvault/skyvault"  # its data: ../../share/skyvault
cp "$pointer" "$work/libexec/skyvault/pointer_probe"
cp -r "$data" "$work/share/skyvault"
chmod -R a+rX "$work"
runtime=$work/run
chown "$user" "$runtime" "$work/shots"
chmod 700 "$runtime"

sway_pid="" idle_pid="" run_pid=""
cleanup() {
  trap - ERR
  set +e
  local pid
  for pid in "$run_pid" "$idle_pid" "$sway_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
  done
  # A saver the idle daemon started is the user's too: end it by its id.
  if [ -f "$runtime/saver.pid" ]; then kill "$(cat "$runtime/saver.pid")" 2>/dev/null; fi
  for pid in $(pgrep -u "$user" -f "^$work/libexec/skyvault/skyvault"); do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
  rm -rf "$home/.config/skyvault"
}
trap cleanup EXIT

fail() {
  trap - ERR
  echo "FAIL: $*"
  [ -f "$work/sway.log" ] && grep -v "DRM\|Xwayland\|xwayland" "$work/sway.log" | tail -n 15
  [ -f "$work/saver.log" ] && tail -n 15 "$work/saver.log"
  exit 1
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# The sanitizer build's options (its leak suppressions) pass on to the user.
as_user() {
  local sockets=("$runtime"/sway-ipc.*.sock)
  runuser -u "$user" -- env -i HOME="$home" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$runtime" \
    ASAN_OPTIONS="${ASAN_OPTIONS:-}" LSAN_OPTIONS="${LSAN_OPTIONS:-}" \
    WAYLAND_DISPLAY=wayland-1 SWAYSOCK="${sockets[0]}" "$@"
}

# Headless sway with HEADLESS-1 at 1920 x 1080 and HEADLESS-2 as given.
start_sway() {
  local second=$1 _
  cat >"$work/sway.conf" <<CONFIG
output HEADLESS-1 resolution 1920x1080 position 0 0
output HEADLESS-2 $second position 1920 0
CONFIG
  chmod 644 "$work/sway.conf"
  # shellcheck disable=SC2016 # the user's shell expands it
  runuser -u "$user" -- env -i HOME="$home" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$runtime" \
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sh -c 'echo $$ > "$XDG_RUNTIME_DIR/sway.pid"; exec sway -c "$0"' "$work/sway.conf" \
    >"$work/sway.log" 2>&1 &
  for _ in $(seq 1 50); do
    as_user swaymsg -t get_version >/dev/null 2>&1 && break
    sleep 0.2
  done
  sway_pid=$(cat "$runtime/sway.pid")
  as_user swaymsg -t get_version >/dev/null 2>&1 || fail "sway did not start"
  as_user swaymsg create_output >/dev/null
  as_user swaymsg output HEADLESS-2 "$second" >/dev/null
}

# Starts the saver as the user; its own id lands in $runtime/saver.pid.
start_saver() {
  rm -f "$runtime/saver.pid"
  # shellcheck disable=SC2016 # the user's shell expands it
  as_user sh -c 'echo $$ > "$XDG_RUNTIME_DIR/saver.pid"; exec "$0" "$@"' \
    "$work/libexec/skyvault/skyvault" "$@" >"$work/saver.log" 2>&1 &
  run_pid=$!
  local _
  for _ in $(seq 1 50); do
    [ -s "$runtime/saver.pid" ] && break
    sleep 0.1
  done
}
saver_pid() { cat "$runtime/saver.pid"; }

# Waits up to 10 s until both outputs show the bridge with an aircraft.
check_outputs() {
  local what=$1 output _ shown
  for output in HEADLESS-1 HEADLESS-2; do
    shown=no
    for _ in $(seq 1 20); do
      as_user grim -o "$output" "$work/shots/$output.png" 2>/dev/null || true
      if "$probe" check-png "$work/shots/$output.png" "$data/Bridge.bmp" >"$work/probe.log"; then
        shown=yes
        break
      fi
      sleep 0.5
    done
    echo "$what, $output: $(cat "$work/probe.log")"
    [ "$shown" = yes ] || fail "$what: $output does not show the bridge with an aircraft"
  done
}

# Waits for the saver started last to end, up to `limit` ms after `started`;
# checks its status is one of the allowed. Input is given 4 s, since the
# time counts the input tool's own start (wtype waits 300 ms, the pointer
# probe 500 ms), which a loaded machine under the sanitizers stretches;
# signals and a lost compositor get their second.
expect_end() {
  local how=$1 started=$2 limit=$3 allowed=$4 status=0 elapsed
  while kill -0 "$(saver_pid)" 2>/dev/null; do
    [ $(($(now_ms) - started)) -gt 5000 ] && break
    sleep 0.02
  done
  elapsed=$(($(now_ms) - started))
  kill -0 "$(saver_pid)" 2>/dev/null && fail "still running $elapsed ms after $how"
  wait "$run_pid" || status=$?
  run_pid=""
  echo "ended $elapsed ms after $how, status $status"
  [ "$elapsed" -le "$limit" ] || fail "ended only $elapsed ms after $how"
  [[ " $allowed " == *" $status "* ]] || fail "status $status after $how"
}

case $case in
  outputs)
    start_sway "resolution 1280x1024"
    start_saver
    check_outputs "layer surfaces"
    # SKYVAULT_SHOTS_DIR keeps the screenshots (the README's come from here).
    if [ -n "${SKYVAULT_SHOTS_DIR:-}" ]; then
      as_user grim "$work/shots/outputs.png"
      cp "$work/shots/"*.png "$SKYVAULT_SHOTS_DIR/"
    fi
    # The keyboard of wtype appears with it: the key comes a moment later.
    started=$(now_ms)
    as_user wtype -s 300 k
    expect_end "a key" "$started" 4000 0

    start_saver
    check_outputs "again"
    started=$(now_ms)
    kill -TERM "$(saver_pid)"
    expect_end "SIGTERM" "$started" 1000 0

    start_saver
    check_outputs "before an output goes"
    as_user swaymsg output HEADLESS-2 disable >/dev/null
    sleep 1
    kill -0 "$(saver_pid)" || fail "the saver ended with its output"
    as_user grim -o HEADLESS-1 "$work/shots/left.png"
    "$probe" check-png "$work/shots/left.png" "$data/Bridge.bmp" ||
      fail "HEADLESS-1 not drawn after HEADLESS-2 went"
    as_user swaymsg output HEADLESS-2 enable >/dev/null
    check_outputs "the output back"
    # An output plugged in while it runs gets a surface of its own.
    as_user swaymsg create_output >/dev/null
    as_user swaymsg output HEADLESS-3 resolution 1024x768 >/dev/null
    shown=no
    for _ in $(seq 1 20); do
      as_user grim -o HEADLESS-3 "$work/shots/HEADLESS-3.png" 2>/dev/null || true
      if "$probe" check-png "$work/shots/HEADLESS-3.png" "$data/Bridge.bmp" >"$work/probe.log"; then
        shown=yes
        break
      fi
      sleep 0.5
    done
    echo "a new output, HEADLESS-3: $(cat "$work/probe.log")"
    [ "$shown" = yes ] || fail "the new output HEADLESS-3 does not show the saver"

    started=$(now_ms)
    kill -KILL "$sway_pid"
    sway_pid=""
    expect_end "the compositor was killed" "$started" 1000 "0 1"
    ;;
  scale)
    start_sway "resolution 1280x1024 scale 2"
    start_saver
    check_outputs "scale 2"
    size=$(file "$work/shots/HEADLESS-2.png" | grep -o '[0-9]* x [0-9]*')
    [ "$size" = "1280 x 1024" ] || fail "the scale-2 output's screenshot is $size"
    "$probe" detail-png "$work/shots/HEADLESS-2.png" || fail "the frame at scale 2 was enlarged"
    if [ -n "${SKYVAULT_SHOTS_DIR:-}" ]; then
      cp "$work/shots/HEADLESS-2.png" "$SKYVAULT_SHOTS_DIR/scale2.png"
    fi
    ;;
  xdg)
    start_sway "resolution 1280x1024"
    start_saver --wayland-shell xdg
    check_outputs "full-screen windows"
    # Windows of app id "skyvault" in full screen, and the outputs they are on.
    fullscreen=$(as_user swaymsg -t get_tree | python3 -c '
import json, sys
def walk(node, output):
    if node.get("type") == "output": output = node["name"]
    if node.get("app_id") == "skyvault" and node.get("fullscreen_mode") == 1: yield output
    for child in node.get("nodes", []) + node.get("floating_nodes", []): yield from walk(child, output)
print(" ".join(sorted(walk(json.load(sys.stdin), ""))))')
    echo "full-screen windows: $fullscreen"
    [ "$fullscreen" = "HEADLESS-1 HEADLESS-2" ] || fail "full-screen windows on: $fullscreen"
    started=$(now_ms)
    as_user swaymsg '[app_id="skyvault"] kill' >/dev/null
    expect_end "the windows were closed" "$started" 1000 0
    ;;
  pointer)
    start_sway "resolution 1280x1024"
    start_saver
    check_outputs "before the pointer moves"
    as_user "$work/libexec/skyvault/pointer_probe" move 3
    sleep 0.5
    kill -0 "$(saver_pid)" 2>/dev/null || fail "three motions ended the saver"
    echo "running after three motions"
    # The probe's own 0.5 s before it moves counts in the bound.
    started=$(now_ms)
    as_user "$work/libexec/skyvault/pointer_probe" move 1
    expect_end "the fourth motion" "$started" 4000 0

    start_saver
    check_outputs "before a click"
    started=$(now_ms)
    as_user "$work/libexec/skyvault/pointer_probe" click
    expect_end "a click" "$started" 4000 0
    ;;
  swayidle)
    start_sway "resolution 1280x1024"
    as_user swayidle -w timeout 2 \
      "sh -c 'echo \$\$ > \"\$XDG_RUNTIME_DIR/saver.pid\"; exec $work/libexec/skyvault/skyvault'" \
      >"$work/idle.log" 2>&1 &
    idle_pid=$!
    for _ in $(seq 1 50); do
      [ -s "$runtime/saver.pid" ] && break
      sleep 0.2
    done
    [ -s "$runtime/saver.pid" ] || fail "the idle daemon started no saver in 10 s"
    check_outputs "started by swayidle"
    started=$(now_ms)
    as_user wtype -s 300 k
    while kill -0 "$(saver_pid)" 2>/dev/null && [ $(($(now_ms) - started)) -lt 5000 ]; do
      sleep 0.05
    done
    elapsed=$(($(now_ms) - started))
    kill -0 "$(saver_pid)" 2>/dev/null && fail "still running $elapsed ms after a key"
    echo "ended $elapsed ms after a key"
    left=$(pgrep -u "$user" -f "^$work/libexec/skyvault/skyvault" || true)
    [ -z "$left" ] || fail "left running: $left"
    ;;
  *)
    echo "unknown case $case"
    exit 2
    ;;
esac
echo "PASS: $case"
