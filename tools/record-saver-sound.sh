#!/usr/bin/env bash
# Records what the saver plays: runs skyvault.scr /s under Wine in a private
# Xvfb for a few seconds with ALSA's default device writing to a file, then
# converts it to a WAV and prints sox's figures. Wine's null device runs
# faster than real time, so the recording is longer than the run.
# usage: tools/record-saver-sound.sh [seconds (12)] [out.wav (build/saver-sound.wav)]
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-12}
out=${2:-$PWD/build/saver-sound.wav}
export WINEPREFIX=$PWD/build/windows/wineprefix
# shellcheck source=tools/wine-env.sh
. tools/wine-env.sh
home=$(mktemp -d)
printf 'pcm.!default {\n  type file\n  slave.pcm "null"\n  file "%s/out.raw"\n  format "raw"\n}\n' "$home" >"$home/.asoundrc"
# Every Wine process, the server's helpers too, sees the recording device.
export HOME=$home
skyvault_wine_start_in_xvfb
skyvault_at_exit "rm -rf '$home'"
wine build/windows/startup/win32/skyvault.scr /s </dev/null >/dev/null 2>&1 &
saver_pid=$!
sleep "$seconds"
xdotool key a || true
skyvault_wait_for_exit "$saver_pid" || kill "$saver_pid" 2>/dev/null || true
# Wine's ALSA output: 32-bit float, stereo, 48 kHz.
sox -t raw -r 48000 -e floating-point -b 32 -c 2 "$home/out.raw" "$out"
sox "$out" -n stat 2>&1 | head -8
echo "recorded: $out"
