#!/usr/bin/env bash
# Installs Skyvault silently into a fresh Wine prefix, checks the files and the
# screen-saver setting, runs the installed saver and ends it with a key, then
# uninstalls silently and checks that the files are gone, the previous screen
# saver is back and the user's settings are kept.
# usage: install_run_uninstall.sh Skyvault-Setup.exe <prefix folder>   (needs DISPLAY)
set -u
setup=$1
export WINEPREFIX=$2
export SKYVAULT_NO_DATA_LINK=1
# shellcheck source=tools/wine-env.sh
. "$(dirname "$0")/../../tools/wine-env.sh"

failures=0
check() {  # check "what" command...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
reg_value() {  # reg_value key name -> the value's data, or nothing
  wine reg query "$1" /v "$2" </dev/null 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n {sub(/^[\t ]*[^\t ]+[\t ]+REG_[A-Z_]+[\t ]+/, ""); print}'
}

rm -rf "$WINEPREFIX" "$WINEPREFIX.lock"
skyvault_wine_start
c="$WINEPREFIX/drive_c"
desktop='HKCU\Control Panel\Desktop'
wine reg add "$desktop" /v SCRNSAVE.EXE /d 'C:\windows\system32\previous.scr' /f </dev/null >/dev/null 2>&1

wine "$setup" /S </dev/null >/dev/null 2>&1
check "installer exits 0" test $? -eq 0
check "saver installed" test -f "$c/windows/system32/skyvault.scr"
for f in Plane24.bmp Plane03.bmp Plane21.bmp Bridge.bmp Tarnwing1.bmp Plane24@4x.png Bridge@4x.png Tarnwing1@4x.png Prop.wav help.html uninstall.exe; do
  check "data file $f" test -f "$c/Hallowmere/Skyvault1/$f"
done
check "screen saver set to Skyvault" test "$(reg_value "$desktop" SCRNSAVE.EXE)" = 'C:\windows\system32\skyvault.scr'
check "registered in Add/Remove Programs" \
  test -n "$(reg_value 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Skyvault' UninstallString)"

# The installed saver starts full-screen and a key ends it.
wine 'C:\windows\system32\skyvault.scr' /s </dev/null >/dev/null 2>&1 &
saver=$!
window=$(skyvault_wait_for_window Skyvault)
check "saver window shown" test -n "$window"
# Keys until it ends (the first may come before the window takes input).
for _ in $(seq 1 20); do
  kill -0 "$saver" 2>/dev/null || break
  [ -n "$window" ] && xdotool key --window "$window" a >/dev/null 2>&1
  xdotool key a >/dev/null 2>&1
  skyvault_wait_for_exit "$saver" 1 && break
done
check "a key ends the installed saver" skyvault_wait_for_exit "$saver"
kill "$saver" 2>/dev/null
check "the saver wrote its first-run settings" test "$(reg_value 'HKCU\Software\Skyvault\System' SetReg)" = 2

wine 'C:\Hallowmere\Skyvault1\uninstall.exe' /S '_?=C:\Hallowmere\Skyvault1' </dev/null >/dev/null 2>&1
check "uninstaller exits 0" test $? -eq 0
check "saver removed" test ! -e "$c/windows/system32/skyvault.scr"
check "data files removed" test -z "$(find "$c/Hallowmere/Skyvault1" -mindepth 1 ! -name uninstall.exe 2>/dev/null)"
check "previous screen saver restored" test "$(reg_value "$desktop" SCRNSAVE.EXE)" = 'C:\windows\system32\previous.scr'
check "uninstall entry removed" \
  test -z "$(reg_value 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Skyvault' UninstallString)"
check "user settings kept" test "$(reg_value 'HKCU\Software\Skyvault\System' SetReg)" = 2

echo "$failures failed"
[ "$failures" -eq 0 ]
