#!/usr/bin/env bash
# Installs what is missing, builds Skyvault and runs it.
#
#   tools/run-saver.sh [--windows] [--screenshots] [--user-settings]
#
# By default the native Linux saver (build/native/startup/linux/skyvault);
# with --windows the Windows build under Wine in a private prefix
# (build/windows/wineprefix). The settings are the build tree's own too:
# the Linux saver keeps them in build/run-settings/skyvault/skyvault.ini,
# the Windows one in the prefix's registry, so a run from a checkout never
# stores the checkout's picture paths in the user's own settings. With
# --user-settings the Linux saver uses the user's own settings
# ($XDG_CONFIG_HOME or ~/.config). With a display it starts the saver full-screen
# there (a key, a click or moving the mouse ends it). Without one, or with
# --screenshots, it starts a private Xvfb (1920 x 1080), runs the saver for a
# few seconds, writes screenshots and prints where they are.
set -eu
cd "$(dirname "$0")/.."
windows="" screenshots="" user_settings=""
for arg in "$@"; do
  case "$arg" in
    --windows) windows=yes ;;
    --screenshots) screenshots=yes ;;
    --user-settings) user_settings=yes ;;
    *)
      echo "usage: tools/run-saver.sh [--windows] [--screenshots] [--user-settings]" >&2
      exit 2
      ;;
  esac
done
tools/install-deps.sh

# shellcheck source=tools/wine-env.sh
. tools/wine-env.sh
if [ -n "$windows" ]; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target skyvault
  export WINEPREFIX=$PWD/build/windows/wineprefix
  saver=(wine "$PWD/build/windows/startup/win32/skyvault.scr" /s)
  name=skyvault-windows
else
  cmake --preset native >/dev/null
  cmake --build --preset native --target skyvault
  saver=("$PWD/build/native/startup/linux/skyvault")
  name=skyvault-linux
  if [ -z "$user_settings" ]; then
    export XDG_CONFIG_HOME="$PWD/build/run-settings"
    echo "Settings: $XDG_CONFIG_HOME/skyvault/skyvault.ini (--user-settings for your own)"
  fi
fi

if [ -n "${DISPLAY:-}" ] && [ -z "$screenshots" ]; then
  [ -n "$windows" ] && skyvault_wine_prefix_ready
  echo "Starting Skyvault full-screen on $DISPLAY: press a key to end it."
  exec "${saver[@]}"
fi

export SKYVAULT_SCREEN=1920x1080x24
if [ -n "$windows" ]; then
  skyvault_wine_start_in_xvfb
else
  skyvault_stop_at_exit
  skyvault_start_xvfb
fi
shots="$PWD/build/screenshots"
mkdir -p "$shots"
"${saver[@]}" </dev/null >/dev/null 2>&1 &
saver_pid=$!
skyvault_at_exit "kill $saver_pid 2>/dev/null"
[ -n "$(skyvault_wait_for_window Skyvault)" ] || {
  echo "the saver showed no window" >&2
  exit 1
}
for second in 3 6 9; do
  sleep 3
  import -window root "$shots/$name-${second}s.png"
done
xdotool key space || true
skyvault_wait_for_exit "$saver_pid" || echo "the saver did not end at a key" >&2
echo "Skyvault ran for 9 s in a private Xvfb (1920 x 1080). Screenshots:"
ls -1 "$shots"/"$name"-*.png
