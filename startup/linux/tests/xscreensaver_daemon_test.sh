#!/usr/bin/env bash
# Skyvault under the real xscreensaver daemon in a private Xvfb: with
# Skyvault as the one program of a test user's ~/.xscreensaver, activating
# shows Skyvault, deactivating ends it.
#   xscreensaver_daemon_test.sh SKYVAULT SAVER_PROBE DATA_DIR
# The daemon launches no saver for root, so it runs as an unprivileged user
# made for the test (once). Skipped (77) when not root or without xscreensaver.
set -eEu
# Any step that fails unexpectedly, in a function too, says which one rather
# than ending quietly.
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND (status $?)"' ERR
saver=$1 probe=$2 data=$3
user=skyvault-test
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=SCRIPTDIR/../../../tools/xvfb.sh
. "$here/../../../tools/xvfb.sh"

if [ "$(id -u)" -ne 0 ] || ! command -v xscreensaver >/dev/null; then
  echo "SKIP: needs root and the xscreensaver package"
  exit 77
fi
id -u "$user" >/dev/null 2>&1 || useradd -m "$user"
home=$(getent passwd "$user" | cut -d: -f6)

# A copy of the saver and its data that the user can reach.
work=$(mktemp -d)
chmod 755 "$work"
mkdir -p "$work/libexec/xscreensaver" "$work/share"
cp "$saver" "$work/libexec/xscreensaver/skyvault"
cp -r "$data" "$work/share/skyvault"  # found beside the program, as installed
chmod -R a+rX "$work"

daemon_pid=""
cleanup() {
  set +e
  if [ -n "$daemon_pid" ]; then
    runuser -u "$user" -- env DISPLAY="$DISPLAY" xscreensaver-command -exit >/dev/null 2>&1 || true
    kill "$daemon_pid" 2>/dev/null || true
  fi
  skyvault_stop_xvfb
  rm -rf "$work"
  rm -f "$home/.xscreensaver"
  rm -rf "$home/.config/skyvault"
}
trap cleanup EXIT
SKYVAULT_SCREEN=1024x768x24 skyvault_start_xvfb

fail() {
  echo "FAIL: $*"
  [ -f "$work/daemon.log" ] && tail -n 40 "$work/daemon.log"
  as_user xscreensaver-command -time 2>&1 | tail -n 3
  kill -0 "$SKYVAULT_XVFB_PID" 2>/dev/null || echo "the X server has gone"
  if ! kill -0 "$daemon_pid" 2>/dev/null; then
    wait "$daemon_pid" || echo "the daemon ended with status $?"
  fi
  exit 1
}

as_user() { runuser -u "$user" -- env HOME="$home" DISPLAY="$DISPLAY" "$@"; }

cat >"$home/.xscreensaver" <<CONFIG
mode: one
selected: 0
lock: False
splash: False
fade: False
unfade: False
timeout: 1:00:00
programs: $work/libexec/xscreensaver/skyvault --root
CONFIG
chown "$user" "$home/.xscreensaver"

# The daemon, started again if it does not answer: on a busy machine it
# now and then goes without ever setting up on the display.
daemon_answers() {
  local _
  for _ in $(seq 1 50); do
    as_user xscreensaver-command -time >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  return 1
}
for _ in 1 2 3; do
  as_user xscreensaver -no-splash -verbose >"$work/daemon.log" 2>&1 &
  daemon_pid=$!
  daemon_answers && break
  echo "the daemon did not answer; its log:"
  tail -n 20 "$work/daemon.log" || true
  kill "$daemon_pid" 2>/dev/null || true
  pkill -u "$user" -x xscreensaver 2>/dev/null || true
  wait "$daemon_pid" 2>/dev/null || true
done
as_user xscreensaver-command -time >/dev/null 2>&1 || fail "the daemon does not answer"

skyvault_running() { pgrep -u "$user" -x skyvault >/dev/null; }

# Sends the daemon `xscreensaver-command REQUEST` every 4 s, for up to 20 s,
# until CONDITION... holds: a busy daemon may still be settling into its new
# state when a request comes, and then lets it go.
ask_daemon_until() {
  local request=$1 attempt
  shift
  for attempt in $(seq 0 99); do
    [ $((attempt % 20)) -eq 0 ] && { as_user xscreensaver-command "$request" >/dev/null || true; }
    "$@" && return 0
    sleep 0.2
  done
  return 1
}
skyvault_shown() {
  skyvault_running && "$probe" check root "$data/Bridge.bmp" >"$work/check.log" 2>&1
}
skyvault_gone() { ! skyvault_running; }

ask_daemon_until -activate skyvault_shown ||
  { [ -f "$work/check.log" ] && cat "$work/check.log"; fail "activating does not show Skyvault"; }
cat "$work/check.log"
ask_daemon_until -deactivate skyvault_gone || fail "deactivating does not end Skyvault"
echo "PASS: the daemon shows and ends Skyvault"
