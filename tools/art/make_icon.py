#!/usr/bin/env python3
"""Render the program's icon: the saver's Spitfire, climbing across a disc
of sky, one PNG per icon size.

usage: make_icon.py <work dir>
Writes <work dir>/icon.svg (the aircraft) and icon-<size>.png for 16, 24,
32, 48 and 256 pixels. The small sizes give the aircraft more of the square
(it is what must be read at 16 x 16); the driver joins them into an .ico.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import aircraft  # noqa: E402
import planes  # noqa: E402
import svgparts  # noqa: E402

SIZES = (16, 24, 32, 48, 256)
IM = "/usr/bin/convert"


def main():
    work = sys.argv[1]
    os.makedirs(work, exist_ok=True)
    svgparts.reset_ids()
    svg, w, h = aircraft.build(planes.TYPES["spitfire"], "right")
    plane_svg = os.path.join(work, "icon-aircraft.svg")
    with open(plane_svg, "w") as f:
        f.write(svg)
    plane_png = os.path.join(work, "icon-aircraft.png")
    subprocess.run(["rsvg-convert", "-w", "1024", "-f", "png", "-o", plane_png, plane_svg],
                   check=True)
    for size in SIZES:
        small = size <= 32
        # The aircraft's share of the square: all of it when small.
        plane = size if small else int(round(size * 0.94))
        # Sky: a light-to-deep blue disc; at the small sizes a pale rounded
        # square, with the aircraft a dark silhouette on it, which is what
        # still reads at 16 pixels.
        radius = size * (0.2 if small else 0.5)
        sky = "gradient:#e4f1fb-#9cc7ea" if small else "gradient:#9cc7ea-#2f6ea8"
        look = ["-fill", "#18240f", "-colorize", "100"] if small else []
        out = os.path.join(work, f"icon-{size}.png")
        subprocess.run([
            IM, "-size", f"{size}x{size}", sky,
            "(", "-size", f"{size}x{size}", "xc:black", "-fill", "white", "-draw",
            f"roundrectangle 0,0 {size - 1},{size - 1} {radius},{radius}", ")",
            "-alpha", "off", "-compose", "CopyOpacity", "-composite", "-compose", "Over",
            "(", plane_png, *look, "-background", "none", "-rotate", "-20", "-trim",
            "-filter", "Lanczos", "-resize", f"{plane}x{plane}", ")",
            "-gravity", "center", "-composite",
            "-strip", "-define", "png:exclude-chunks=date,time", f"PNG32:{out}"], check=True)
        print(out)


if __name__ == "__main__":
    main()
