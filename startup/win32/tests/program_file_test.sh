#!/usr/bin/env bash
# What Explorer, the Screen Saver Settings list and Apps read from the shipped
# skyvault.scr, read back with icoutils: the icon at every size, the version
# resource with the build's version and the product's names; and the file
# itself: no debugging sections and no symbols, the file as linked kept
# beside it.
# usage: program_file_test.sh SKYVAULT_SCR UNSTRIPPED_SCR VERSION (x.y.z)
set -u
scr=$1 unstripped=$2 version=$3.0
failures=0
check() {
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The icon group: 16, 24, 32, 48 and 256 pixels, 32 bits each.
wrestool -x -t 14 "$scr" > "$work/icon.ico"
icotool -l "$work/icon.ico" > "$work/icons.txt"
for size in 16 24 32 48 256; do
  check "icon of $size pixels" grep -q -- "--width=$size --height=$size --bit-depth=32" "$work/icons.txt"
done

# The version resource: its strings (UTF-16) and its fixed numbers.
wrestool -x --raw -t 16 "$scr" > "$work/version.bin"
iconv -f utf-16le -t utf-8 -c < "$work/version.bin" | tr -c '[:print:]' '\n' | grep -v '^.\{0,1\}$' > "$work/version.txt"
value() { grep -A1 -x "$1" "$work/version.txt" | tail -1; }
check "FileVersion $version" test "$(value FileVersion)" = "$version"
check "ProductVersion $version" test "$(value ProductVersion)" = "$version"
check "CompanyName" test "$(value CompanyName)" = Hallowmere
check "ProductName" test "$(value ProductName)" = Skyvault
check "FileDescription" test "$(value FileDescription)" = "Skyvault screen saver"
# VS_FIXEDFILEINFO: after its signature FEEF04BD and the structure version,
# the file version as two 32-bit words (major.minor, patch.build).
IFS=. read -r major minor patch build <<< "$version"
fixed=$(od -An -tx1 -v "$work/version.bin" | tr -d ' \n' | grep -o 'bd04effe.\{40\}')
expected=$(printf '%04x%04x%04x%04x' "$minor" "$major" "$build" "$patch" |
  sed -E 's/(..)(..)(..)(..)(..)(..)(..)(..)/\2\1\4\3\6\5\8\7/')
check "fixed file version $version" test "${fixed:16:16}" = "$expected"

# Lean: no debugging sections or symbol table in the shipped file; the
# unstripped one beside it still has them.
check "no debugging sections" bash -c "! x86_64-w64-mingw32-objdump -h '$scr' | grep -q ' \.debug_'"
check "no symbols" bash -c "x86_64-w64-mingw32-objdump -t '$scr' | grep -q 'no symbols'"
check "the unstripped file kept beside it" bash -c "x86_64-w64-mingw32-objdump -h '$unstripped' | grep -q ' \.debug_info'"

echo "$failures failed"
[ "$failures" -eq 0 ]
