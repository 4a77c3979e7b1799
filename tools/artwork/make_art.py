#!/usr/bin/env python3
"""Writes the panel's artwork as SVG files into resources/art/.

The pictures are ours: a dark UI with a blue accent and a gold police star.
Run it again after a change here; the SVG files are committed, and the
build renders them to PNG (rsvg-convert) at the sizes the layout uses.
"""

import math
import os

OUT = os.path.join(os.path.dirname(__file__), "..", "..", "resources", "art")

WINDOW = "#262C34"
ACCENT = "#2D8CFF"
GOLD = "#E8B94A"

# Stroke icons on a 24 x 24 grid, one per side-menu item.
ICONS = {
    "HM": '<path d="M3 11 12 3.5 21 11"/><path d="M5.5 9.5V20h4.5v-6h4v6h4.5V9.5"/>',
    "OT": '<path d="M4 4h16v11H10l-4.5 4v-4H4z"/><path d="M8 8.5h8M8 11.5h5"/>',
    "RK": '<rect x="3" y="4" width="18" height="16" rx="2"/><path d="M7 9.5l3 2.5-3 2.5M12.5 15H17"/>',
    "RS": '<path d="M6 3h9l4 4v14H6z"/><path d="M15 3v4h4M9 11h7M9 14.5h7M9 18h4"/>',
    "NK": '<rect x="2" y="6" width="20" height="12" rx="2"/>'
          '<path d="M6 10h.01M10 10h.01M14 10h.01M18 10h.01M7 14h10"/>',
    "IN": '<circle cx="12" cy="12" r="9"/><path d="M12 11v6M12 7.5h.01"/>',
}

# state digit -> (background, icon colour, accent bar)
STATES = {
    1: ("#262C34", "#8A93A0", False),  # normal
    2: ("#343C48", "#FFFFFF", False),  # hover
    3: ("#262C34", "#C8CDD4", True),   # pressed
    4: ("#2C3440", "#FFFFFF", True),   # selected
}


def write(name, text):
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, name), "w", encoding="utf-8") as f:
        f.write(text)


def star_points(cx, cy, r, inner=0.52):
    pts = []
    for i in range(12):
        rr = r if i % 2 == 0 else r * inner
        a = math.radians(-90 + i * 30)
        pts.append(f"{cx + rr * math.cos(a):.2f},{cy + rr * math.sin(a):.2f}")
    return " ".join(pts)


def badge(cx, cy, r, gid):
    """A six-pointed police star with a ring and a blue centre."""
    return f"""
  <defs>
    <linearGradient id="{gid}" x1="{cx - r}" y1="{cy - r}" x2="{cx + r}" y2="{cy + r}" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#F6DD93"/><stop offset="1" stop-color="#A67C22"/>
    </linearGradient>
  </defs>
  <polygon points="{star_points(cx, cy, r)}" fill="url(#{gid})" stroke="#7A5A14" stroke-width="{max(1.0, r / 18):.2f}" stroke-linejoin="round"/>
  <circle cx="{cx}" cy="{cy}" r="{r * 0.34:.2f}" fill="#1B3A6B" stroke="#F3D27A" stroke-width="{max(1.0, r / 22):.2f}"/>
  <circle cx="{cx}" cy="{cy}" r="{r * 0.1:.2f}" fill="#F0C95E"/>"""


def menu_bitmap(prefix, state):
    bg, icon, accent = STATES[state]
    glow = ""
    if accent:
        alpha = "0.28" if state == 4 else "0.14"
        glow = f"""
  <defs>
    <linearGradient id="glow" x1="0" y1="0" x2="80" y2="0" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="{ACCENT}" stop-opacity="{alpha}"/><stop offset="1" stop-color="{ACCENT}" stop-opacity="0"/>
    </linearGradient>
  </defs>
  <rect x="0" y="0" width="80" height="49" fill="url(#glow)"/>
  <rect x="0" y="0" width="4" height="49" fill="{ACCENT}"/>"""
    return f"""<svg xmlns="http://www.w3.org/2000/svg" width="167" height="49" viewBox="0 0 167 49">
  <rect x="0" y="0" width="167" height="49" fill="{bg}"/>{glow}
  <rect x="12" y="48" width="143" height="1" fill="#303741"/>
  <g transform="translate(12 15) scale(0.8)" fill="none" stroke="{icon}" stroke-width="2" stroke-linejoin="round" stroke-linecap="round">{ICONS[prefix]}</g>
</svg>
"""


def splash():
    return f"""<svg xmlns="http://www.w3.org/2000/svg" width="277" height="165" viewBox="0 0 277 165">
  <defs>
    <linearGradient id="sky" x1="0" y1="0" x2="277" y2="165" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#122445"/><stop offset="0.55" stop-color="#1E2B3C"/><stop offset="1" stop-color="{WINDOW}"/>
    </linearGradient>
    <radialGradient id="red" cx="70" cy="0" r="90" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#E03030" stop-opacity="0.35"/><stop offset="1" stop-color="#E03030" stop-opacity="0"/>
    </radialGradient>
    <radialGradient id="blue" cx="207" cy="0" r="90" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="{ACCENT}" stop-opacity="0.35"/><stop offset="1" stop-color="{ACCENT}" stop-opacity="0"/>
    </radialGradient>
  </defs>
  <rect width="277" height="165" fill="url(#sky)"/>
  <rect width="277" height="165" fill="url(#red)"/>
  <rect width="277" height="165" fill="url(#blue)"/>
  <rect x="0" y="0" width="138" height="3" fill="#E03030"/>
  <rect x="139" y="0" width="138" height="3" fill="{ACCENT}"/>{badge(62, 72, 42, "gold")}
  <text x="114" y="70" font-family="Segoe UI, Liberation Sans, DejaVu Sans, sans-serif" font-size="30" font-weight="bold" fill="#FFFFFF">QUORVEL</text>
  <text x="116" y="90" font-family="Segoe UI, Liberation Sans, DejaVu Sans, sans-serif" font-size="12" fill="#C8CDD4">Police RP binder</text>
  <text x="116" y="108" font-family="Segoe UI, Liberation Sans, DejaVu Sans, sans-serif" font-size="11" font-weight="bold" fill="{GOLD}">v 1.0.1 beta</text>
  <rect x="0" y="158" width="277" height="7" fill="{WINDOW}"/>
</svg>
"""


def header():
    return f"""<svg xmlns="http://www.w3.org/2000/svg" width="122" height="81" viewBox="0 0 122 81">
  <defs>
    <linearGradient id="bg" x1="0" y1="0" x2="122" y2="0" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#101E38"/><stop offset="1" stop-color="#000000"/>
    </linearGradient>
  </defs>
  <rect width="122" height="81" fill="url(#bg)"/>{badge(61, 40, 30, "gold")}
</svg>
"""


def app_icon():
    return f"""<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <rect x="0" y="0" width="32" height="32" rx="6" fill="#122445"/>{badge(16, 16, 14.7, "gold")}
</svg>
"""


def key_button():
    """The keyboard pictogram of the key buttons: white keys on blue-grey."""
    keys = []
    for row, (y, xs) in enumerate([(4, range(5, 38, 5)), (9, range(7, 36, 5))]):
        for x in xs:
            keys.append(f'<rect x="{x}" y="{y}" width="3.6" height="3.2" rx="0.6" fill="#FFFFFF"/>')
    keys.append('<rect x="11" y="14" width="21" height="3.2" rx="0.6" fill="#FFFFFF"/>')
    return f"""<svg xmlns="http://www.w3.org/2000/svg" width="43" height="21" viewBox="0 0 43 21">
  <rect x="0.5" y="0.5" width="42" height="20" rx="4" fill="#5B7086" stroke="#8FA3B8" stroke-width="1"/>
  {"".join(keys)}
</svg>
"""


FONT = "Segoe UI, Liberation Sans, DejaVu Sans, sans-serif"


def banner(code, city, sky, skyline, accent):
    """A department banner, 393 x 105: night sky, city silhouette, badge, name."""
    return f"""<svg xmlns="http://www.w3.org/2000/svg" width="393" height="105" viewBox="0 0 393 105">
  <defs>
    <linearGradient id="sky" x1="0" y1="0" x2="0" y2="105" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="{sky[0]}"/><stop offset="1" stop-color="{sky[1]}"/>
    </linearGradient>
    <linearGradient id="shade" x1="0" y1="0" x2="393" y2="0" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#000000" stop-opacity="0.55"/><stop offset="0.6" stop-color="#000000" stop-opacity="0"/>
    </linearGradient>
  </defs>
  <rect width="393" height="105" fill="url(#sky)"/>
  {skyline}
  <rect width="393" height="105" fill="url(#shade)"/>
  <rect x="0" y="0" width="393" height="3" fill="{accent}"/>
  <rect x="0" y="102" width="393" height="3" fill="{accent}"/>{badge(50, 52, 34, "gold")}
  <text x="96" y="50" font-family="{FONT}" font-size="26" font-weight="bold" fill="#FFFFFF">{city}</text>
  <text x="97" y="70" font-family="{FONT}" font-size="12" font-weight="bold" fill="#D7D9DC" letter-spacing="2">POLICE DEPARTMENT</text>
  <rect x="97" y="78" width="46" height="16" rx="3" fill="{accent}"/>
  <text x="120" y="90" font-family="{FONT}" font-size="11" font-weight="bold" fill="#FFFFFF" text-anchor="middle">{code}</text>
</svg>
"""


def bridge():
    """A suspension bridge over water, for San Fierro."""
    parts = ['<rect x="0" y="88" width="393" height="17" fill="#0B1A2A"/>']
    for x in (250, 350):
        parts.append(f'<rect x="{x}" y="26" width="7" height="66" fill="#C0482F"/>')
        parts.append(f'<rect x="{x - 3}" y="44" width="13" height="3" fill="#C0482F"/>')
        parts.append(f'<rect x="{x - 3}" y="62" width="13" height="3" fill="#C0482F"/>')
    parts.append('<path d="M180 80 Q215 78 253 28 Q303 74 353 28 Q372 60 393 70" fill="none" stroke="#D4573A" stroke-width="2"/>')
    for x in range(262, 350, 8):
        y = 28 + (46 * (1 - ((x - 303) / 50.0) ** 2))
        parts.append(f'<line x1="{x}" y1="{y:.1f}" x2="{x}" y2="80" stroke="#D4573A" stroke-width="0.8"/>')
    parts.append('<rect x="170" y="79" width="223" height="4" fill="#A63B26"/>')
    return "".join(parts)


def casino_skyline():
    """Towers with lit windows and a spire, for Las Venturas."""
    parts = []
    towers = [(200, 52, 22), (226, 36, 18), (248, 60, 26), (278, 24, 16), (298, 46, 24), (326, 58, 20), (350, 40, 30)]
    for x, top, w in towers:
        parts.append(f'<rect x="{x}" y="{top}" width="{w}" height="{105 - top}" fill="#1A0F2E"/>')
        for wy in range(top + 6, 100, 8):
            for wx in range(x + 4, x + w - 3, 6):
                if (wx * 7 + wy * 3) % 5 < 3:
                    parts.append(f'<rect x="{wx}" y="{wy}" width="2" height="3" fill="#F4C95D" fill-opacity="0.85"/>')
    parts.append('<path d="M286 24 L286 6 L288 24 Z" fill="#F4C95D"/>')
    parts.append('<circle cx="287" cy="6" r="2.5" fill="#FF5EC4"/>')
    return "".join(parts)


def palms():
    """Hills, a low sun and palm trees, for Los Santos."""
    parts = ['<circle cx="310" cy="84" r="30" fill="#F28C38" fill-opacity="0.55"/>',
             '<path d="M150 105 Q230 70 300 90 T393 80 L393 105 Z" fill="#0E1B33"/>']
    for x, h in ((250, 60), (285, 72), (360, 56)):
        top = 100 - h
        parts.append(f'<path d="M{x} 100 Q{x + 4} {top + h / 2} {x + 2} {top}" fill="none" stroke="#081222" stroke-width="4"/>')
        for dx, dy in ((-18, 8), (-12, -6), (14, -6), (20, 8), (2, -12)):
            parts.append(f'<path d="M{x + 2} {top} Q{x + 2 + dx / 2} {top + dy - 6} {x + 2 + dx} {top + dy}" fill="none" stroke="#081222" stroke-width="3" stroke-linecap="round"/>')
    return "".join(parts)


def main():
    for prefix in ICONS:
        for state in STATES:
            write(f"{prefix}{state}.svg", menu_bitmap(prefix, state))
    write("splash.svg", splash())
    write("header.svg", header())
    write("appicon.svg", app_icon())
    write("keybutton.svg", key_button())
    write("sfpd.svg", banner("SFPD", "SAN FIERRO", ("#0D2438", "#1D4460"), bridge(), "#C0482F"))
    write("lvpd.svg", banner("LVPD", "LAS VENTURAS", ("#1B0B2E", "#3D1650"), casino_skyline(), "#B8860B"))
    write("lspd.svg", banner("LSPD", "LOS SANTOS", ("#10234A", "#7A3B4A"), palms(), "#2D8CFF"))


if __name__ == "__main__":
    main()
