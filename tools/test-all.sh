#!/usr/bin/env bash
# Installs what is missing, builds both presets and runs every test:
# the portable code natively, the Windows code under Wine in a private Xvfb.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
. tools/xvfb.sh

cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

cmake --preset windows >/dev/null
cmake --build --preset windows

export WINEPREFIX=$PWD/build/windows/wineprefix
. tools/wine-env.sh
skyvault_wine_prefix_ready
skyvault_start_xvfb
cleanup() { wineserver -k >/dev/null 2>&1 || true; skyvault_stop_xvfb; }
trap cleanup EXIT
# A persistent wine server started outside ctest: every test then starts fast.
# (the server that made a new prefix may still be winding down: replace it)
wineserver -k </dev/null >/dev/null 2>&1 || true
(wineserver -p; wine cmd /c exit) </dev/null >/dev/null 2>&1 || true
ctest --preset windows
