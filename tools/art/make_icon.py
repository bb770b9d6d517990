#!/usr/bin/env python3
"""Render the program's icon: the saver's Spitfire, climbing across a disc
of sky, one PNG per icon size; at 32 pixels and below, where a side view is
a smudge, the same Spitfire seen from above (its elliptical wing), in its
camouflage green and with its roundels, on a pale rounded square.

usage: make_icon.py <work dir>
Writes <work dir>/icon-<size>.png for 16, 24, 32, 48 and 256 pixels (and
the SVGs they come from); the driver joins them into an .ico.
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


def plan_view_svg(size):
    """The Spitfire from above on a 32-unit square, nose up."""
    green, dark, roundel = planes.RAF_GREEN, "#26301c", planes.RED
    return f"""<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" viewBox="0 0 32 32">
<defs><linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
<stop offset="0" stop-color="#e4f1fb"/><stop offset="1" stop-color="#9cc7ea"/></linearGradient></defs>
<rect x="0" y="0" width="32" height="32" rx="6.5" fill="url(#sky)"/>
<ellipse cx="16" cy="14.5" rx="15" ry="4.6" fill="{green}" stroke="{dark}" stroke-width="0.9"/>
<ellipse cx="16" cy="26.2" rx="6" ry="2.2" fill="{green}" stroke="{dark}" stroke-width="0.9"/>
<path d="M16 2.2 C18 2.6 18.3 6 18.2 10 L17.4 27.5 C17.2 29.5 14.8 29.5 14.6 27.5 L13.8 10 C13.7 6 14 2.6 16 2.2 Z"
 fill="{green}" stroke="{dark}" stroke-width="0.9"/>
<circle cx="7.5" cy="14.4" r="1.9" fill="#27407a"/><circle cx="24.5" cy="14.4" r="1.9" fill="#27407a"/>
<circle cx="7.5" cy="14.4" r="0.9" fill="{roundel}"/><circle cx="24.5" cy="14.4" r="0.9" fill="{roundel}"/>
<ellipse cx="16" cy="9.5" rx="1.1" ry="2" fill="#9fb8c8"/>
</svg>"""


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
        out = os.path.join(work, f"icon-{size}.png")
        if size <= 32:
            svgp = os.path.join(work, f"icon-{size}.svg")
            with open(svgp, "w") as f:
                f.write(plan_view_svg(size))
            subprocess.run(["rsvg-convert", "-f", "png", "-o", out, svgp], check=True)
            print(out)
            continue
        # The side view at 48 and 256: most of a light-to-deep blue disc.
        plane = int(round(size * 0.94))
        subprocess.run([
            IM, "-size", f"{size}x{size}", "gradient:#9cc7ea-#2f6ea8",
            "(", "-size", f"{size}x{size}", "xc:black", "-fill", "white", "-draw",
            f"circle {size / 2},{size / 2} {size / 2},0", ")",
            "-alpha", "off", "-compose", "CopyOpacity", "-composite", "-compose", "Over",
            "(", plane_png, "-background", "none", "-rotate", "-20", "-trim",
            "-filter", "Lanczos", "-resize", f"{plane}x{plane}", ")",
            "-gravity", "center", "-composite",
            "-strip", "-define", "png:exclude-chunks=date,time", f"PNG32:{out}"], check=True)
        print(out)


if __name__ == "__main__":
    main()
