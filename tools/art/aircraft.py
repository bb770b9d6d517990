"""The sixteen aircraft: side-view drawings composed from svgparts.

Each type is a dictionary of outlines in metres (nose to the right, y down)
and paint, plus small functions for the details that make the type what it
is.  build(name, facing) returns the SVG text and its pixel size.
"""

import math
from svgparts import Drawing, smooth_path, airfoil, fmt

# ---------------------------------------------------------------- helpers

def band(D, x0, x1, col, y0=-4, y1=4, op=1.0):
    D.add(f'<rect x="{fmt(x0)}" y="{y0}" width="{fmt(x1-x0)}" height="{y1-y0}" fill="{col}" fill-opacity="{op}"/>')


def blobs(D, col, items, op=1.0):
    for pts in items:
        D.add(f'<path d="{smooth_path(pts)}" fill="{col}" fill-opacity="{op}"/>')


def mottle(D, col, x0, x1, y0, y1, n, seed, rmin=0.08, rmax=0.22, op=0.8):
    s = seed
    for _ in range(n):
        s = (s * 1103515245 + 12345) & 0x7fffffff
        x = x0 + (s % 10007) / 10007 * (x1 - x0)
        s = (s * 1103515245 + 12345) & 0x7fffffff
        y = y0 + (s % 10007) / 10007 * (y1 - y0)
        s = (s * 1103515245 + 12345) & 0x7fffffff
        r = rmin + (s % 1000) / 1000 * (rmax - rmin)
        D.add(f'<ellipse cx="{fmt(x)}" cy="{fmt(y)}" rx="{fmt(r*1.4)}" ry="{fmt(r)}" fill="{col}" fill-opacity="{op}"/>')


def line(D, pts, col="#1a1a1a", w=0.025, op=0.45):
    d = " ".join(("M" if i == 0 else "L") + f"{fmt(x)},{fmt(y)}" for i, (x, y) in enumerate(pts))
    D.add(f'<path d="{d}" fill="none" stroke="{col}" stroke-width="{w}" stroke-opacity="{op}" stroke-linecap="round"/>')


def glazing(D, d, pilot=None, frames=(), frame_y=(-3, 3), frame_col="#2b2b2b"):
    D.add(f'<path d="{d}" fill="#22323d"/>')
    if pilot:
        pc = D.clip([d])
        D.add(f'<g clip-path="url(#{pc})">')
        px, py = pilot
        D.add(f'<circle cx="{fmt(px)}" cy="{fmt(py)}" r="0.17" fill="#4a3a2c"/>')
        D.add(f'<path d="M{fmt(px-0.2)},{fmt(py+0.12)} Q{fmt(px)},{fmt(py+0.05)} {fmt(px+0.22)},{fmt(py+0.12)} L{fmt(px+0.25)},{fmt(py+0.6)} L{fmt(px-0.25)},{fmt(py+0.6)} Z" fill="#5a4a36"/>')
        D.add('</g>')
    D.add(f'<path d="{d}" fill="url(#{D.glass})" fill-opacity="0.72"/>')
    cid = D.clip([d])
    D.add(f'<g clip-path="url(#{cid})">')
    for fx in frames:
        line(D, [(fx, frame_y[0]), (fx, frame_y[1])], col=frame_col, w=0.06, op=0.95)
    D.add('</g>')
    D.add(f'<path d="{d}" fill="none" stroke="{frame_col}" stroke-width="0.05"/>')


def cowl_front(D, x, y0, y1, col="#303030"):
    """Front lip of a radial cowling seen from the side."""
    D.add(f'<ellipse cx="{fmt(x)}" cy="{fmt((y0+y1)/2)}" rx="0.12" ry="{fmt((y1-y0)/2)}" fill="{col}" stroke="#151515" stroke-width="0.03"/>')


def hub(D, x, y, r, col="#3a3a3a"):
    D.spinner(x, x + r * 1.3, y, r, col)


# ---------------------------------------------------------------- composer

def compose(a, facing):
    D = Drawing(facing)
    s = a["scale"]
    fus = smooth_path(a["top"] + a["bot"])
    fin = smooth_path(a["fin"])
    tail = airfoil(*a["tail"])
    wx0, wx1, wy0, wt = a["wing"]
    wing = airfoil(wx0, wx1, wy0 - 0.1 * wt, wt * 0.78)
    D.fus = fus

    for n in a.get("nacelles", []):
        if n.get("far"):
            draw_nacelle(D, a, n)

    # fuselage, fin and tailplane share one paint job
    sil = [fin, fus, tail]
    cid = D.clip(sil)
    D.add(f'<g clip-path="url(#{cid})">')
    band(D, -5, 30, a["upper"])
    for col, items in a.get("camo", []):
        blobs(D, col, items)
    if "mottle" in a:
        mottle(D, *a["mottle"])
    dm = a["demarc"]
    D.add(f'<path d="{smooth_path(dm, closed=False)} L{fmt(dm[-1][0]+3)},6 L{fmt(dm[0][0]-3)},6 Z" fill="{a["under"]}"/>')
    if "paint" in a:
        a["paint"](D)
    # panel lines
    for px in a.get("panels", []):
        line(D, [(px, -3), (px, 3)], op=0.3)
    rx = a.get("rudder")
    if rx:
        line(D, [(rx[0], rx[1]), (rx[2], rx[3])], w=0.035, op=0.55)
    # sheen along the spine
    top_shift = [(p[0], p[1] + 0.13) for p in a["top"]]
    D.add(f'<path d="{smooth_path(top_shift, closed=False)}" fill="none" stroke="#ffffff" stroke-opacity="0.28" stroke-width="0.07"/>')
    D.add('</g>')
    for d in (fin, tail, fus):
        D.add(f'<path d="{d}" fill="url(#{D.shade})"/>')
    for d in (fin, tail, fus):
        D.add(f'<path d="{d}" fill="none" stroke="#1b1b1b" stroke-width="0.035" stroke-opacity="0.85"/>')

    if "details" in a:
        a["details"](D)

    # near wing root
    wid = D.clip([wing])
    wy = a["wing"][2]
    D.add(f'<g clip-path="url(#{wid})">')
    band(D, -5, 30, a.get("wing_upper", a["upper"]))
    D.add(f'<rect x="-5" y="{fmt(wy + a.get("wing_split", -0.05) * a["wing"][3])}" width="40" height="4" fill="{a.get("wing_under", a["under"])}"/>')
    D.add('</g>')
    D.add(f'<path d="{wing}" fill="url(#{D.shade})"/>')
    D.add(f'<path d="{wing}" fill="none" stroke="#1b1b1b" stroke-width="0.03" stroke-opacity="0.55"/>')

    if "after_wing" in a:
        a["after_wing"](D)

    c = a.get("canopy")
    if c:
        d = smooth_path(c["pts"])
        glazing(D, d, c.get("pilot"), c.get("frames", ()))
        gx, gy = c["glint"]
        D.glint(gx, gy, 0.22, 0.05)

    if "marks" in a:
        a["marks"](D)

    for n in a.get("nacelles", []):
        if not n.get("far"):
            draw_nacelle(D, a, n)

    sp = a.get("spinner")
    p = a.get("prop")
    if p:
        D.prop_disc(*p)
    if sp:
        D.spinner(*sp)
    return D


def draw_nacelle(D, a, n):
    d = smooth_path(n["pts"])
    far = n.get("far")
    D.shape(d, n.get("col", a["upper"]), sw=0.04)
    if "paint" in n:
        cid = D.clip([d])
        D.add(f'<g clip-path="url(#{cid})">')
        n["paint"](D)
        D.add('</g>')
        D.add(f'<path d="{d}" fill="url(#{D.shade})"/>')
        D.add(f'<path d="{d}" fill="none" stroke="#1b1b1b" stroke-width="0.04" stroke-opacity="0.85"/>')
    if "front" in n:
        n["front"](D)
    if far:
        D.add(f'<path d="{d}" fill="#0c1418" fill-opacity="0.35"/>')
    if "prop" in n:
        D.prop_disc(*n["prop"])
    if "spinner" in n:
        D.spinner(*n["spinner"])


def bbox(a):
    xs, ys = [], []
    for key in ("top", "bot", "fin"):
        for p in a[key]:
            xs.append(p[0]); ys.append(p[1])
    for key in ("wing", "tail"):
        x0, x1, y, t = a[key][:4]
        xs += [x0, x1]; ys += [y - t, y + t]
    if a.get("canopy"):
        for p in a["canopy"]["pts"]:
            ys.append(p[1])
    props = [a["prop"]] if a.get("prop") else []
    for n in a.get("nacelles", []):
        for p in n["pts"]:
            xs.append(p[0]); ys.append(p[1])
        if "prop" in n:
            props.append(n["prop"])
        if "spinner" in n:
            xs.append(n["spinner"][1])
    for p in props:
        x, y, dia = p[:3]
        xs += [x - 0.3, x + 0.3]; ys += [y - dia / 2, y + dia / 2]
    if a.get("spinner"):
        xs.append(a["spinner"][1])
    for x, y in a.get("extent", []):
        xs.append(x); ys.append(y)
    return min(xs), min(ys), max(xs), max(ys)


def build(a, facing):
    x0, y0, x1, y1 = bbox(a)
    s = a["scale"]
    m = 3
    w = int(math.ceil((x1 - x0) * s)) + 2 * m
    h = int(math.ceil((y1 - y0) * s)) + 2 * m
    D = compose(a, facing)
    return D.svg(w, h, s, m - x0 * s, m - y0 * s), w, h
