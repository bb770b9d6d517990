#!/usr/bin/env bash
# Installs Skyvault silently into a fresh Wine prefix, checks where the files
# land, the rights the installer asks icacls to give the data folder (a
# recording program stands in for icacls: Wine's own neither keeps nor shows
# rights) and the screen-saver setting of the session's user, runs the
# installed saver and ends it with a key, then uninstalls silently and checks
# that the files are gone, the previous screen saver is back and the user's
# settings are kept. Apps' entry shows the saver's icon, the version and the
# installed size.
# usage: install_run_uninstall.sh Skyvault-Setup.exe <prefix folder> <command_recorder.exe>
#        <version (x.y.z)>   (needs DISPLAY)
set -u
setup=$1
export WINEPREFIX=$2
recorder=$3
version=$4
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
# The recording stand-in runs instead of Wine's icacls.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;icacls.exe=n"
export SKYVAULT_COMMAND_LOG='C:\icacls.log'
skyvault_wine_start
c="$WINEPREFIX/drive_c"
cp "$recorder" "$c/windows/system32/icacls.exe"
desktop='HKCU\Control Panel\Desktop'
wine reg add "$desktop" /v SCRNSAVE.EXE /d 'C:\windows\system32\previous.scr' /f </dev/null >/dev/null 2>&1

# The installer's own file: the saver's icon and the build's version.
wrestool -x -t 14 "$setup" > "$WINEPREFIX.ico"
check "installer carries the icon" bash -c "icotool -l '$WINEPREFIX.ico' | grep -q -- '--width=256'"
rm -f "$WINEPREFIX.ico"
wrestool -x --raw -t 16 "$setup" | iconv -f utf-16le -t utf-8 -c | tr -c '[:print:]' '\n' |
  grep -v '^.\{0,1\}$' > "$WINEPREFIX.version"
installer_value() { grep -A1 -x "$1" "$WINEPREFIX.version" | tail -1; }
check "installer's FileVersion" test "$(installer_value FileVersion)" = "$version.0"
check "installer's ProductVersion" test "$(installer_value ProductVersion)" = "$version.0"
check "installer's CompanyName" test "$(installer_value CompanyName)" = Hallowmere
rm -f "$WINEPREFIX.version"

wine "$setup" /S </dev/null >/dev/null 2>&1
check "installer exits 0" test $? -eq 0
check "saver installed" test -f "$c/windows/system32/skyvault.scr"
for f in Plane24.bmp Plane03.bmp Plane21.bmp Bridge.bmp Tarnwing1.bmp Plane24@4x.png Bridge@4x.png Tarnwing1@4x.png Prop.wav help.html; do
  check "data file $f" test -f "$c/Hallowmere/Skyvault1/$f"
done
check "no program in the data folder" \
  test -z "$(find "$c/Hallowmere" -iname '*.exe' -o -iname '*.scr' -o -iname '*.dll')"
check "uninstaller beside the programs" test -f "$c/Program Files/Skyvault/uninstall.exe"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Skyvault'
check "registered in Add/Remove Programs" \
  test "$(reg_value "$uninstall_key" UninstallString)" = '"C:\Program Files\Skyvault\uninstall.exe"'
check "Apps shows the saver's icon" \
  test "$(reg_value "$uninstall_key" DisplayIcon)" = 'C:\windows\system32\skyvault.scr'
check "Apps shows the version" test "$(reg_value "$uninstall_key" DisplayVersion)" = "$version"
# The installed files in KB, as du counts them (within a tenth).
installed_kb=$(du -skL "$c/windows/system32/skyvault.scr" "$c/Hallowmere" "$c/Program Files/Skyvault" |
  awk '{s += $1} END {print s}')
estimated_kb=$(($(reg_value "$uninstall_key" EstimatedSize)))
check "Apps shows the installed size ($estimated_kb KB, du $installed_kb KB)" \
  test "$estimated_kb" -gt $((installed_kb * 9 / 10)) -a "$estimated_kb" -lt $((installed_kb * 11 / 10))

# The data folder tree: owned by Administrators, inheriting nothing from C:\,
# Administrators and SYSTEM full, Users read and execute, its content reset to
# inherit only that. Real Windows alone shows the rights that result.
rights=$(tr -d '\r' <"$c/icacls.log" 2>/dev/null)
printf '%s\n' "$rights" | sed 's/^/  icacls: /'
has_call() { printf '%s\n' "$rights" | grep -qF -- "$1"; }
check "the data tree's owner set to Administrators" \
  has_call '\icacls.exe" "C:\Hallowmere" /setowner *S-1-5-32-544 /T /C'
check "inheritance from C:\ removed, the three grants given" \
  has_call '\icacls.exe" "C:\Hallowmere" /inheritance:r /grant:r *S-1-5-32-544:(OI)(CI)F *S-1-5-18:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX'
check "what was inside inherits only those" \
  has_call '\icacls.exe" "C:\Hallowmere\*" /reset /T /C'
check "no other grant" test "$(printf '%s\n' "$rights" | grep -c -- /grant)" -eq 1

# The screen saver is the session user's: the installer found that user
# through the session and wrote to that user's hive (here the same account as
# the installer's own; a standard user elevated by an administrator's
# password shows the difference on real Windows only).
check "screen saver set to Skyvault" test "$(reg_value "$desktop" SCRNSAVE.EXE)" = 'C:\windows\system32\skyvault.scr'
session_user=$(reg_value "$uninstall_key" ScreenSaverUser)
check "the session's user found" test -n "$session_user"
check "chosen in that user's hive" \
  test "$(reg_value "HKU\\$session_user\\Control Panel\\Desktop" SCRNSAVE.EXE)" = 'C:\windows\system32\skyvault.scr'

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

# From its folder with a blank in its name the uninstaller copies itself
# away and works in the background: wait until it has removed itself.
wine 'C:\Program Files\Skyvault\uninstall.exe' /S </dev/null >/dev/null 2>&1
check "uninstaller exits 0" test $? -eq 0
for _ in $(seq 1 300); do
  [ -e "$c/Program Files/Skyvault" ] || break
  sleep 0.1
done
check "uninstaller and its folder removed" test ! -e "$c/Program Files/Skyvault"
check "saver removed" test ! -e "$c/windows/system32/skyvault.scr"
check "data folder removed" test ! -e "$c/Hallowmere"
check "previous screen saver restored" test "$(reg_value "$desktop" SCRNSAVE.EXE)" = 'C:\windows\system32\previous.scr'
check "uninstall entry removed" \
  test -z "$(reg_value 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Skyvault' UninstallString)"
check "user settings kept" test "$(reg_value 'HKCU\Software\Skyvault\System' SetReg)" = 2

echo "$failures failed"
[ "$failures" -eq 0 ]
