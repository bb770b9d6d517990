# Sourced by the scripts that run Windows programs under Wine.
# Sets a private prefix and a quiet Wine; `skyvault_wine_prefix_ready` makes
# the prefix once (safe when several processes ask at the same moment).
# Expects WINEPREFIX to be set by the caller.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
SKYVAULT_SOURCE_DIR=${SKYVAULT_SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}

skyvault_wine_prefix_ready() {
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.skyvault-ready" ]; then
      wineboot -i </dev/null >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f </dev/null >/dev/null 2>&1
      touch "$WINEPREFIX/.skyvault-ready"
    fi
    # The fixed data directory points at the generated data in the source tree
    # (not in prefixes that an installer fills: SKYVAULT_NO_DATA_LINK=1).
    if [ -z "${SKYVAULT_NO_DATA_LINK:-}" ] && [ ! -e "$WINEPREFIX/drive_c/Hallowmere/Skyvault1" ] && [ -d "$SKYVAULT_SOURCE_DIR/assets/data" ]; then
      mkdir -p "$WINEPREFIX/drive_c/Hallowmere"
      ln -sfn "$SKYVAULT_SOURCE_DIR/assets/data" "$WINEPREFIX/drive_c/Hallowmere/Skyvault1"
    fi
  ) 9>"$WINEPREFIX.lock"
}
