"""Shared drawing parts for the aircraft pictures.

Every aircraft is drawn in side view in metres: x runs from the tail (0)
towards the nose, y runs downwards with 0 on the thrust line.  A drawing is
always composed nose-right; a left-facing picture is the same drawing
mirrored, with lettering turned back so that it still reads.
"""

import math

_ids = [0]


def uid(prefix):
    _ids[0] += 1
    return f"{prefix}{_ids[0]}"


def reset_ids():
    _ids[0] = 0


def fmt(v):
    return f"{v:.3f}".rstrip("0").rstrip(".")


def smooth_path(points, closed=True, tension=0.5):
    """Catmull-Rom spline through points as an SVG path.

    A point given as (x, y, 1) is a corner: the curve arrives and leaves it
    straight instead of rounding it off.
    """
    pts = [(p[0], p[1]) for p in points]
    corner = [len(p) > 2 and p[2] for p in points]
    n = len(pts)

    def tangent(i):
        if corner[i]:
            return (0.0, 0.0)
        if closed:
            a, b = pts[(i - 1) % n], pts[(i + 1) % n]
        else:
            a = pts[max(i - 1, 0)]
            b = pts[min(i + 1, n - 1)]
        return ((b[0] - a[0]) * tension / 1.5, (b[1] - a[1]) * tension / 1.5)

    d = [f"M{fmt(pts[0][0])},{fmt(pts[0][1])}"]
    segs = n if closed else n - 1
    for i in range(segs):
        j = (i + 1) % n
        t0, t1 = tangent(i), tangent(j)
        c1 = (pts[i][0] + t0[0] / 2, pts[i][1] + t0[1] / 2)
        c2 = (pts[j][0] - t1[0] / 2, pts[j][1] - t1[1] / 2)
        d.append(f"C{fmt(c1[0])},{fmt(c1[1])} {fmt(c2[0])},{fmt(c2[1])} {fmt(pts[j][0])},{fmt(pts[j][1])}")
    if closed:
        d.append("Z")
    return " ".join(d)


def star_points(cx, cy, r, inner=0.382, rot=-90):
    pts = []
    for k in range(10):
        rr = r if k % 2 == 0 else r * inner
        a = math.radians(rot + k * 36)
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    return " ".join(f"{fmt(x)},{fmt(y)}" for x, y in pts)


def airfoil(x0, x1, y, t, droop=0.0):
    """Wing or tailplane section seen from the side: round leading edge at x1,
    sharp trailing edge at x0, thickness t, centred on y."""
    c = x1 - x0
    top = [(x0, y + droop, 1), (x0 + 0.3 * c, y - 0.35 * t), (x0 + 0.7 * c, y - 0.5 * t),
           (x1 - 0.04 * c, y - 0.28 * t), (x1, y + 0.05 * t),
           (x1 - 0.06 * c, y + 0.4 * t), (x0 + 0.6 * c, y + 0.45 * t), (x0 + 0.25 * c, y + 0.28 * t)]
    return smooth_path(top)


class Drawing:
    """Collects SVG for one aircraft in metre coordinates."""

    def __init__(self, facing):
        self.facing = facing
        self.defs = []
        self.body = []
        self.shade = uid("shade")
        self.defs.append(
            f'<linearGradient id="{self.shade}" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="#ffffff" stop-opacity="0.42"/>'
            '<stop offset="0.22" stop-color="#ffffff" stop-opacity="0.12"/>'
            '<stop offset="0.5" stop-color="#000000" stop-opacity="0"/>'
            '<stop offset="0.85" stop-color="#000000" stop-opacity="0.30"/>'
            '<stop offset="1" stop-color="#000000" stop-opacity="0.45"/>'
            '</linearGradient>')
        self.glass = uid("glass")
        self.defs.append(
            f'<linearGradient id="{self.glass}" x1="0" y1="0" x2="0.3" y2="1">'
            '<stop offset="0" stop-color="#d9ecf5"/>'
            '<stop offset="0.35" stop-color="#7fa3b8"/>'
            '<stop offset="0.75" stop-color="#2f4656"/>'
            '<stop offset="1" stop-color="#1c2a33"/>'
            '</linearGradient>')
        self.under_shade = uid("under")
        self.defs.append(
            f'<linearGradient id="{self.under_shade}" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="#000000" stop-opacity="0.5"/>'
            '<stop offset="0.4" stop-color="#000000" stop-opacity="0.3"/>'
            '<stop offset="0.75" stop-color="#ffffff" stop-opacity="0.08"/>'
            '<stop offset="1" stop-color="#000000" stop-opacity="0.2"/>'
            '</linearGradient>')
        self.soft = uid("soft")
        self.defs.append(
            f'<filter id="{self.soft}" filterUnits="userSpaceOnUse" x="-10" y="-10" width="60" height="30">'
            '<feGaussianBlur stdDeviation="0.1"/></filter>')
        self.blur = uid("blur")
        self.defs.append(
            f'<filter id="{self.blur}" filterUnits="userSpaceOnUse" x="-10" y="-10" width="60" height="30">'
            '<feGaussianBlur stdDeviation="0.045"/></filter>')

    def add(self, s):
        self.body.append(s)

    def clip(self, paths):
        cid = uid("clip")
        self.defs.append(f'<clipPath id="{cid}">' + "".join(f'<path d="{d}"/>' for d in paths) + "</clipPath>")
        return cid

    def shape(self, d, fill, stroke="#1e1e1e", sw=0.035, shade=True, extra=""):
        self.add(f'<path d="{d}" fill="{fill}" stroke="none"/>')
        if extra:
            self.add(extra)
        if shade:
            self.add(f'<path d="{d}" fill="url(#{self.shade})" stroke="none"/>')
        if stroke:
            self.add(f'<path d="{d}" fill="none" stroke="{stroke}" stroke-width="{sw}" stroke-opacity="0.8" stroke-linejoin="round"/>')

    def text(self, x, y, s, size, fill="#e8e0c8", weight="bold", stroke=None):
        """Lettering that reads the right way round whatever the facing."""
        st = f' stroke="{stroke}" stroke-width="{size*0.06:.3f}"' if stroke else ""
        t = (f'<text x="{fmt(x)}" y="{fmt(y)}" font-family="DejaVu Sans" font-weight="{weight}" '
             f'font-size="{fmt(size)}" fill="{fill}"{st} text-anchor="middle">{s}</text>')
        if self.facing == "left":
            t = f'<g transform="translate({fmt(2*x)},0) scale(-1,1)">{t}</g>'
        self.add(t)

    # ---- markings -------------------------------------------------------
    def roundel_raf(self, x, y, r, yellow=True):
        if yellow:
            self.add(f'<circle cx="{fmt(x)}" cy="{fmt(y)}" r="{fmt(r)}" fill="#e8c21c"/>')
        self.add(f'<circle cx="{fmt(x)}" cy="{fmt(y)}" r="{fmt(r*0.8)}" fill="#23306b"/>')
        self.add(f'<circle cx="{fmt(x)}" cy="{fmt(y)}" r="{fmt(r*0.55)}" fill="#ece9e0"/>')
        self.add(f'<circle cx="{fmt(x)}" cy="{fmt(y)}" r="{fmt(r*0.38)}" fill="#b3262a"/>')

    def fin_flash(self, x0, x1, y0, y1):
        w = (x1 - x0)
        cols = ["#b3262a", "#ece9e0", "#23306b"]
        if self.facing == "left":
            cols = cols  # red leads on both sides; drawing is mirrored later
        parts = [0.42, 0.16, 0.42]
        x = x1
        for c, p in zip(cols, parts):
            self.add(f'<rect x="{fmt(x - w*p)}" y="{fmt(y0)}" width="{fmt(w*p+0.005)}" height="{fmt(y1-y0)}" fill="{c}"/>')
            x -= w * p

    def balkenkreuz(self, x, y, s):
        a, b = s, s * 0.28
        self.add(f'<g transform="translate({fmt(x)},{fmt(y)})">'
                 f'<path d="M{-a},{-b} H{a} V{b} H{-a} Z M{-b},{-a} V{a} H{b} V{-a} Z" fill="#f2f2ee"/>'
                 f'<path d="M{-a*0.78},{-b*0.62} H{a*0.78} V{b*0.62} H{-a*0.78} Z M{-b*0.62},{-a*0.78} V{a*0.78} H{b*0.62} V{-a*0.78} Z" fill="#161616"/>'
                 '</g>')

    def us_star(self, x, y, r, bars=True, outline="#22306b"):
        if bars:
            bw, bh = r * 1.0, r * 0.42
            self.add(f'<rect x="{fmt(x - r - bw)}" y="{fmt(y - bh/2)}" width="{fmt(2*(r+bw))}" height="{fmt(bh)}" fill="#f2f2ee" stroke="{outline}" stroke-width="{fmt(r*0.12)}"/>')
        self.add(f'<circle cx="{fmt(x)}" cy="{fmt(y)}" r="{fmt(r)}" fill="#22306b"/>')
        self.add(f'<polygon points="{star_points(x, y, r*0.98)}" fill="#f2f2ee"/>')

    def hinomaru(self, x, y, r, border=True):
        if border:
            self.add(f'<circle cx="{fmt(x)}" cy="{fmt(y)}" r="{fmt(r*1.18)}" fill="#f2f2ee"/>')
        self.add(f'<circle cx="{fmt(x)}" cy="{fmt(y)}" r="{fmt(r)}" fill="#b81e1e"/>')

    def red_star(self, x, y, r):
        self.add(f'<polygon points="{star_points(x, y, r*1.15)}" fill="#f2f2ee"/>')
        self.add(f'<polygon points="{star_points(x, y, r)}" fill="#c21f1f" stroke="#7a1010" stroke-width="{fmt(r*0.05)}"/>')

    # ---- propulsion -----------------------------------------------------
    def prop_disc(self, x, y, dia, blades=3, tips="#e6c83a"):
        """A propeller turning fast, seen from the side and a little ahead:
        a narrow translucent disc, darker towards the hub where the blades
        are broad, a ring where the painted tips sweep, and the soft arcs the
        blades leave as they pass the eye."""
        r = dia / 2
        w = dia * 0.12
        gid = uid("disc")
        ring = tips or "#6a6c70"
        ring_op = 0.42 if tips else 0.36
        self.defs.append(
            f'<radialGradient id="{gid}" cx="0.5" cy="0.5" r="0.5">'
            '<stop offset="0" stop-color="#4a4e53" stop-opacity="0.66"/>'
            '<stop offset="0.4" stop-color="#6b7076" stop-opacity="0.5"/>'
            '<stop offset="0.86" stop-color="#80858b" stop-opacity="0.4"/>'
            f'<stop offset="0.91" stop-color="{ring}" stop-opacity="{ring_op}"/>'
            f'<stop offset="0.97" stop-color="{ring}" stop-opacity="{ring_op}"/>'
            f'<stop offset="1" stop-color="{ring}" stop-opacity="0.1"/>'
            '</radialGradient>')
        self.add(f'<ellipse cx="{fmt(x)}" cy="{fmt(y)}" rx="{fmt(w)}" ry="{fmt(r)}" fill="url(#{gid})"/>')

        def arc(frac, a0, a1, col, op, sw):
            # a stretch of the ellipse of radius frac, from angle a0 to a1
            # (degrees, 0 = straight up, clockwise as the blades turn)
            pts = []
            for k in range(13):
                t = math.radians(a0 + (a1 - a0) * k / 12)
                pts.append((x + w * frac * math.sin(t), y - r * frac * math.cos(t)))
            d = "M" + " L".join(f"{fmt(px)},{fmt(py)}" for px, py in pts)
            self.add(f'<path d="{d}" fill="none" stroke="{col}" stroke-opacity="{op}" stroke-width="{fmt(sw)}" '
                     f'stroke-linecap="round" filter="url(#{self.blur})"/>')

        for k in range(blades):
            a = 200 + k * 360 / blades
            arc(0.72, a, a + 55, "#1c1d1f", 0.34, dia * 0.05)
            arc(0.45, a + 10, a + 50, "#1c1d1f", 0.22, dia * 0.04)
        arc(0.82, -70, -15, "#ffffff", 0.38, dia * 0.025)
        self.add(f'<ellipse cx="{fmt(x)}" cy="{fmt(y)}" rx="{fmt(w)}" ry="{fmt(r)}" fill="none" '
                 f'stroke="#ffffff" stroke-opacity="0.16" stroke-width="{fmt(dia*0.008)}"/>')

    def spinner(self, xb, xt, y, r, fill):
        d = smooth_path([(xb, y - r, 1), (xb + (xt - xb) * 0.45, y - r * 0.8), (xt, y, 1),
                         (xb + (xt - xb) * 0.45, y + r * 0.8), (xb, y + r, 1)])
        self.shape(d, fill, sw=0.03)
        self.add(f'<path d="M{fmt(xb+0.05)},{fmt(y-r*0.55)} Q{fmt(xb+(xt-xb)*0.5)},{fmt(y-r*0.6)} {fmt(xt-0.06)},{fmt(y-0.03)}" '
                 'fill="none" stroke="#ffffff" stroke-opacity="0.45" stroke-width="0.05" stroke-linecap="round"/>')

    def exhausts(self, x0, x1, y, n, h=0.12, col="#3b2d26"):
        step = (x1 - x0) / n
        for k in range(n):
            xx = x0 + k * step
            self.add(f'<rect x="{fmt(xx)}" y="{fmt(y)}" width="{fmt(step*0.6)}" height="{fmt(h)}" rx="{fmt(h*0.3)}" fill="{col}" stroke="#111" stroke-width="0.015"/>')
            self.add(f'<rect x="{fmt(xx)}" y="{fmt(y + h*0.55)}" width="{fmt(step*0.6)}" height="{fmt(h*0.3)}" fill="#c06a2c" fill-opacity="0.5"/>')

    def glint(self, x, y, w, h):
        self.add(f'<ellipse cx="{fmt(x)}" cy="{fmt(y)}" rx="{fmt(w)}" ry="{fmt(h)}" fill="#ffffff" fill-opacity="0.75" '
                 f'transform="rotate(-18 {fmt(x)} {fmt(y)})"/>')
        self.add(f'<circle cx="{fmt(x + w*0.9)}" cy="{fmt(y - h*0.2)}" r="{fmt(h*0.5)}" fill="#ffffff" fill-opacity="0.9"/>')

    def svg(self, width_px, height_px, scale, ox, oy):
        """ox, oy: where metre (0, 0) lands, in pixels, nose-right."""
        g = f'translate({fmt(ox)},{fmt(oy)}) scale({fmt(scale)})'
        if self.facing == "left":
            g = f'translate({width_px},0) scale(-1,1) ' + g
        return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width_px}" height="{height_px}" '
                f'viewBox="0 0 {width_px} {height_px}">'
                f'<defs>{"".join(self.defs)}</defs><g transform="{g}">{"".join(self.body)}</g></svg>')
