#!/usr/bin/env bash
# Installs what is missing, builds Skyvault for Windows and runs it under Wine
# in a private prefix (build/windows/wineprefix). With a display it starts the
# saver full-screen there (a key, a click or moving the mouse ends it). Without
# one (or with --screenshots) it starts a private Xvfb, runs the saver for a
# few seconds, writes screenshots and prints where they are.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target skyvault

export WINEPREFIX=$PWD/build/windows/wineprefix
# shellcheck source=tools/wine-env.sh
. tools/wine-env.sh
saver="$PWD/build/windows/startup/win32/skyvault.scr"

if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != "--screenshots" ]; then
  skyvault_wine_prefix_ready
  echo "Starting Skyvault full-screen on $DISPLAY: press a key to end it."
  exec wine "$saver" /s
fi

SKYVAULT_SCREEN=1920x1080x24 skyvault_wine_start_in_xvfb
shots="$PWD/build/screenshots"
mkdir -p "$shots"
wine "$saver" /s </dev/null >/dev/null 2>&1 &
saver_pid=$!
skyvault_at_exit "kill $saver_pid 2>/dev/null"
[ -n "$(skyvault_wait_for_window Skyvault)" ] || { echo "the saver showed no window" >&2; exit 1; }
for second in 3 6 9; do
  sleep 3
  import -window root "$shots/skyvault-${second}s.png"
done
xdotool key space || true
skyvault_wait_for_exit "$saver_pid" || echo "the saver did not end at a key" >&2
echo "Skyvault ran for 9 s in a private Xvfb (1920 x 1080). Screenshots:"
ls -1 "$shots"/skyvault-*.png
