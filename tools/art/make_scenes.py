#!/usr/bin/env python3
"""Write the SVG sources of the background picture and the maker's logo.

usage: make_scenes.py <work dir>
Writes bridge.svg (800 x 600 plus a margin that the driver crops off) and
logo.svg (200 x 70).  All noise comes
from SVG turbulence with fixed seeds, so the pictures are the same on every
run.
"""
import math
import os
import sys


def f(v):
    return f"{v:.2f}".rstrip("0").rstrip(".")


W, H = 800, 600
HORIZON = 418
DECK = 392
TOWERS = (236, 604)
TOWER_TOP = 196
# The picture is rendered with this margin all round and cropped back to
# W x H, so that the filters' edge effects fall outside it.
MARGIN = 20


def cable_y(x):
    """Main cable: a parabola between the towers, falling to the anchorages outside."""
    a, b = TOWERS
    if a <= x <= b:
        mid = (a + b) / 2
        sag = DECK - 34 - TOWER_TOP
        return TOWER_TOP + sag * ((x - mid) / ((b - a) / 2)) ** 2 * -1 + sag
    # side spans: gentle curve from the tower top down towards the deck ends
    if x < a:
        t = (a - x) / (a + 60)
        return TOWER_TOP + (DECK - 8 - TOWER_TOP) * (t ** 1.25)
    t = (x - b) / (W - b + 60)
    return TOWER_TOP + (DECK - 8 - TOWER_TOP) * (t ** 1.25)


def bridge_group():
    out = []
    steel, steel_lit, steel_dark = "#3f4853", "#6c7784", "#2a3038"
    # main cable (two strands slightly apart for thickness)
    pts = [(x, cable_y(x)) for x in range(-40, W + 41, 4)]
    d = "M" + " L".join(f"{f(x)},{f(y)}" for x, y in pts)
    # suspenders
    for x in range(-36, W + 40, 11):
        if any(abs(x - t) < 10 for t in TOWERS):
            continue
        y = cable_y(x)
        if y < DECK - 4:
            out.append(f'<path d="M{x},{f(y)} V{DECK}" stroke="{steel}" stroke-width="0.9" stroke-opacity="0.8"/>')
    out.append(f'<path d="{d}" fill="none" stroke="{steel_dark}" stroke-width="3.2"/>')
    out.append(f'<path d="{d}" fill="none" stroke="{steel_lit}" stroke-width="1" transform="translate(0,-0.9)"/>')
    # deck: stiffening truss with lattice
    out.append(f'<rect x="-10" y="{DECK}" width="{W+20}" height="15" fill="{steel}"/>')
    out.append(f'<rect x="-10" y="{DECK}" width="{W+20}" height="2.5" fill="{steel_lit}"/>')
    lat = " ".join(f"M{x},{DECK+3} L{x+7},{DECK+14} M{x+7},{DECK+3} L{x},{DECK+14}" for x in range(-10, W + 10, 7))
    out.append(f'<path d="{lat}" stroke="{steel_dark}" stroke-width="0.8"/>')
    out.append(f'<rect x="-10" y="{DECK+14}" width="{W+20}" height="2" fill="{steel_dark}"/>')
    # lamp posts along the deck
    for x in range(-4, W, 38):
        out.append(f'<path d="M{x},{DECK} v-6" stroke="{steel_dark}" stroke-width="0.8"/>')
        out.append(f'<circle cx="{x}" cy="{DECK-6.5}" r="1" fill="#f4e8b8"/>')
    # towers with setbacks and portal struts
    for tx in TOWERS:
        base_w, top_w = 30, 18
        tw = []
        steps = [(HORIZON + 18, base_w), (330, base_w - 4), (262, base_w - 8), (TOWER_TOP - 8, top_w)]
        y_prev = steps[0][0]
        for y, wdt in steps[1:]:
            tw.append(f'<rect x="{f(tx - wdt/2)}" y="{y}" width="{wdt}" height="{y_prev - y + 1}" fill="{steel}"/>')
            tw.append(f'<rect x="{f(tx - wdt/2)}" y="{y}" width="{f(wdt*0.28)}" height="{y_prev - y + 1}" fill="{steel_lit}" fill-opacity="0.65"/>')
            tw.append(f'<rect x="{f(tx + wdt*0.28)}" y="{y}" width="{f(wdt*0.22)}" height="{y_prev - y + 1}" fill="{steel_dark}" fill-opacity="0.7"/>')
            tw.append(f'<rect x="{f(tx - wdt/2 - 1)}" y="{y}" width="{wdt+2}" height="3" fill="{steel_dark}"/>')
            y_prev = y
        # recessed panels on the face
        for y in range(TOWER_TOP + 6, HORIZON, 22):
            tw.append(f'<rect x="{f(tx-3)}" y="{y}" width="6" height="13" fill="{steel_dark}" fill-opacity="0.55"/>')
        tw.append(f'<rect x="{tx - 11}" y="{TOWER_TOP - 13}" width="22" height="6" rx="1.5" fill="{steel_dark}"/>')
        # pier in the water
        tw.append(f'<path d="M{tx-24},{HORIZON+10} L{tx+24},{HORIZON+10} L{tx+27},{HORIZON+34} L{tx-27},{HORIZON+34} Z" fill="#59606a"/>')
        tw.append(f'<path d="M{tx-24},{HORIZON+10} L{tx-10},{HORIZON+10} L{tx-12},{HORIZON+34} L{tx-27},{HORIZON+34} Z" fill="#7c848e"/>')
        tw.append(f'<rect x="{tx-28}" y="{HORIZON+30}" width="56" height="4" fill="#3a4048"/>')
        out += tw
        # aircraft warning light
        out.append(f'<circle cx="{tx}" cy="{TOWER_TOP-14}" r="1.6" fill="#ff5a3a"/>')
    return "".join(out)


def cloud_filter(name, fx, fy, octaves, seed, gain, bias, blur, relief):
    """Clouds from soft noise: the noise thresholded into a density, blurred,
    then lit as a relief by the low sun at the upper right, so each cloud has
    a bright side and a shaded, bluer side instead of flat streaks."""
    return f'''<filter id="{name}" filterUnits="userSpaceOnUse" x="-40" y="-40" width="{W + 80}" height="{HORIZON + 80}" color-interpolation-filters="sRGB">
    <feTurbulence type="fractalNoise" baseFrequency="{fx} {fy}" numOctaves="{octaves}" seed="{seed}" result="noise"/>
    <feColorMatrix in="noise" type="matrix" values="0 0 0 0 0  0 0 0 0 0  0 0 0 0 0  {gain} 0 0 0 {bias}" result="raw"/>
    <feGaussianBlur in="raw" stdDeviation="{blur}" result="density"/>
    <feDiffuseLighting in="density" surfaceScale="{relief}" diffuseConstant="1.15" lighting-color="#ffffff" result="light">
      <feDistantLight azimuth="-40" elevation="38"/>
    </feDiffuseLighting>
    <feColorMatrix in="light" type="matrix" values="0.62 0 0 0 0.42  0 0.58 0 0 0.45  0 0 0.5 0 0.52  0 0 0 0 1" result="tint"/>
    <feComposite in="tint" in2="density" operator="in"/>
  </filter>'''


def bridge_svg():
    g = bridge_group()
    return f'''<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="{W + 2 * MARGIN}" height="{H + 2 * MARGIN}" viewBox="{-MARGIN} {-MARGIN} {W + 2 * MARGIN} {H + 2 * MARGIN}">
<defs>
  <linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#4c6482"/>
    <stop offset="0.35" stop-color="#6f88a3"/>
    <stop offset="0.62" stop-color="#9aadbf"/>
    <stop offset="0.70" stop-color="#bcc6ce"/>
  </linearGradient>
  <radialGradient id="sun" cx="640" cy="120" r="380" gradientUnits="userSpaceOnUse">
    <stop offset="0" stop-color="#fff4dc" stop-opacity="0.55"/>
    <stop offset="0.4" stop-color="#f4e8d4" stop-opacity="0.18"/>
    <stop offset="1" stop-color="#f4e8d4" stop-opacity="0"/>
  </radialGradient>
  <linearGradient id="horizonhaze" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#c3cdd6" stop-opacity="0"/>
    <stop offset="1" stop-color="#c3cdd6" stop-opacity="0.45"/>
  </linearGradient>
  <linearGradient id="water" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#8496a7"/>
    <stop offset="0.25" stop-color="#66798c"/>
    <stop offset="1" stop-color="#2f3f50"/>
  </linearGradient>
  <linearGradient id="cloudfade" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#ffffff" stop-opacity="1"/>
    <stop offset="0.3" stop-color="#ffffff" stop-opacity="0.9"/>
    <stop offset="0.5" stop-color="#ffffff" stop-opacity="0.5"/>
    <stop offset="0.68" stop-color="#ffffff" stop-opacity="0.55"/>
    <stop offset="0.86" stop-color="#ffffff" stop-opacity="0.3"/>
    <stop offset="1" stop-color="#ffffff" stop-opacity="0.05"/>
  </linearGradient>
  <mask id="skymask" maskUnits="userSpaceOnUse" x="0" y="0" width="{W}" height="{HORIZON}">
    <rect width="{W}" height="{HORIZON}" fill="url(#cloudfade)"/>
  </mask>
  {cloud_filter("clouds", 0.0030, 0.0046, 5, 17, 4.6, -2.05, 2.2, 12)}
  {cloud_filter("wisps", 0.0085, 0.0125, 4, 41, 2.4, -1.15, 1.4, 3)}
  <filter id="ripple" filterUnits="userSpaceOnUse" x="0" y="{HORIZON}" width="{W}" height="{H-HORIZON}">
    <feTurbulence type="fractalNoise" baseFrequency="0.01 0.09" numOctaves="3" seed="3" result="n"/>
    <feDisplacementMap in="SourceGraphic" in2="n" scale="14" xChannelSelector="R" yChannelSelector="G"/>
    <feGaussianBlur stdDeviation="1.2 2.5"/>
  </filter>
  <filter id="streaks" filterUnits="userSpaceOnUse" x="0" y="{HORIZON}" width="{W}" height="{H-HORIZON}">
    <feTurbulence type="fractalNoise" baseFrequency="0.004 0.16" numOctaves="3" seed="9"/>
    <feColorMatrix type="matrix" values="0 0 0 0 0.92  0 0 0 0 0.95  0 0 0 0 1  1.8 0 0 0 -0.95"/>
  </filter>
  <filter id="grain" filterUnits="userSpaceOnUse" x="0" y="0" width="{W}" height="{H}">
    <feTurbulence type="fractalNoise" baseFrequency="0.75" numOctaves="2" seed="23"/>
    <feColorMatrix type="matrix" values="0 0 0 0 0.5  0 0 0 0 0.5  0 0 0 0 0.5  0 0 0 0 0.055"/>
  </filter>
  <filter id="brush" filterUnits="userSpaceOnUse" x="0" y="0" width="{W}" height="{H}">
    <feTurbulence type="fractalNoise" baseFrequency="0.02 0.05" numOctaves="2" seed="31" result="n"/>
    <feDisplacementMap in="SourceGraphic" in2="n" scale="2" xChannelSelector="R" yChannelSelector="G"/>
  </filter>
  <linearGradient id="vign" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#1c2633" stop-opacity="0.28"/>
    <stop offset="0.25" stop-color="#1c2633" stop-opacity="0"/>
    <stop offset="0.8" stop-color="#1c2633" stop-opacity="0"/>
    <stop offset="1" stop-color="#121a24" stop-opacity="0.35"/>
  </linearGradient>
  <g id="bridge">{g}</g>
</defs>
<rect width="{W}" height="{HORIZON+2}" fill="url(#sky)"/>
<rect width="{W}" height="{HORIZON+2}" fill="url(#sun)"/>
<g mask="url(#skymask)">
  <rect x="-40" y="-40" width="{W + 80}" height="{HORIZON + 40}" filter="url(#clouds)"/>
  <rect x="-40" y="-40" width="{W + 80}" height="{HORIZON + 40}" filter="url(#wisps)" opacity="0.55"/>
</g>
<rect y="300" width="{W}" height="{HORIZON-300}" fill="url(#horizonhaze)"/>
<!-- far shore -->
<path d="M0,386 C60,372 120,380 170,366 C230,350 300,372 360,378 C420,384 470,362 540,368 C610,374 660,356 720,360 C760,363 785,372 800,370 L800,{HORIZON} L0,{HORIZON} Z" fill="#7f91a2" filter="url(#brush)"/>
<path d="M0,402 C80,396 150,404 250,398 C350,392 420,404 520,400 C620,396 700,404 800,398 L800,{HORIZON} L0,{HORIZON} Z" fill="#65778a" filter="url(#brush)"/>
<g fill="#8596a6">{''.join(f'<rect x="{x}" y="{398-h}" width="{w}" height="{h}"/>' for x, w, h in [(440,6,9),(448,4,14),(455,7,7),(470,5,11),(680,6,8),(690,4,12),(120,5,7)])}</g>
<rect y="{HORIZON}" width="{W}" height="{H-HORIZON}" fill="url(#water)"/>
<g opacity="0.32" filter="url(#ripple)">
  <rect y="{HORIZON}" width="{W}" height="{H-HORIZON}" fill="url(#sky)" transform="translate(0,{2*HORIZON}) scale(1,-1)"/>
  <use xlink:href="#bridge" transform="translate(0,{2*HORIZON+2}) scale(1,-1)"/>
</g>
<rect y="{HORIZON}" width="{W}" height="{H-HORIZON}" filter="url(#streaks)" opacity="0.55"/>
<rect y="{HORIZON}" width="{W}" height="1.5" fill="#c4ced6" opacity="0.6"/>
<use xlink:href="#bridge" filter="url(#brush)"/>
<rect width="{W}" height="{H}" fill="url(#vign)"/>
<rect width="{W}" height="{H}" filter="url(#grain)"/>
</svg>'''


def feather_wing(mirror):
    """One wing of the emblem: a fan of long primaries under a row of short
    coverts, sweeping out and a little up from the root at (0, 0)."""
    sgn = -1 if mirror else 1
    out = []
    # primaries, longest first so the shorter ones overlap them
    for k in range(6):
        ang = math.radians(-24 + k * 9.5)
        length = 33 - k * 3.6
        width = 3.4
        tx, ty = length * math.cos(ang), length * math.sin(ang)
        nx, ny = -math.sin(ang) * width, math.cos(ang) * width
        bx, by = 6 * math.cos(ang), 6 * math.sin(ang) + 2
        d = (f"M{f(sgn*bx)},{f(by)} "
             f"Q{f(sgn*(tx*0.6 - nx))},{f(ty*0.6 - ny)} {f(sgn*tx)},{f(ty)} "
             f"Q{f(sgn*(tx*0.62 + nx))},{f(ty*0.62 + ny)} {f(sgn*bx*0.6)},{f(by + 3)} Z")
        out.append(f'<path d="{d}" fill="url(#gold)" stroke="#4d3a0e" stroke-width="0.7" stroke-linejoin="round"/>')
        # the shaft of the feather
        out.append(f'<path d="M{f(sgn*bx)},{f(by + 1)} L{f(sgn*tx*0.92)},{f(ty*0.92 + 0.4)}" stroke="#7a5a18" stroke-width="0.5" stroke-opacity="0.7"/>')
    # the coverts: a scalloped shoulder over the roots of the primaries
    d = f"M0,-3 C{f(sgn*6)},-10 {f(sgn*16)},-12 {f(sgn*22)},-9 "
    for k in range(4):
        x0 = 22 - k * 5.5
        d += f"Q{f(sgn*(x0 - 1.5))},{f(-3 + k * 0.8)} {f(sgn*(x0 - 5.5))},{f(-5 + k * 1.4)} "
    d += "L0,4 Z"
    out.append(f'<path d="{d}" fill="url(#goldlight)" stroke="#4d3a0e" stroke-width="0.7" stroke-linejoin="round"/>')
    return "".join(out)


def logo_svg():
    lw, lh = 200, 70
    cx, cy = 37, 35
    word = ('font-family="Liberation Serif" font-style="italic" font-weight="bold" font-size="31" '
            'letter-spacing="0.2"')
    return f'''<svg xmlns="http://www.w3.org/2000/svg" width="{lw}" height="{lh}" viewBox="0 0 {lw} {lh}">
<defs>
  <linearGradient id="plate" x1="0" y1="0" x2="0.25" y2="1">
    <stop offset="0" stop-color="#34465a"/>
    <stop offset="0.55" stop-color="#1f2b3a"/>
    <stop offset="1" stop-color="#141c26"/>
  </linearGradient>
  <radialGradient id="glow" cx="0.3" cy="0.2" r="0.8">
    <stop offset="0" stop-color="#a8c4de" stop-opacity="0.22"/>
    <stop offset="1" stop-color="#a8c4de" stop-opacity="0"/>
  </radialGradient>
  <linearGradient id="gold" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#fff3c4"/>
    <stop offset="0.4" stop-color="#e8c15a"/>
    <stop offset="0.7" stop-color="#b8892a"/>
    <stop offset="1" stop-color="#e0b95a"/>
  </linearGradient>
  <linearGradient id="goldlight" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#fff8da"/>
    <stop offset="1" stop-color="#d9ad48"/>
  </linearGradient>
  <linearGradient id="word" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0.1" stop-color="#fff4cc"/>
    <stop offset="0.5" stop-color="#eac565"/>
    <stop offset="0.56" stop-color="#c0902e"/>
    <stop offset="1" stop-color="#e7c066"/>
  </linearGradient>
  <radialGradient id="boss" cx="0.38" cy="0.32" r="0.75">
    <stop offset="0" stop-color="#9cc0e6"/>
    <stop offset="0.6" stop-color="#2f5684"/>
    <stop offset="1" stop-color="#17304f"/>
  </radialGradient>
  <filter id="drop" x="-0.2" y="-0.2" width="1.4" height="1.5">
    <feGaussianBlur in="SourceAlpha" stdDeviation="0.9"/>
    <feOffset dx="0.8" dy="1.2" result="s"/>
    <feFlood flood-color="#05080c" flood-opacity="0.75"/>
    <feComposite in2="s" operator="in"/>
    <feMerge><feMergeNode/><feMergeNode in="SourceGraphic"/></feMerge>
  </filter>
</defs>
<rect width="{lw}" height="{lh}" fill="url(#plate)"/>
<rect width="{lw}" height="{lh}" fill="url(#glow)"/>
<rect x="1.5" y="1.5" width="{lw-3}" height="{lh-3}" rx="4" fill="none" stroke="#0b1017" stroke-width="1"/>
<rect x="3" y="3" width="{lw-6}" height="{lh-6}" rx="3.5" fill="none" stroke="#d3aa52" stroke-width="1.1"/>
<rect x="5.2" y="5.2" width="{lw-10.4}" height="{lh-10.4}" rx="2.5" fill="none" stroke="#d3aa52" stroke-opacity="0.35" stroke-width="0.6"/>
<g transform="translate({cx},{cy})" filter="url(#drop)">
  {feather_wing(False)}{feather_wing(True)}
  <circle r="10.5" fill="url(#gold)" stroke="#4d3a0e" stroke-width="0.8"/>
  <circle r="7.8" fill="url(#boss)" stroke="#3a2c0c" stroke-width="0.5"/>
  <g fill="#f4e6ba" stroke="#6b5016" stroke-width="0.3">
    <path d="M0,0 C-1.3,-2.5 -1.1,-5.8 0,-6.6 C1.1,-5.8 1.3,-2.5 0,0 Z"/>
    <path d="M0,0 C-1.3,-2.5 -1.1,-5.8 0,-6.6 C1.1,-5.8 1.3,-2.5 0,0 Z" transform="rotate(120)"/>
    <path d="M0,0 C-1.3,-2.5 -1.1,-5.8 0,-6.6 C1.1,-5.8 1.3,-2.5 0,0 Z" transform="rotate(240)"/>
  </g>
  <circle r="1.6" fill="#f4e6ba" stroke="#6b5016" stroke-width="0.3"/>
</g>
<g filter="url(#drop)">
  <text x="131" y="44" text-anchor="middle" {word} fill="url(#word)" stroke="#5a4312" stroke-width="0.5">Tarnwing</text>
</g>
<path d="M80,55.5 H126 M136,55.5 H182" stroke="#d3aa52" stroke-width="0.9" stroke-opacity="0.8"/>
<path d="M131,52.6 l2.9,2.9 l-2.9,2.9 l-2.9,-2.9 Z" fill="#e8c66a" stroke="#5a4312" stroke-width="0.4"/>
</svg>'''


def main():
    work = sys.argv[1]
    os.makedirs(work, exist_ok=True)
    with open(os.path.join(work, "bridge.svg"), "w") as fh:
        fh.write(bridge_svg())
    with open(os.path.join(work, "logo.svg"), "w") as fh:
        fh.write(logo_svg())


if __name__ == "__main__":
    main()
