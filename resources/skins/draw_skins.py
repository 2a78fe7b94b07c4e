#!/usr/bin/env python3
"""Draws the skins of Vrel2 as SVG files beside this script.

Everything is drawn here from plain shapes: worn metal plates, rivets, phosphor screens and the
lettering, which uses the block font defined below, so the pictures look the same on every
machine whatever fonts it has. scripts/render-pictures.sh draws the SVG files to the PNG files the
program shows, at their exact pixel sizes. Run both after changing it and commit the SVG and PNG
files with it: python3 resources/skins/draw_skins.py && scripts/render-pictures.sh
"""

import pathlib
import random

HERE = pathlib.Path(__file__).resolve().parent

# A 5 x 7 block font: '#' is a lit dot. Narrow signs carry fewer columns.
FONT = {
    'A': ".###. #...# #...# ##### #...# #...# #...#",
    'B': "####. #...# #...# ####. #...# #...# ####.",
    'C': ".###. #...# #.... #.... #.... #...# .###.",
    'D': "####. #...# #...# #...# #...# #...# ####.",
    'E': "##### #.... #.... ####. #.... #.... #####",
    'F': "##### #.... #.... ####. #.... #.... #....",
    'G': ".###. #...# #.... #.### #...# #...# .####",
    'H': "#...# #...# #...# ##### #...# #...# #...#",
    'I': "### .#. .#. .#. .#. .#. ###",
    'J': "..### ...#. ...#. ...#. ...#. #..#. .##..",
    'K': "#...# #..#. #.#.. ##... #.#.. #..#. #...#",
    'L': "#.... #.... #.... #.... #.... #.... #####",
    'M': "#...# ##.## #.#.# #.#.# #...# #...# #...#",
    'N': "#...# #...# ##..# #.#.# #..## #...# #...#",
    'O': ".###. #...# #...# #...# #...# #...# .###.",
    'P': "####. #...# #...# ####. #.... #.... #....",
    'Q': ".###. #...# #...# #...# #.#.# #..#. .##.#",
    'R': "####. #...# #...# ####. #.#.. #..#. #...#",
    'S': ".#### #.... #.... .###. ....# ....# ####.",
    'T': "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#..",
    'U': "#...# #...# #...# #...# #...# #...# .###.",
    'V': "#...# #...# #...# #...# #...# .#.#. ..#..",
    'W': "#...# #...# #...# #.#.# #.#.# #.#.# .#.#.",
    'X': "#...# #...# .#.#. ..#.. .#.#. #...# #...#",
    'Y': "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#..",
    'Z': "##### ....# ...#. ..#.. .#... #.... #####",
    '0': ".###. #...# #..## #.#.# ##..# #...# .###.",
    '1': "..#.. .##.. ..#.. ..#.. ..#.. ..#.. .###.",
    '2': ".###. #...# ....# ...#. ..#.. .#... #####",
    '3': "####. ....# ....# .###. ....# ....# ####.",
    '4': "...#. ..##. .#.#. #..#. ##### ...#. ...#.",
    '5': "##### #.... ####. ....# ....# #...# .###.",
    '6': "..##. .#... #.... ####. #...# #...# .###.",
    '7': "##### ....# ...#. ..#.. .#... .#... .#...",
    '8': ".###. #...# #...# .###. #...# #...# .###.",
    '9': ".###. #...# #...# .#### ....# ...#. .##..",
    ' ': "... ... ... ... ... ... ...",
    '.': ".. .. .. .. .. ## ##",
    ',': ".. .. .. .. ## .# #.",
    ':': ".. ## ## .. ## ## ..",
    '-': ".... .... .... #### .... .... ....",
    '!': "# # # # # . #",
    "'": "# # . . . . .",
    '/': "....# ...#. ...#. ..#.. .#... .#... #....",
    '(': "..# .#. #.. #.. #.. .#. ..#",
    ')': "#.. .#. ..# ..# ..# .#. #..",
    '@': ".###. #...# #.### #.#.# #.###  #.... .####",
    '>': "#... .#.. ..#. ...# ..#. .#.. #...",
    '+': "..... ..#.. ..#.. ##### ..#.. ..#.. .....",
}


def glyph(char):
    return FONT[char].split()


def text_width(text, scale=1, gap=1):
    widths = [len(glyph(c)[0]) * scale for c in text]
    return sum(widths) + gap * (len(text) - 1)


def text_path(x, y, text, scale=1, gap=1):
    """The dots of `text` as one SVG path, top left corner at (x, y)."""
    parts = []
    for char in text:
        rows = glyph(char)
        for row, line in enumerate(rows):
            column = 0
            while column < len(line):
                if line[column] == '#':
                    start = column
                    while column < len(line) and line[column] == '#':
                        column += 1
                    parts.append(f"M{x + start * scale:g} {y + row * scale:g}h{(column - start) * scale:g}"
                                 f"v{scale:g}h{-(column - start) * scale:g}z")
                else:
                    column += 1
        x += len(rows[0]) * scale + gap
    return "".join(parts)


class Svg:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.defs = []
        self.body = []

    def add(self, element):
        self.body.append(element)

    def define(self, element):
        self.defs.append(element)

    def save(self, name):
        text = (f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
                f'width="{self.width}" height="{self.height}" viewBox="0 0 {self.width} {self.height}">\n'
                f'<defs>\n' + "\n".join(self.defs) + '\n</defs>\n' + "\n".join(self.body) + '\n</svg>\n')
        (HERE / f"{name}.svg").write_text(text)


def linear(id_, stops, x2="0", y2="1"):
    stop_text = "".join(f'<stop offset="{o}" stop-color="{c}" stop-opacity="{a}"/>' for o, c, a in stops)
    return f'<linearGradient id="{id_}" x1="0" y1="0" x2="{x2}" y2="{y2}">{stop_text}</linearGradient>'


def radial(id_, stops, cx="0.5", cy="0.5", r="0.5"):
    stop_text = "".join(f'<stop offset="{o}" stop-color="{c}" stop-opacity="{a}"/>' for o, c, a in stops)
    return f'<radialGradient id="{id_}" cx="{cx}" cy="{cy}" r="{r}">{stop_text}</radialGradient>'


def common_defs(svg):
    svg.define(linear("metal", [(0, "#77776a", 1), (0.45, "#626256", 1), (1, "#4b4a41", 1)]))
    svg.define(linear("plate", [(0, "#868576", 1), (1, "#5c5b50", 1)]))
    svg.define(linear("button", [(0, "#8c8b7c", 1), (0.5, "#727164", 1), (1, "#55544a", 1)]))
    svg.define(linear("lit", [(0, "#1c3a22", 1), (0.5, "#0f2814", 1), (1, "#0a1c0d", 1)]))
    svg.define(radial("grime", [(0, "#2a2418", 0.45), (1, "#2a2418", 0)]))
    svg.define(radial("rust", [(0, "#7a3a14", 0.5), (0.6, "#5a2a10", 0.2), (1, "#5a2a10", 0)]))
    svg.define(radial("rivet", [(0, "#d6d3c0", 1), (0.45, "#8e8c7c", 1), (1, "#3c3b33", 1)],
                      cx="0.35", cy="0.3", r="0.7"))
    svg.define(radial("screen", [(0, "#12331b", 1), (0.7, "#081c0d", 1), (1, "#041006", 1)],
                      cy="0.45", r="0.75"))
    svg.define(radial("vignette", [(0, "#000000", 0), (0.7, "#000000", 0.15), (1, "#000000", 0.6)],
                      r="0.72"))
    svg.define(linear("glass", [(0, "#ffffff", 0.09), (0.35, "#ffffff", 0.02), (1, "#ffffff", 0)],
                      x2="0.6", y2="1"))
    svg.define(radial("lamp", [(0, "#b8ffc4", 1), (0.4, "#3fd860", 1), (1, "#0c4a1a", 1)],
                      cx="0.4", cy="0.35", r="0.65"))
    svg.define(radial("glow", [(0, "#5dff80", 0.35), (1, "#5dff80", 0)]))


def metal_base(svg, rng, x, y, w, h, scratches=1.0):
    svg.add(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="url(#metal)"/>')
    # Brushed grain: faint horizontal strokes.
    grain = []
    for _ in range(int(w * h / 90)):
        gx, gy = rng.uniform(x, x + w), rng.uniform(y, y + h)
        grain.append(f"M{gx:.1f} {gy:.1f}h{rng.uniform(6, 40):.1f}")
    svg.add(f'<path d="{"".join(grain)}" stroke="#ffffff" stroke-opacity="0.05" stroke-width="0.6" fill="none"/>')
    dark = []
    for _ in range(int(w * h / 140)):
        gx, gy = rng.uniform(x, x + w), rng.uniform(y, y + h)
        dark.append(f"M{gx:.1f} {gy:.1f}h{rng.uniform(6, 30):.1f}")
    svg.add(f'<path d="{"".join(dark)}" stroke="#000000" stroke-opacity="0.07" stroke-width="0.6" fill="none"/>')
    # Grime and rust.
    for _ in range(int(w * h / 2500)):
        gx, gy = rng.uniform(x, x + w), rng.uniform(y, y + h)
        rx, ry = rng.uniform(8, 40), rng.uniform(6, 30)
        svg.add(f'<ellipse cx="{gx:.1f}" cy="{gy:.1f}" rx="{rx:.1f}" ry="{ry:.1f}" fill="url(#grime)"/>')
    # Scratches: short bright gouges at random angles.
    light, shadow = [], []
    for _ in range(int(w * h / 700 * scratches)):
        sx, sy = rng.uniform(x, x + w), rng.uniform(y, y + h)
        dx, dy = rng.uniform(-14, 14), rng.uniform(-6, 6)
        light.append(f"M{sx:.1f} {sy:.1f}l{dx:.1f} {dy:.1f}")
        shadow.append(f"M{sx:.1f} {sy + 0.8:.1f}l{dx:.1f} {dy:.1f}")
    svg.add(f'<path d="{"".join(shadow)}" stroke="#1a1912" stroke-opacity="0.25" stroke-width="0.7" fill="none"/>')
    svg.add(f'<path d="{"".join(light)}" stroke="#e8e4cc" stroke-opacity="0.22" stroke-width="0.6" fill="none"/>')


def bevel(svg, x, y, w, h, raised=True, width=1, light="#b4b29c", dark="#1c1b16", opacity=1.0):
    top, bottom = (light, dark) if raised else (dark, light)
    d_top = f"M{x + 0.5:g} {y + h - 0.5:g}V{y + 0.5:g}H{x + w - 0.5:g}"
    d_bottom = f"M{x + w - 0.5:g} {y + 0.5:g}V{y + h - 0.5:g}H{x + 0.5:g}"
    for i in range(width):
        svg.add(f'<path d="{d_top}" stroke="{top}" stroke-opacity="{opacity}" fill="none"/>')
        svg.add(f'<path d="{d_bottom}" stroke="{bottom}" stroke-opacity="{opacity}" fill="none"/>')
        x, y, w, h = x + 1, y + 1, w - 2, h - 2
        d_top = f"M{x + 0.5:g} {y + h - 0.5:g}V{y + 0.5:g}H{x + w - 0.5:g}"
        d_bottom = f"M{x + w - 0.5:g} {y + 0.5:g}V{y + h - 0.5:g}H{x + 0.5:g}"


def simple_bevel(svg, x, y, w, h, raised=True, light="#b4b29c", dark="#1c1b16", opacity=1.0):
    top, bottom = (light, dark) if raised else (dark, light)
    svg.add(f'<path d="M{x + 0.5:g} {y + h - 0.5:g}V{y + 0.5:g}H{x + w - 0.5:g}" stroke="{top}" '
            f'stroke-opacity="{opacity}" fill="none"/>')
    svg.add(f'<path d="M{x + w - 0.5:g} {y + 0.5:g}V{y + h - 0.5:g}H{x + 0.5:g}" stroke="{bottom}" '
            f'stroke-opacity="{opacity}" fill="none"/>')


def rivet(svg, rng, cx, cy, r=2.6, slotted=False):
    svg.add(f'<circle cx="{cx + 0.8:g}" cy="{cy + 0.9:g}" r="{r:g}" fill="#000000" fill-opacity="0.45"/>')
    svg.add(f'<circle cx="{cx:g}" cy="{cy:g}" r="{r:g}" fill="url(#rivet)"/>')
    if slotted:
        angle = rng.uniform(0, 180)
        svg.add(f'<path d="M{cx - r * 0.75:g} {cy:g}h{r * 1.5:g}" stroke="#24231c" stroke-width="0.9" '
                f'transform="rotate({angle:.0f} {cx:g} {cy:g})"/>')
    if rng.random() < 0.4:
        svg.add(f'<ellipse cx="{cx + rng.uniform(-1, 2):.1f}" cy="{cy + r + 3:.1f}" rx="{r * 0.9:.1f}" '
                f'ry="{r * 2.2:.1f}" fill="url(#rust)"/>')


def chips(svg, rng, x, y, w, h, count):
    """Paint worn off at the edges of a plate: small bright flecks of bare metal."""
    parts = []
    for _ in range(count):
        side = rng.randrange(4)
        if side == 0:
            cx, cy = rng.uniform(x, x + w), y + rng.uniform(0, 2)
        elif side == 1:
            cx, cy = rng.uniform(x, x + w), y + h - rng.uniform(0, 2)
        elif side == 2:
            cx, cy = x + rng.uniform(0, 2), rng.uniform(y, y + h)
        else:
            cx, cy = x + w - rng.uniform(0, 2), rng.uniform(y, y + h)
        size = rng.uniform(0.8, 2.2)
        parts.append(f"M{cx:.1f} {cy:.1f}l{size:.1f} {size * 0.4:.1f}l{-size * 0.3:.1f} {size:.1f}z")
    svg.add(f'<path d="{"".join(parts)}" fill="#c9c5ad" fill-opacity="0.55"/>')


def engraved(svg, x, y, text, scale=1, gap=1, fill="#1f1e18", light="#b7b49d"):
    svg.add(f'<path d="{text_path(x, y + 1, text, scale, gap)}" fill="{light}" fill-opacity="0.55"/>')
    svg.add(f'<path d="{text_path(x, y, text, scale, gap)}" fill="{fill}"/>')


def painted(svg, rng, x, y, text, scale=1, gap=1, fill="#d2a640"):
    """Stencilled paint, a little worn."""
    svg.add(f'<path d="{text_path(x, y, text, scale, gap)}" fill="{fill}" fill-opacity="0.92"/>')
    worn = []
    for _ in range(len(text) * scale * 2):
        wx = rng.uniform(x, x + text_width(text, scale, gap))
        wy = rng.uniform(y, y + 7 * scale)
        worn.append(f"M{wx:.1f} {wy:.1f}h{rng.uniform(1, 3):.1f}v{rng.uniform(0.6, 1.2):.1f}h-1z")
    svg.add(f'<path d="{"".join(worn)}" fill="#5e5d52" fill-opacity="0.8"/>')


def phosphor(svg, x, y, text, scale=1, gap=1, fill="#78ff94", glow=True):
    path = text_path(x, y, text, scale, gap)
    if glow:
        svg.add(f'<path d="{path}" fill="none" stroke="#3cff6a" stroke-opacity="0.22" '
                f'stroke-width="{1.6 * scale:g}" stroke-linejoin="round"/>')
    svg.add(f'<path d="{path}" fill="{fill}"/>')


def screen(svg, x, y, w, h, scanline=3):
    svg.add(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="url(#screen)"/>')
    lines = "".join(f"M{x} {row + 0.5}h{w}" for row in range(y + 1, y + h, scanline))
    svg.add(f'<path d="{lines}" stroke="#000000" stroke-opacity="0.28" fill="none"/>')
    svg.add(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="url(#vignette)"/>')


def screen_glass(svg, x, y, w, h):
    svg.add(f'<path d="M{x} {y}h{w * 0.8:g}l{-w * 0.45:g} {h * 0.55:g}H{x}z" fill="url(#glass)"/>')


def recess(svg, x, y, w, h, depth=3):
    """A bezel sunk into the panel, with a screen or slot inside."""
    svg.add(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="#2d2c26"/>')
    for i in range(depth):
        simple_bevel(svg, x + i, y + i, w - 2 * i, h - 2 * i, raised=False,
                     light="#a9a690", dark="#141410", opacity=1.0 - i * 0.25)


def button_face(svg, x, y, w, h, label, lit):
    if lit:
        svg.add(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="#10130f"/>')
        svg.add(f'<rect x="{x + 2}" y="{y + 2}" width="{w - 4}" height="{h - 4}" fill="url(#lit)"/>')
        lines = "".join(f"M{x + 2} {row + 0.5}h{w - 4}" for row in range(y + 3, y + h - 2, 2))
        svg.add(f'<path d="{lines}" stroke="#000000" stroke-opacity="0.25" fill="none"/>')
        svg.add(f'<ellipse cx="{x + w / 2:g}" cy="{y + h / 2:g}" rx="{w * 0.42:g}" ry="{h * 0.45:g}" fill="url(#glow)"/>')
        simple_bevel(svg, x, y, w, h, raised=False, light="#c8c6b0", dark="#0b0b08")
        simple_bevel(svg, x + 1, y + 1, w - 2, h - 2, raised=False, light="#6f6e60", dark="#000000", opacity=0.8)
        tw = text_width(label, 2, 1)
        phosphor(svg, x + (w - tw) // 2, y + (h - 14) // 2 + 1, label, 2, 1, fill="#a8ffb6")
    else:
        svg.add(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="#16150f"/>')
        svg.add(f'<rect x="{x + 1}" y="{y + 1}" width="{w - 2}" height="{h - 2}" fill="url(#button)"/>')
        simple_bevel(svg, x + 1, y + 1, w - 2, h - 2, raised=True, light="#d2cfb7", dark="#2a2922")
        simple_bevel(svg, x + 2, y + 2, w - 4, h - 4, raised=True, light="#a3a18b", dark="#3d3c33", opacity=0.8)
        tw = text_width(label, 2, 1)
        engraved(svg, x + (w - tw) // 2, y + (h - 14) // 2 + 1, label, 2, 1, fill="#1b1a14", light="#c9c6ae")


BUTTONS = [("play", "PLAY", 289, 74), ("options", "OPTIONS", 289, 104),
           ("about", "ABOUT", 289, 134), ("exit", "EXIT", 289, 164)]


def draw_main():
    rng = random.Random(2)
    svg = Svg(400, 517)
    common_defs(svg)
    metal_base(svg, rng, 0, 0, 400, 517)
    bevel(svg, 0, 0, 400, 517, raised=True, width=2)
    simple_bevel(svg, 4, 4, 392, 506, raised=False, light="#a9a690", dark="#22211b", opacity=0.7)

    # Name plate.
    svg.add('<rect x="14" y="12" width="268" height="50" fill="url(#plate)"/>')
    bevel(svg, 14, 12, 268, 50, raised=True, width=2)
    chips(svg, rng, 14, 12, 268, 50, 30)
    engraved(svg, 26, 19, "VREL", 5, 3, fill="#1d1c16", light="#c2bfa6")
    painted(svg, rng, 146, 22, "FALLOUT 2", 1, 1)
    painted(svg, rng, 146, 32, "MOD MANAGER", 1, 1)
    painted(svg, rng, 146, 42, "AND LAUNCHER", 1, 1)
    # Warning stripes at the plate's right end.
    stripes = "".join(f"M{x} 50l8 -8h4l-8 8z" for x in range(226, 274, 8))
    svg.add('<rect x="226" y="42" width="48" height="8" fill="#c99a2e"/>')
    svg.add(f'<path d="{stripes}" fill="#1c1b15"/>')
    svg.add('<rect x="226" y="42" width="48" height="8" fill="none" stroke="#1c1b15" stroke-opacity="0.6"/>')
    for cx, cy in ((20, 18), (276, 18), (20, 56), (276, 56)):
        rivet(svg, rng, cx, cy, 2.4, slotted=True)

    # Status plate above the buttons: a lamp and a vent.
    svg.add('<rect x="288" y="12" width="98" height="50" fill="url(#plate)"/>')
    bevel(svg, 288, 12, 98, 50, raised=True, width=2)
    chips(svg, rng, 288, 12, 98, 50, 14)
    recess(svg, 296, 20, 18, 18, 2)
    svg.add('<circle cx="305" cy="29" r="6" fill="url(#lamp)"/>')
    svg.add('<circle cx="305" cy="29" r="9" fill="url(#glow)"/>')
    engraved(svg, 296, 44, "PWR", 1, 1)
    for row in range(4):
        recess(svg, 322, 20 + row * 9, 56, 5, 1)
    for cx, cy in ((292, 16), (382, 16), (292, 58), (382, 58)):
        rivet(svg, rng, cx, cy, 1.8)

    # The mod list's screen bezel.
    recess(svg, 19, 66, 266, 410, 4)
    svg.add('<rect x="23" y="70" width="258" height="403" fill="#0b0b09"/>')
    svg.add('<rect x="27" y="74" width="250" height="395" fill="#06120a"/>')
    for cx, cy in ((23.5, 70.5), (280.5, 70.5), (23.5, 471.5), (280.5, 471.5)):
        rivet(svg, rng, cx, cy, 1.6)

    # Buttons.
    for name, label, x, y in BUTTONS:
        recess(svg, x - 2, y - 2, 97, 27, 2)
        button_face(svg, x, y, 93, 23, label, lit=False)

    # Description screen.
    recess(svg, 298, 194, 94, 283, 4)
    svg.add('<rect x="302" y="198" width="86" height="275" fill="#0b0b09"/>')
    screen(svg, 304, 200, 82, 271, 3)
    screen_glass(svg, 304, 200, 82, 271)

    # Credit slot.
    recess(svg, 26, 477, 256, 20, 2)
    svg.add('<rect x="28" y="479" width="252" height="16" fill="#0d0d0b"/>')

    # Serial plate.
    svg.add('<rect x="298" y="481" width="94" height="22" fill="url(#plate)"/>')
    simple_bevel(svg, 298, 481, 94, 22, raised=True)
    chips(svg, rng, 298, 481, 94, 22, 10)
    engraved(svg, 312, 489, "VREL 2.0", 1, 1)
    rivet(svg, rng, 303, 492, 1.8)
    rivet(svg, rng, 387, 492, 1.8)

    # Rivets along the frame.
    for y in range(20, 500, 46):
        rivet(svg, rng, 9.5, y + 8, 2.4)
    for x in range(40, 290, 50):
        rivet(svg, rng, x, 506, 2.4)
    rivet(svg, rng, 9.5, 506, 2.4)
    rivet(svg, rng, 394, 506, 2.0)
    rivet(svg, rng, 394, 190, 2.0)
    rivet(svg, rng, 394, 66, 2.0)
    svg.save("main")


def draw_list():
    svg = Svg(250, 395)
    common_defs(svg)
    screen(svg, 0, 0, 250, 395, 3)
    grid = "".join(f"M{x + 0.5} 0v395" for x in range(25, 250, 25))
    grid += "".join(f"M0 {y + 0.5}h250" for y in range(25, 395, 25))
    svg.add(f'<path d="{grid}" stroke="#3cff6a" stroke-opacity="0.045" fill="none"/>')
    phosphor(svg, 125 - text_width("VREL", 6, 3) // 2, 318, "VREL", 6, 3, fill="#1d5a2b", glow=False)
    phosphor(svg, 125 - text_width("MOD LIST", 1, 1) // 2, 368, "MOD LIST", 1, 1, fill="#1d5a2b", glow=False)
    screen_glass(svg, 0, 0, 250, 395)
    svg.save("list")


def draw_hover_images():
    for name, label, _, _ in BUTTONS:
        svg = Svg(93, 23)
        common_defs(svg)
        button_face(svg, 0, 0, 93, 23, label, lit=True)
        svg.save(f"hover_{name}")


def draw_about():
    rng = random.Random(7)
    svg = Svg(300, 200)
    common_defs(svg)
    metal_base(svg, rng, 0, 0, 300, 200)
    bevel(svg, 0, 0, 300, 197, raised=True, width=2)
    simple_bevel(svg, 4, 4, 292, 189, raised=False, light="#a9a690", dark="#22211b", opacity=0.7)

    # Credits screen.
    recess(svg, 10, 10, 280, 98, 3)
    screen(svg, 13, 13, 274, 92, 2)
    phosphor(svg, 20, 19, "VREL 2.0", 2, 2, fill="#8dffa2")
    phosphor(svg, 20, 39, "FALLOUT 2 MOD MANAGER AND LAUNCHER", 1, 1, fill="#6cf088")
    credits = ["CODED BY THE VREL TEAM", "GFX BY THE VREL ART CREW", "TESTED BY THE VREL COMMUNITY",
               "BROUGHT TO YOU BY ORVANIS"]
    for row, text in enumerate(credits):
        phosphor(svg, 20, 53 + row * 10, text, 1, 1, fill="#6cf088")
    phosphor(svg, 20, 95, "MADE FROM SCRATCH. NO GAME FILES INSIDE.", 1, 1, fill="#2f8a45", glow=False)
    screen_glass(svg, 13, 13, 274, 92)

    # Logo plate.
    svg.add('<rect x="12" y="114" width="128" height="42" fill="url(#plate)"/>')
    bevel(svg, 12, 114, 128, 42, raised=True, width=2)
    chips(svg, rng, 12, 114, 128, 42, 16)
    engraved(svg, 22, 121, "VREL", 4, 2, fill="#1d1c16", light="#c2bfa6")
    rivet(svg, rng, 131, 121, 1.8, slotted=True)
    rivet(svg, rng, 131, 149, 1.8, slotted=True)

    # Links panel: the drawn texts lie on the link hot spots, which open files of the program folder.
    recess(svg, 148, 111, 142, 39, 2)
    svg.add('<rect x="150" y="113" width="138" height="35" fill="#0c120d"/>')
    phosphor(svg, 156, 117, "IN THE FOLDER", 1, 1, fill="#3c9a50", glow=False)
    links = [("README", 244, 116, 33), ("RELEASE NOTES", 204, 128, 73), ("LICENSE", 244, 136, 33)]
    for text, x, y, w in links:
        phosphor(svg, x + w - text_width(text), y + 1, text, 1, 1, fill="#ffcf5a")
        phosphor(svg, x + w - text_width(text) - 8, y + 1, ">", 1, 1, fill="#b48a2c", glow=False)

    # Mail slot behind the mail link, and the close button.
    recess(svg, 20, 161, 77, 19, 2)
    svg.add('<rect x="22" y="163" width="73" height="15" fill="#0d0f0c"/>')
    recess(svg, 194, 154, 93, 29, 2)
    button_face(svg, 196, 156, 89, 25, "CLOSE", lit=False)
    for cx, cy in ((8, 8), (292, 8), (8, 189), (292, 189)):
        rivet(svg, rng, cx, cy, 2.2)
    for x in (110, 150):
        rivet(svg, rng, x, 171, 2.0)
    svg.save("about")


def draw_pointer():
    svg = Svg(32, 32)
    svg.define(linear("amber", [(0, "#ffe08a", 1), (0.5, "#f0a830", 1), (1, "#9a5a10", 1)], x2="0.7", y2="1"))
    arrow = "M2 1L2 24L7.5 19L11.5 28.5L16 26.5L12 17.5L19.5 17.5Z"
    svg.add(f'<path d="{arrow}" transform="translate(1.2,1.4)" fill="#000000" fill-opacity="0.4"/>')
    svg.add(f'<path d="{arrow}" fill="url(#amber)" stroke="#1a1206" stroke-width="1.4" stroke-linejoin="round"/>')
    svg.add('<path d="M4 5L4 19.5L7.5 16.5" fill="none" stroke="#fff4c8" stroke-opacity="0.8" stroke-width="0.9"/>')
    svg.save("pointer")


def draw_check_boxes():
    for name, ticked in (("check_off", False), ("check_on", True)):
        svg = Svg(11, 11)
        svg.add('<rect x="0.5" y="0.5" width="10" height="10" fill="#04100a" stroke="#4fd86c"/>')
        if ticked:
            svg.add('<path d="M2.2 5.6L4.5 8L8.8 2.8" fill="none" stroke="#b4ffc2" stroke-width="1.8" '
                    'stroke-linecap="square"/>')
        svg.save(name)


if __name__ == "__main__":
    draw_main()
    draw_list()
    draw_hover_images()
    draw_about()
    draw_pointer()
    draw_check_boxes()
