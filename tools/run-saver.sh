#!/usr/bin/env bash
# Installs what is missing, builds Skyvault and runs it.
#
#   tools/run-saver.sh [--windows] [--screenshots]
#
# By default the native Linux saver (build/native/startup/linux/skyvault);
# with --windows the Windows build under Wine in a private prefix
# (build/windows/wineprefix). With a display it starts the saver full-screen
# there (a key, a click or moving the mouse ends it). Without one, or with
# --screenshots, it starts a private Xvfb (1920 x 1080), runs the saver for a
# few seconds, writes screenshots and prints where they are.
set -eu
cd "$(dirname "$0")/.."
windows="" screenshots=""
for arg in "$@"; do
  case "$arg" in
    --windows) windows=yes ;;
    --screenshots) screenshots=yes ;;
    *) echo "usage: tools/run-saver.sh [--windows] [--screenshots]" >&2; exit 2 ;;
  esac
done
tools/install-deps.sh

if [ -n "$windows" ]; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target skyvault
  export WINEPREFIX=$PWD/build/windows/wineprefix
  # shellcheck source=tools/wine-env.sh
  . tools/wine-env.sh
  skyvault_wine_prefix_ready
  saver=(wine "$PWD/build/windows/startup/win32/skyvault.scr" /s)
else
  cmake --preset native >/dev/null
  cmake --build --preset native --target skyvault
  saver=("$PWD/build/native/startup/linux/skyvault")
fi

if [ -n "${DISPLAY:-}" ] && [ -z "$screenshots" ]; then
  echo "Starting Skyvault full-screen on $DISPLAY: press a key to end it."
  exec "${saver[@]}"
fi

# shellcheck source=tools/xvfb.sh
. tools/xvfb.sh
SKYVAULT_SCREEN=1920x1080x24 skyvault_start_xvfb
shots="$PWD/build/screenshots"
mkdir -p "$shots"
saver_pid=""
cleanup() {
  set +e
  [ -n "$saver_pid" ] && kill "$saver_pid" 2>/dev/null
  [ -n "$windows" ] && wineserver -k >/dev/null 2>&1
  skyvault_stop_xvfb
}
trap cleanup EXIT
if [ -n "$windows" ]; then
  # (the server that made a new prefix may still be winding down: replace it)
  wineserver -k </dev/null >/dev/null 2>&1 || true
  (wineserver -p; wine cmd /c exit) </dev/null >/dev/null 2>&1
fi
"${saver[@]}" </dev/null >/dev/null 2>&1 &
saver_pid=$!
name=skyvault
[ -n "$windows" ] || name=skyvault-linux
for second in 3 6 9; do
  sleep 3
  import -window root "$shots/$name-${second}s.png"
done
xdotool key space || true
sleep 1
echo "Skyvault ran for 9 s in a private Xvfb (1920 x 1080). Screenshots:"
ls -1 "$shots/$name"-*.png
