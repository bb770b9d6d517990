#!/bin/sh
# Contact sheet of every generated picture at 1:1: each aircraft over black,
# over sky blue (the saver's solid sky, RGB 0,226,251) and over the bridge;
# then the logo where the saver draws it (1, 20) over the bridge, the bridge
# itself and the preview picture.  Not committed: written to build/ by default.
# usage: contact-sheet.sh [out.png] [scale]   (scale 2 for a closer look)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
data=$root/assets/data
out=${1:-$root/build/contact-sheet.png}
scale=${2:-1}
IM=/usr/bin/convert
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$(dirname "$out")"
n=0
grep -v '^#' "$root/assets/src/aircraft.tsv" | while IFS="$(printf '\t')" read -r file slot _ facing desc; do
    n=$((n + 1))
    w=$(/usr/bin/identify -format %w "$data/$file")
    h=$(/usr/bin/identify -format %h "$data/$file")
    tw=$((w + 16)); th=$((h + 16))
    $IM -size ${tw}x${th} xc:black "$data/$file" -gravity center -composite "$tmp/a.png"
    $IM -size ${tw}x${th} "xc:rgb(0,226,251)" "$data/$file" -gravity center -composite "$tmp/b.png"
    $IM "$data/Bridge.bmp" -crop ${tw}x${th}+200+$((300 - th / 2)) +repage "$data/$file" -gravity center -composite "$tmp/c.png"
    $IM "$tmp/a.png" "$tmp/b.png" "$tmp/c.png" -background '#202020' -splice 6x0 +append \
        \( -size 330x$th xc:'#202020' -fill white -font DejaVu-Sans -pointsize 12 -gravity west \
           -annotate +8+0 "$file  slot $slot  ${w}x$h  faces $facing\n$desc" \) +append \
        "$tmp/row$(printf %02d $n).png"
done
$IM "$data/Bridge.bmp" "$data/Tarnwing1.bmp" -geometry +1+20 -composite "$tmp/zz1.png"
$IM "$root/assets/resources/preview.bmp" "$tmp/zz2.png"
$IM -background '#202020' "$tmp"/row*.png -splice 0x6 -append "$tmp/rows.png"
$IM -background '#202020' "$tmp/rows.png" "$tmp/zz1.png" "$tmp/zz2.png" -gravity northwest -splice 0x6 -append \
    +repage -filter point -resize "$((scale * 100))%" "$out"
echo "$out"
