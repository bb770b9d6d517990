#!/bin/sh
# Regenerates every picture and sound of the data directory, and the preview
# picture compiled into the program:
#   assets/data/Plane*.bmp, Bridge.bmp, Tarnwing1.bmp, Prop.wav, help.html
#   assets/resources/preview.bmp
# Needs python3, rsvg-convert (librsvg2-bin), ImageMagick 6, and the DejaVu and
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

# Aircraft: SVG -> PNG (rsvg) -> 32-bit BMP with alpha (V5 header).
# Fully transparent pixels are set to black so the file is identical run to run.
python3 "$here/make_aircraft.py" "$root" "$work" | tee "$work/aircraft.txt"
cut -f1 "$work/aircraft.txt" | while read -r f; do
    stem=${f%.bmp}
    $IM "$work/$stem.png" -channel A -fx 'u<0.045?0:u' +channel -background black -alpha background "BMP:$data/$f"
done

# Background and logo: opaque 24-bit BMPs.
python3 "$here/make_scenes.py" "$work"
rsvg-convert -o "$work/bridge.png" "$work/bridge.svg"
$IM "$work/bridge.png" -crop 800x600+20+20 +repage "$work/bridge.png"
rsvg-convert -o "$work/logo.png" "$work/logo.svg"
$IM "$work/bridge.png" -alpha off -type TrueColor "BMP3:$data/Bridge.bmp"
$IM "$work/logo.png" -alpha off -type TrueColor "BMP3:$data/Tarnwing1.bmp"

# Preview: a still scene of the bridge with a few aircraft, 153 x 115, 256 colours.
sh "$here/make_preview.sh" "$work" "$res/preview.bmp"

# Engine sound and help page.
python3 "$here/make_engine.py" "$data/Prop.wav"
cp "$root/assets/src/help.html" "$data/help.html"
echo "generated into $data and $res"
