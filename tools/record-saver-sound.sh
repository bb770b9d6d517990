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
. tools/wine-env.sh
. tools/xvfb.sh
skyvault_wine_prefix_ready
home=$(mktemp -d)
printf 'pcm.!default {\n  type file\n  slave.pcm "null"\n  file "%s/out.raw"\n  format "raw"\n}\n' "$home" >"$home/.asoundrc"
skyvault_start_xvfb
wineserver -k </dev/null >/dev/null 2>&1 || true
HOME=$home wine build/windows/startup/win32/skyvault.scr /s </dev/null >/dev/null 2>&1 &
sleep "$seconds"
xdotool key a || true
sleep 2
wineserver -k </dev/null >/dev/null 2>&1 || true
skyvault_stop_xvfb
# Wine's ALSA output: 32-bit float, stereo, 48 kHz.
sox -t raw -r 48000 -e floating-point -b 32 -c 2 "$home/out.raw" "$out"
rm -rf "$home"
sox "$out" -n stat 2>&1 | head -8
echo "recorded: $out"
