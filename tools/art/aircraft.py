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


def radiator(D, x0, x1, y, depth, col):
    """A cooler hung under a wing or the belly: a rounded intake lip at the
    front (x1), a flat duct, and the exit flap sloping up at the back (x0)."""
    d = smooth_path([(x0, y, 1), (x0 + 0.25 * (x1 - x0), y + depth * 0.9), (x1 - 0.15 * (x1 - x0), y + depth),
                     (x1, y + depth * 0.85), (x1 + 0.02, y + depth * 0.3, 1), (x1 - 0.05, y, 1)])
    D.shape(d, col, sw=0.03)
    D.add(f'<ellipse cx="{fmt(x1 - 0.04)}" cy="{fmt(y + depth * 0.55)}" rx="0.05" ry="{fmt(depth * 0.32)}" fill="#1c1c1c" fill-opacity="0.85"/>')
    line(D, [(x0 + 0.3 * (x1 - x0), y + depth * 0.5), (x1 - 0.2 * (x1 - x0), y + depth * 0.6)], op=0.3, w=0.02)


# ---------------------------------------------------------------- wings

def wing_outline(x0, x1, y, t, drop, tip=(0.3, 0.2)):
    """The near wing seen from the side and a little below: the root section
    (round leading edge at x1, sharp trailing edge at x0, thickness t about
    y) and, beneath it, the underside of the panel running out towards the
    eye, narrowing to the tip chord `drop` below the root's lower edge.
    tip: (trailing-edge, leading-edge) inset of the tip as fractions of the
    root chord.  Returns (whole outline, root section, leading-edge line)."""
    c = x1 - x0
    yb = y + 0.45 * t + drop
    tte, tle = x0 + tip[0] * c, x1 - tip[1] * c
    top = [(x0, y + 0.12 * t, 1), (x0 + 0.3 * c, y - 0.3 * t), (x0 + 0.65 * c, y - 0.5 * t),
           (x1 - 0.07 * c, y - 0.36 * t), (x1, y + 0.02 * t)]
    le = [(x1 - 0.02 * c, y + 0.4 * t), (tle + 0.04 * c, yb - 0.3 * t), (tle - 0.03 * c, yb - 0.04 * t)]
    under = [((tle + tte) / 2, yb + 0.02 * t), (tte + 0.02 * c, yb - 0.12 * t)]
    te = [(x0 + 0.08 * c, y + 0.3 * t)]
    whole = smooth_path(top + le + under + te, tension=0.42)
    root = smooth_path(top + [(x1 - 0.08 * c, y + 0.45 * t), (x0 + 0.5 * c, y + 0.5 * t), (x0 + 0.15 * c, y + 0.32 * t)])
    lel = smooth_path([(x1 - 0.1 * c, y - 0.33 * t), (x1 - 0.01 * c, y - 0.1 * t)] + le, closed=False)
    return whole, root, lel


def draw_wing(D, w, upper, under, cast_on=None, rim=None):
    """Paint one wing panel.  w = (x0, x1, y, t, drop, tip); cast_on: the
    outline (SVG path) of the body the wing's shadow falls on, or None."""
    x0, x1, y, t, drop = w[:5]
    tip = w[5] if len(w) > 5 else (0.3, 0.2)
    c = x1 - x0
    whole, root, lel = wing_outline(x0, x1, y, t, drop, tip)
    if cast_on:
        # soft shadow of the wing and its root fairing on the body behind
        cid = D.clip([cast_on])
        D.add(f'<g clip-path="url(#{cid})">'
              f'<path d="{whole}" fill="#10161c" fill-opacity="0.42" filter="url(#{D.soft})" '
              f'transform="translate(0,{fmt(0.35 * t)})"/>'
              f'<path d="{root}" fill="#10161c" fill-opacity="0.3" filter="url(#{D.soft})" '
              f'transform="translate({fmt(-0.08 * c)},{fmt(-0.25 * t)})"/></g>')
    wid = D.clip([whole])
    D.add(f'<path d="{whole}" fill="{under}"/>')
    D.add(f'<g clip-path="url(#{wid})">')
    # the underside: in the shade of the fuselage at the root, lit by the
    # sky towards the tip, then turning away at the edge
    D.add(f'<rect x="{fmt(x0 - 1)}" y="{fmt(y - t)}" width="{fmt(c + 2)}" height="{fmt(drop + 2 * t)}" fill="url(#{D.under_shade})"/>')
    D.add(f'<path d="{root}" fill="{upper}"/>')
    D.add(f'<rect x="{fmt(x0 - 1)}" y="{fmt(y + 0.05 * t)}" width="{fmt(c + 2)}" height="{fmt(t)}" fill="{under}"/>')
    D.add(f'<path d="{root}" fill="url(#{D.shade})"/>')
    # flap and aileron hinge line, parallel to the trailing edge
    tte = x0 + tip[0] * c
    line(D, [(x0 + 0.22 * c, y + 0.38 * t), (tte + 0.2 * c, y + 0.45 * t + drop * 0.8)], op=0.35, w=0.025)
    D.add('</g>')
    # leading edge catching the light, trailing edge a dark hairline
    D.add(f'<path d="{lel}" fill="none" stroke="#ffffff" stroke-opacity="0.5" stroke-width="{fmt(max(0.05, t * 0.16))}" stroke-linecap="round"/>')
    D.add(f'<path d="{whole}" fill="none" stroke="{rim or "#1b1b1b"}" stroke-width="{fmt(0.05 if rim else 0.03)}" stroke-opacity="0.75"/>')


# ---------------------------------------------------------------- composer

def compose(a, facing):
    D = Drawing(facing)
    s = a["scale"]
    fus = smooth_path(a["top"] + a["bot"])
    fin = smooth_path(a["fin"])
    tail = airfoil(*a["tail"])
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
    # light from the sky below catches the belly's edge
    cid = D.clip([fus])
    bot_shift = [(p[0], p[1] - 0.1) for p in a["bot"][1:-1]]
    D.add(f'<g clip-path="url(#{cid})"><path d="{smooth_path(bot_shift, closed=False)}" fill="none" stroke="#c9d6e2" '
          f'stroke-opacity="{a.get("belly_light", 0.16)}" stroke-width="0.1" filter="url(#{D.blur})"/></g>')
    for d in (fin, tail, fus):
        D.add(f'<path d="{d}" fill="none" stroke="#1b1b1b" stroke-width="0.035" stroke-opacity="0.85"/>')

    if "details" in a:
        a["details"](D)

    # the near wing
    draw_wing(D, wing_spec(a), a.get("wing_upper", a["upper"]), a.get("wing_under", a["under"]), fus, a.get("wing_rim"))

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


def wing_spec(a):
    x0, x1, y, t = a["wing"]
    return (x0, x1, y, t, a.get("wing_drop", 1.3 * t), a.get("wing_tip", (0.32, 0.26)))


def draw_nacelle(D, a, n):
    """One engine: its nacelle, the wing panel that passes in front of it
    (wing_over), its propeller and spinner.  shift = (dx, dy) moves the
    whole engine, so that one outline serves several engines."""
    dx, dy = n.get("shift", (0, 0))
    D.add(f'<g transform="translate({fmt(dx)},{fmt(dy)})">')
    d = smooth_path(n["pts"])
    far = n.get("far")
    D.shape(d, n.get("col", a["upper"]), sw=0.04)
    if "paint" in n:
        cid = D.clip([d])
        D.add(f'<g clip-path="url(#{cid})">')
        n["paint"](D)
        D.add('</g>')
        D.add(f'<path d="{d}" fill="url(#{D.shade})"/>')
        D.add(f'<path d="{d}" fill="none" stroke="{n.get("rim", "#1b1b1b")}" stroke-width="0.045" stroke-opacity="0.85"/>')
    if "front" in n:
        n["front"](D)
    if far:
        D.add(f'<path d="{d}" fill="#0c1418" fill-opacity="0.35"/>')
    if "wing_over" in n:
        # the wing panel outboard of the engine passes in front of it
        draw_wing(D, n["wing_over"], a.get("wing_upper", a["upper"]), a.get("wing_under", a["under"]), d,
                  a.get("wing_rim"))
    if "prop" in n:
        D.prop_disc(*n["prop"])
    if "spinner" in n:
        D.spinner(*n["spinner"])
    D.add('</g>')


def bbox(a):
    xs, ys = [], []
    for key in ("top", "bot", "fin"):
        for p in a[key]:
            xs.append(p[0]); ys.append(p[1])
    x0, x1, y, t, drop = wing_spec(a)[:5]
    xs += [x0, x1]; ys += [y - t, y + 0.5 * t + drop]
    x0, x1, y, t = a["tail"][:4]
    xs += [x0, x1]; ys += [y - t, y + t]
    if a.get("canopy"):
        for p in a["canopy"]["pts"]:
            ys.append(p[1])
    props = [a["prop"]] if a.get("prop") else []
    for n in a.get("nacelles", []):
        dx, dy = n.get("shift", (0, 0))
        for p in n["pts"]:
            xs.append(p[0] + dx); ys.append(p[1] + dy)
        if "wing_over" in n:
            x0, x1, y, t, drop = n["wing_over"][:5]
            ys.append(y + 0.5 * t + drop + dy)
        if "prop" in n:
            px, py, dia = n["prop"][:3]
            props.append((px + dx, py + dy, dia))
        if "spinner" in n:
            xs.append(n["spinner"][1] + dx)
    for p in props:
        x, y, dia = p[:3]
        xs += [x - dia * 0.12, x + dia * 0.12]; ys += [y - dia / 2, y + dia / 2]
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
