#!/usr/bin/env bash
# Installs what is missing, builds Skyvault for Windows and runs it under Wine
# in a private prefix (build/windows/wineprefix). With a display it starts the
# saver full-screen there (a key, a click or moving the mouse ends it). Without
# one it starts a private Xvfb, runs the saver for a few seconds, writes
# screenshots and prints where they are.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target skyvault

export WINEPREFIX=$PWD/build/windows/wineprefix
. tools/wine-env.sh
skyvault_wine_prefix_ready
saver="$PWD/build/windows/startup/win32/skyvault.scr"

if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != "--screenshots" ]; then
  echo "Starting Skyvault full-screen on $DISPLAY: press a key to end it."
  exec wine "$saver" /s
fi

. tools/xvfb.sh
SKYVAULT_SCREEN=1920x1080x24 skyvault_start_xvfb
shots="$PWD/build/screenshots"
mkdir -p "$shots"
cleanup() { wineserver -k >/dev/null 2>&1 || true; skyvault_stop_xvfb; }
trap cleanup EXIT
# (the server that made a new prefix may still be winding down: replace it)
wineserver -k </dev/null >/dev/null 2>&1 || true
(wineserver -p; wine cmd /c exit) </dev/null >/dev/null 2>&1
wine "$saver" /s </dev/null >/dev/null 2>&1 &
saver_pid=$!
for second in 3 6 9; do
  sleep 3
  import -window root "$shots/skyvault-${second}s.png"
done
xdotool key space || true
sleep 1
kill "$saver_pid" 2>/dev/null || true
echo "Skyvault ran for 9 s in a private Xvfb (1920 x 1080). Screenshots:"
ls -1 "$shots"/skyvault-*.png
