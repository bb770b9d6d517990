#!/usr/bin/env bash
# Compares two folders of frames written by frame_snapshot (the same file
# names in each): for every frame, how many pixels differ and by how much at
# most (0-255 a channel). Exits 1 when a frame differs by more than the
# allowed rounding (default 0).
#
# usage: tools/compare-frames.sh BEFORE_DIR AFTER_DIR [largest difference allowed]
set -u
[ $# -ge 2 ] || {
  sed -n 's/^# usage: //p' "$0" >&2
  exit 2
}
allowed=${3:-0}
status=0
for before in "$1"/*.ppm; do
  name=$(basename "$before")
  after="$2/$name"
  if [ ! -f "$after" ]; then
    echo "$name: missing in $2"
    status=1
    continue
  fi
  pixels=$(compare -metric AE "$before" "$after" null: 2>&1)
  # PAE is printed as "raw (normalised)": the raw value over 65535.
  peak=$(compare -metric PAE "$before" "$after" null: 2>&1 | awk '{printf "%d", $1 / 257 + 0.5}')
  echo "$name: $pixels pixels differ, by at most $peak"
  [ "$peak" -le "$allowed" ] || status=1
done
exit $status
