#!/bin/sh
# Regenerates every picture and sound of the data directory, and the preview
# picture compiled into the program (the data directory's help.html is
# written by hand and left as it is):
#   assets/data/Plane*.bmp, Bridge.bmp, Tarnwing1.bmp, Prop.wav
#   assets/data/<each picture>@4x.png: the same picture at four times the
#     size, drawn from the same source, for sharp frames on large screens
#   assets/resources/preview.bmp
#   assets/resources/skyvault.ico: the program's icon, 16 to 256 pixels
# Needs python3, rsvg-convert (librsvg2-bin), ImageMagick 6, icotool
# (icoutils), and the DejaVu and
# Liberation fonts (fonts-dejavu-core, fonts-liberation2) for the lettering.
# Output is deterministic: every bit of noise comes from a fixed seed.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
IM=/usr/bin/convert
work=${SKYVAULT_ART_WORK:-$root/build/art}
data=$root/assets/data
res=$root/assets/resources
mkdir -p "$work" "$data" "$res"

# PNG files without time stamps or other metadata, so that they are the same
# bytes run to run.
png_out="-strip -define png:exclude-chunks=date,time -define png:compression-level=9"

# Aircraft: SVG -> PNG (rsvg) -> 32-bit BMP with alpha (V5 header), and at
# four times the size -> 8-bit RGBA PNG. Nearly clear pixels are cleared and
# fully transparent ones set to black, at both sizes alike.
python3 "$here/make_aircraft.py" "$root" "$work" | tee "$work/aircraft.txt"
cut -f1 "$work/aircraft.txt" | while read -r f; do
    stem=${f%.bmp}
    $IM "$work/$stem.png" -channel A -fx 'u<0.045?0:u' +channel -background black -alpha background "BMP:$data/$f"
    # shellcheck disable=SC2086 # png_out is a list of options
    $IM "$work/$stem@4x.png" -channel A -fx 'u<0.045?0:u' +channel -background black -alpha background $png_out "PNG32:$data/$stem@4x.png"
done

# Background and logo: opaque 24-bit BMPs, and opaque 24-bit PNGs at four
# times the size (the bridge is drawn with a margin that is cut off).
python3 "$here/make_scenes.py" "$work"
rsvg-convert -o "$work/bridge.png" "$work/bridge.svg"
$IM "$work/bridge.png" -crop 800x600+20+20 +repage "$work/bridge.png"
rsvg-convert -o "$work/logo.png" "$work/logo.svg"
$IM "$work/bridge.png" -alpha off -type TrueColor "BMP3:$data/Bridge.bmp"
$IM "$work/logo.png" -alpha off -type TrueColor "BMP3:$data/Tarnwing1.bmp"
rsvg-convert -z 4 -o "$work/bridge@4x.png" "$work/bridge.svg"
rsvg-convert -z 4 -o "$work/logo@4x.png" "$work/logo.svg"
# shellcheck disable=SC2086 # png_out is a list of options
$IM "$work/bridge@4x.png" -crop 3200x2400+80+80 +repage -alpha off $png_out "PNG24:$data/Bridge@4x.png"
# shellcheck disable=SC2086
$IM "$work/logo@4x.png" -alpha off $png_out "PNG24:$data/Tarnwing1@4x.png"

# Preview: a still scene of the bridge with a few aircraft, 153 x 115, 256 colours.
sh "$here/make_preview.sh" "$work" "$res/preview.bmp"

# Icon: the Spitfire at each size; 256 stored as PNG, the rest as bitmaps.
python3 "$here/make_icon.py" "$work" >/dev/null
icotool -c -o "$res/skyvault.ico" "$work/icon-16.png" "$work/icon-24.png" "$work/icon-32.png" \
    "$work/icon-48.png" --raw="$work/icon-256.png"

# Engine sound.
python3 "$here/make_engine.py" "$data/Prop.wav"
echo "generated into $data and $res"
