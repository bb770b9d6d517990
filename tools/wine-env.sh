# shellcheck shell=bash
# Sourced by every script that runs Windows programs under Wine; the caller
# sets WINEPREFIX. Gives a quiet Wine and:
#   skyvault_wine_prefix_ready   makes the prefix once (safe when several
#                                processes ask at the same moment)
#   skyvault_wine_start          the prefix and a persistent Wine server;
#                                when the script ends, for any reason,
#                                skyvault_wine_stop runs
#   skyvault_wine_start_in_xvfb  the same in a private Xvfb of
#                                $SKYVAULT_SCREEN (DISPLAY exported)
#   skyvault_at_exit COMMAND     runs COMMAND at skyvault_wine_stop, before
#                                the server stops (last registered, first run)
#   skyvault_wine_stop           runs those, stops the prefix's Wine server
#                                and the private Xvfb; safe to call twice
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
SKYVAULT_SOURCE_DIR=${SKYVAULT_SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
# shellcheck source=tools/xvfb.sh
. "$SKYVAULT_SOURCE_DIR/tools/xvfb.sh"

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

skyvault_exit_commands=()

skyvault_at_exit() {
  skyvault_exit_commands=("$1" "${skyvault_exit_commands[@]}")
}

skyvault_stop_at_exit() {
  trap skyvault_wine_stop EXIT
  # A signal ends the script through its EXIT trap.
  trap 'exit 130' INT
  trap 'exit 143' TERM
}

skyvault_wine_start_in_xvfb() {
  skyvault_stop_at_exit
  skyvault_start_xvfb
  skyvault_wine_start
}

skyvault_wine_start() {
  skyvault_stop_at_exit
  skyvault_wine_prefix_ready
  # The server that made a new prefix may still be winding down: replace it
  # with a persistent one, its output redirected (a server that inherits the
  # output ctest captures keeps ctest waiting). Every program then starts
  # at once instead of waiting 3 s for a server.
  wineserver -k </dev/null >/dev/null 2>&1 || true
  (
    wineserver -p
    wine cmd /c exit
  ) </dev/null >/dev/null 2>&1 || true
}

skyvault_wine_stop() {
  local command
  for command in "${skyvault_exit_commands[@]}"; do
    eval "$command" || true
  done
  skyvault_exit_commands=()
  wineserver -k </dev/null >/dev/null 2>&1 || true
  skyvault_stop_xvfb
}

