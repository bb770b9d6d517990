#!/usr/bin/env bash
# Installs what is missing, checks the C++ formatting and the shell scripts,
# builds the three presets and runs every test: the portable code natively,
# again under AddressSanitizer and UndefinedBehaviorSanitizer (without the
# 48-hour soak), and the Windows code, the installer and the art under Wine
# in a private Xvfb.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/check-style.sh

for preset in native native-asan; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

cmake --preset windows >/dev/null
cmake --build --preset windows
export WINEPREFIX=$PWD/build/windows/wineprefix
# shellcheck source=tools/wine-env.sh
. tools/wine-env.sh
skyvault_wine_start_in_xvfb
ctest --preset windows
