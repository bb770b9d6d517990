#!/usr/bin/env python3
"""Render the aircraft listed in assets/src/aircraft.tsv.

usage: make_aircraft.py <repo root> <work dir>
Writes <work dir>/<name>.svg, <name>.png and <name>@4x.png (the same
drawing at four times the size); the shell driver turns them into 32-bit
BMPs with alpha and the BMPs' @4x PNG companions.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import aircraft  # noqa: E402
import planes  # noqa: E402
import svgparts  # noqa: E402


def manifest(root):
    rows = []
    with open(os.path.join(root, "assets", "src", "aircraft.tsv")) as f:
        for ln in f:
            if ln.startswith("#") or not ln.strip():
                continue
            file, slot, typ, facing, desc = ln.rstrip("\n").split("\t")
            rows.append((file, slot, typ, facing, desc))
    return rows


def main():
    root, work = sys.argv[1], sys.argv[2]
    os.makedirs(work, exist_ok=True)
    for file, slot, typ, facing, desc in manifest(root):
        assert facing in ("left", "right"), file
        svgparts.reset_ids()
        svg, w, h = aircraft.build(planes.TYPES[typ], facing)
        stem = os.path.splitext(file)[0]
        svgp = os.path.join(work, stem + ".svg")
        with open(svgp, "w") as f:
            f.write(svg)
        for zoom, suffix in ((1, ""), (4, "@4x")):
            png = os.path.join(work, stem + suffix + ".png")
            subprocess.run(["rsvg-convert", "-z", str(zoom), "-f", "png", "-o", png, svgp], check=True)
        print(f"{file}\t{typ}\t{facing}\t{w}x{h}")


if __name__ == "__main__":
    main()
