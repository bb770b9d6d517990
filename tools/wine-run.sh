#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build tree's own
# prefix (build/<preset>/wineprefix). CTest uses it as the cross-compiling
# emulator: wine-run.sh program.exe [arguments...]
set -u
program=$1
shift
if [ -z "${WINEPREFIX:-}" ]; then
  dir=$(cd "$(dirname "$program")" && pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  export WINEPREFIX="$dir/wineprefix"
fi
# shellcheck source=tools/wine-env.sh
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
skyvault_wine_prefix_ready
exec wine "$program" "$@"
