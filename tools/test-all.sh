#!/usr/bin/env bash
# Installs what is missing, checks the C++ formatting and the shell scripts,
# builds the three presets and runs every test: the portable code natively,
# again under AddressSanitizer and UndefinedBehaviorSanitizer (without the
# 48-hour soak), and the Windows code, the installer and the art under Wine
# in a private Xvfb.
set -eu
cd "$(dirname "$0")/.."
stage() { echo "== $1 (at $((SECONDS / 60)) min $((SECONDS % 60)) s)"; }
tools/install-deps.sh
stage "C++ formatting and shell scripts"
tools/check-style.sh

for preset in native native-asan; do
  stage "$preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

stage windows
cmake --preset windows >/dev/null
cmake --build --preset windows
export WINEPREFIX=$PWD/build/windows/wineprefix
# shellcheck source=tools/wine-env.sh
. tools/wine-env.sh
skyvault_wine_start_in_xvfb
ctest --preset windows
stage "all green"
