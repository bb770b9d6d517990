#!/usr/bin/env bash
# Fails when a C++ file is not formatted as .clang-format says (Debian 12's
# clang-format 14) or when shellcheck finds anything in a shell script.
# Looks at the files git knows, committed or not (ignored ones aside).
#   tools/check-style.sh          check
#   tools/check-style.sh --fix    format the C++ files in place first
set -eu
cd "$(dirname "$0")/.."
mapfile -t cpp < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
mapfile -t scripts < <(git ls-files --cached --others --exclude-standard -- '*.sh' .ci/run)
existing() { for f in "$@"; do [ -f "$f" ] && echo "$f"; done; }
mapfile -t cpp < <(existing "${cpp[@]}")
mapfile -t scripts < <(existing "${scripts[@]}")

[ "${1:-}" = --fix ] && clang-format -i "${cpp[@]}"
status=0
if ! clang-format --dry-run --Werror "${cpp[@]}"; then
  echo "C++ files above are not formatted: tools/check-style.sh --fix" >&2
  status=1
fi
shellcheck -x "${scripts[@]}" || status=1
[ "$status" -eq 0 ] && echo "style: ${#cpp[@]} C++ files formatted, ${#scripts[@]} shell scripts clean"
exit "$status"
