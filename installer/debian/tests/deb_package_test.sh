#!/usr/bin/env bash
# Builds the .deb, checks its content and control fields, runs lintian and
# desktop-file-validate on it, unpacks it and runs the program from there:
# --help, then a few seconds on a private Xvfb.
#   deb_package_test.sh BUILD_DIR HAS_PROGRAM(0|1) HARDENED(0|1)
# HARDENED says the build took Debian's hardening flags (a release build;
# the debug and sanitizer builds go without them).
# Exits 77 (skipped) after the checks it can make when the program is not
# built yet. Works outside the build tree, where a program counts as
# installed; the folder stays for a look when something failed.
set -u
build=$1
has_program=$2
hardened=${3:-1}
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../../.." && pwd)
failures=0
check() {
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

work=$(mktemp -d /tmp/skyvault-deb-XXXXXX)
finish() {
  if [ "$failures" -eq 0 ]; then rm -rf "$work"; else echo "left for a look: $work"; fi
}
trap finish EXIT
if ! cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAILED: cpack"
  failures=1
  exit 1
fi
deb=$(find "$work/out" -maxdepth 1 -name 'skyvault_*.deb' | head -n 1)
check "a .deb was made" test -f "$deb"
[ -f "$deb" ] || exit 1

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/files"
listed() { grep -qx "$1" "$work/files"; }
for f in /usr/share/xscreensaver/config/skyvault.xml \
  /usr/share/applications/screensavers/skyvault.desktop \
  /usr/share/man/man6/skyvault.6x.gz \
  /usr/share/doc/skyvault/copyright /usr/share/doc/skyvault/changelog.gz \
  /usr/share/skyvault/Bridge.bmp /usr/share/skyvault/Tarnwing1.bmp \
  /usr/share/skyvault/Plane24.bmp /usr/share/skyvault/Prop.wav /usr/share/skyvault/help.html; do
  check "package holds $f" listed "$f"
done
for f in "$source_dir"/assets/data/*; do
  check "package holds the data file $(basename "$f")" listed "/usr/share/skyvault/$(basename "$f")"
done
check "nothing outside /usr" test -z "$(grep -v '^/usr/\|^/$' "$work/files")"
field() { dpkg-deb -f "$deb" "$1"; }
check "package name" test "$(field Package)" = skyvault
check "recommends the Arial-alike fonts" test "$(field Recommends)" = fonts-liberation2

root="$work/root"
dpkg-deb -x "$deb" "$root"
check "settings window description is well-formed XML" \
  xmllint --noout "$root/usr/share/xscreensaver/config/skyvault.xml"
desktop="$root/usr/share/applications/screensavers/skyvault.desktop"
check "desktop entry runs the packaged program on the root window" \
  grep -qx 'Exec=/usr/libexec/xscreensaver/skyvault --root' "$desktop"
check "desktop entry is tried where the package puts the program" \
  grep -qx 'TryExec=/usr/libexec/xscreensaver/skyvault' "$desktop"
# desktop-file-validate: no error and no warning. It gives one hint, that
# the reserved category "Screensaver" is no main category of an application
# menu: the entry is meant for the screen savers' lists, not for a menu.
desktop-file-validate "$desktop" >"$work/desktop-file-validate.txt" 2>&1
check "desktop-file-validate accepts the desktop entry" test $? -eq 0
check "desktop-file-validate finds no error and no warning" \
  test -z "$(grep -v ': hint: ' "$work/desktop-file-validate.txt")"
cat "$work/desktop-file-validate.txt"

# lintian: nothing at all down to its informational tags, but for these:
# - arch-dep-package-has-big-usr-share: the pictures and sound come with the
#   program in one package; a second, architecture-independent package
#   would only split what is always installed together.
# - package-contains-documentation-outside-usr-share-doc: help.html is the
#   saver's own help page, read from its data folder beside the pictures.
# - binary-has-unneeded-section: cpack strips the program's symbols but
#   keeps its .comment section (the compiler's name, a few bytes).
lintian --fail-on error,warning,info \
  --suppress-tags arch-dep-package-has-big-usr-share,package-contains-documentation-outside-usr-share-doc,binary-has-unneeded-section \
  "$deb" >"$work/lintian.txt" 2>&1
check "lintian finds nothing" test $? -eq 0
grep -v 'running with root privileges' "$work/lintian.txt"
check "man page reads" bash -c "gzip -dc '$root/usr/share/man/man6/skyvault.6x.gz' | grep -q '^\.SH OPTIONS'"

if [ "$has_program" != 1 ]; then
  echo "The program (target skyvault) is not built yet: its part of the test is skipped."
  [ "$failures" -eq 0 ] || exit 1
  exit 77
fi

program="$root/usr/libexec/xscreensaver/skyvault"
check "package holds the program" listed /usr/libexec/xscreensaver/skyvault
check "the program can run" test -x "$program"
# Built with Debian's hardening flags: read-only relocations bound at
# start, the stack protector, and fortified libc calls.
headers=$(readelf -lW "$program")
dynamic=$(readelf -dW "$program")
symbols=$(readelf --dyn-syms -W "$program")
check "relocations are read-only after start (relro)" grep -q GNU_RELRO <<<"$headers"
if [ "$hardened" = 1 ]; then
  check "symbols are bound at start (bindnow)" grep -Eq 'BIND_NOW|FLAGS_1.*NOW' <<<"$dynamic"
  check "the stack protector is in" grep -q __stack_chk_fail <<<"$symbols"
  fortified() { grep -v __stack_chk_fail <<<"$symbols" | grep -Eq '__[a-z0-9_]+_chk\b'; }
  check "libc calls are fortified" fortified
else
  echo "not checked: bindnow, the stack protector, fortified calls (a build without hardening)"
fi
depends=$(field Depends)
for library in libasound2 libsndfile1 libwayland-client0 libc6; do
  check "depends on $library" grep -q "$library" <<<"$depends"
done

home="$work/home"
mkdir -p "$home"
printf 'pcm.!default { type null }\n' >"$home/.asoundrc"
run() { env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/config" "$@"; }
run "$program" --help >"$work/help.txt" 2>&1
check "--help succeeds" test $? -eq 0
check "--help names the settings options" grep -q -- '--background' "$work/help.txt"

# shellcheck source=tools/xvfb.sh
source "$source_dir/tools/xvfb.sh"
skyvault_start_xvfb
run DISPLAY="$DISPLAY" "$program" --root >"$work/run.log" 2>&1 &
saver=$!
ini="$home/config/skyvault/skyvault.ini"
for _ in $(seq 1 50); do
  grep -q '^SetReg=2$' "$ini" 2>/dev/null && break
  sleep 0.1
done
sleep 2
check "the saver keeps running" kill -0 "$saver"
import -window root "$work/screen.png" 2>/dev/null
kill -TERM "$saver" 2>/dev/null
wait "$saver"
skyvault_stop_xvfb
check "the first run wrote the settings" grep -qx 'SetReg=2' "$ini"
check "the bridge comes from the package's data folder" \
  grep -qx "BMPFileName=$(cd "$root/usr/share/skyvault" && pwd -P)/Bridge.bmp" "$ini"
colours=$(convert "$work/screen.png" -format %k info: 2>/dev/null || echo 0)
check "the screen shows a picture ($colours colours)" test "${colours:-0}" -gt 50

[ "$failures" -eq 0 ]
