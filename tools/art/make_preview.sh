#!/bin/sh
# The preview picture: the bridge scene at 153 x 115 with a few aircraft in
# flight, reduced to a 256-colour palette (8-bit BMP).
# usage: make_preview.sh <work dir with bridge.png and Plane*.png> <out.bmp>
set -eu
work=$1
out=$2
IM=/usr/bin/convert
$IM "$work/bridge.png" -filter Lanczos -resize 153x115! \
    \( "$work/Plane24.png" -resize 34% \) -geometry +4+8 -composite \
    \( "$work/Plane03.png" -resize 27% \) -geometry +92+27 -composite \
    \( "$work/Plane06.png" -resize 27% \) -geometry +14+56 -composite \
    \( "$work/Plane04.png" -resize 24% \) -geometry +98+74 -composite \
    -alpha off -dither FloydSteinberg -colors 256 -type Palette -compress None "BMP3:$out"
