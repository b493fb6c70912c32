#!/usr/bin/env python3
"""Draws the icons and bitmaps of the device program and writes them as .ico and .bmp files.

Run from anywhere: python3 draw_images.py [--out DIR] [--preview DIR]
The outputs are committed beside this script, so the build never needs Python (--out DIR
writes them there instead; a test compares that with the committed files). With
--preview, every picture is also written enlarged as a PNG (transparency as a checkerboard)
so that it can be looked at before committing.

Conventions kept by every picture:
- Bitmaps that the program loads into image lists or tool bars have the mask colour
  RGB 192,192,192 as background, starting at the top-left pixel (CLR_DEFAULT takes that
  pixel; the tool bar maps 192 grey to the button face). The pictures themselves never use
  that exact grey.
- Icons are 8 bits per pixel with an AND mask for the transparent parts, 32x32 and 16x16.
"""

import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

MASK = (192, 192, 192)

# One palette for every picture, so the program looks of one piece.
INK = {
    'K': (0, 0, 0),
    'W': (255, 255, 255),
    'd': (64, 64, 64),        # outlines of grey things
    'D': (128, 128, 128),
    'M': (160, 160, 160),
    'L': (212, 212, 212),
    'l': (236, 236, 236),
    'o': (120, 80, 8),        # folder outline
    'O': (208, 152, 40),      # folder shade
    'Y': (248, 208, 88),      # folder body
    'y': (255, 240, 168),     # folder highlight
    'B': (0, 0, 128),
    'b': (40, 88, 208),
    'c': (144, 188, 248),
    'G': (0, 104, 0),
    'g': (40, 168, 40),
    'h': (152, 224, 136),
    'R': (152, 0, 0),
    'r': (224, 32, 24),
    'p': (255, 140, 120),
    'T': (0, 128, 128),
    't': (96, 200, 200),
    'S': (184, 212, 176),     # handheld screen
    's': (112, 144, 104),     # text on that screen
    'n': (240, 140, 24),      # orange
    'u': (224, 176, 64),      # gold contacts
    'P': (16, 112, 64),       # circuit board
    'v': (104, 56, 152),      # violet
}

# The sixteen colours of a 4-bit bitmap: the standard VGA set.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
VGA_INK = {
    'K': (0, 0, 0), 'R': (128, 0, 0), 'G': (0, 128, 0), 'O': (128, 128, 0),
    'B': (0, 0, 128), 'V': (128, 0, 128), 'T': (0, 128, 128), 'D': (128, 128, 128),
    'r': (255, 0, 0), 'g': (0, 255, 0), 'Y': (255, 255, 0), 'b': (0, 0, 255),
    'm': (255, 0, 255), 'c': (0, 255, 255), 'W': (255, 255, 255),
}


class Canvas:
    """Pixels as RGB tuples; None is transparent (icons) or background (bitmaps)."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.px = [[None] * width for _ in range(height)]

    def set(self, x, y, c):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = INK[c] if isinstance(c, str) else c

    def get(self, x, y):
        return self.px[y][x]

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def polygon(self, pts, c):
        """Fills the pixels whose centres lie inside the polygon (even-odd rule)."""
        for y in range(self.height):
            yc = y + 0.5
            xs = []
            for i in range(len(pts)):
                (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % len(pts)]
                if (ya <= yc < yb) or (yb <= yc < ya):
                    xs.append(xa + (yc - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for i in range(0, len(xs) - 1, 2):
                for x in range(self.width):
                    if xs[i] <= x + 0.5 < xs[i + 1]:
                        self.set(x, y, c)

    def disc(self, cx, cy, r, c):
        for y in range(self.height):
            for x in range(self.width):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.set(x, y, c)

    def art(self, rows, ink=INK, x0=0, y0=0):
        """Paints a grid of letters; '.' leaves the pixel as it is."""
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                if ch != '.':
                    self.set(x0 + x, y0 + y, ink[ch])

    def paste(self, other, x0, y0):
        for y in range(other.height):
            for x in range(other.width):
                if other.px[y][x] is not None:
                    self.set(x0 + x, y0 + y, other.px[y][x])


def from_art(rows, ink=INK):
    c = Canvas(len(rows[0]), len(rows))
    assert all(len(r) == c.width for r in rows), rows
    c.art(rows, ink)
    return c


# ---------------------------------------------------------------- shared 16 x 16 shapes

FOLDER16 = [
    "................",
    "................",
    "................",
    ".ooooo..........",
    "oyyyyyo.........",
    "oyYYYYyoooooooo.",
    "oyyyyyyyyyyyyyyo",
    "oyYYYYYYYYYYYYOo",
    "oyYYYYYYYYYYYYOo",
    "oyYYYYYYYYYYYYOo",
    "oyYYYYYYYYYYYYOo",
    "oyYYYYYYYYYYYYOo",
    "oyYYYYYYYYYYYYOo",
    "oOOOOOOOOOOOOOOo",
    "oooooooooooooooo",
    "................",
]

OPEN_FOLDER16 = [
    "................",
    "................",
    "................",
    ".ooooo..........",
    "oyyyyyo.........",
    "oyOOOOyoooooooo.",
    "oyOOOOOOOOOOOOyo",
    "oyOOOOOOOOOOOOyo",
    "oyOOoooooooooooo",
    "oyOoyyyyyyyyyyyo",
    "oyOoyYYYYYYYYYOo",
    "oyoyYYYYYYYYYYo.",
    "oyoyYYYYYYYYYOo.",
    "ooyYYYYYYYYYYo..",
    "ooooooooooooo...",
    "................",
]

DOCUMENT16 = [
    "...KKKKKKK......",
    "...KWWWWWKK.....",
    "...KWWWWWKlK....",
    "...KWWWWWKKKK...",
    "...KWWWWWWWWK...",
    "...KWWWWWWWWK...",
    "...KWWWWWWWWK...",
    "...KWWWWWWWWK...",
    "...KWWWWWWWWK...",
    "...KWWWWWWWWK...",
    "...KWWWWWWWWK...",
    "...KWWWWWWWWK...",
    "...KWWWWWWWWK...",
    "...KWWWWWWWWK...",
    "...KKKKKKKKKK...",
    "................",
]

TRASH16 = [
    "................",
    "......dddd......",
    "..dddddLLddddd..",
    "..dlllllllllLd..",
    "..dddddddddddd..",
    "...dLWLDLDLMd...",
    "...dLWLDLDLMd...",
    "...dLWLDLDLMd...",
    "...dLWLDLDLMd...",
    "...dLWLDLDLMd...",
    "...dLWLDLDLMd...",
    "...dLWLDLDLMd...",
    "...dLWLDLDLMd...",
    "...dMMMMMMMMd...",
    "....dddddddd....",
    "................",
]


def folder16():
    return from_art(FOLDER16)


def open_folder16():
    return from_art(OPEN_FOLDER16)


# ---------------------------------------------------------------- tool bar (bitmap 1001)

def tool_new():
    c = from_art(DOCUMENT16)
    # A small yellow spark: something new.
    c.art(["..O..", ".OYO.", "OYyYO", ".OYO.", "..O.."], x0=10, y0=10)
    return c


def tool_open():
    return open_folder16()


def tool_save():
    return from_art([
        "................",
        ".BBBBBBBBBBBBBB.",
        ".BbDWWWWWWWWDbB.",
        ".BbDWWWWWWWWDbB.",
        ".BbDWDDDDDDWDbB.",
        ".BbDWWWWWWWWDbB.",
        ".BbDWDDDDDDWDbB.",
        ".BbDDDDDDDDDDbB.",
        ".BbbbbbbbbbbbbB.",
        ".BbbLLLLLLLLbbB.",
        ".BbbLLdLLLLLbbB.",
        ".BbbLLdLLLLLbbB.",
        ".BbbLLdLLLLLbbB.",
        "..BbLLLLLLLLbbB.",
        "...BBBBBBBBBBBB.",
        "................",
    ])


def arrow_right(c, body, edge, light, x0=0, y0=0):
    c.art([
        ".......E.....",
        ".......EE....",
        ".......ElE...",
        "EEEEEEEElbE..",
        "ElllllllllbE.",
        "EbbbbbbbbbbbE",
        "EbbbbbbbbbbE.",
        "EEEEEEEEbbE..",
        ".......EbE...",
        ".......EE....",
        ".......E.....",
    ], ink={'E': INK[edge], 'b': INK[body], 'l': INK[light]}, x0=x0, y0=y0)


def mirrored(c):
    m = Canvas(c.width, c.height)
    for y in range(c.height):
        for x in range(c.width):
            m.px[y][c.width - 1 - x] = c.px[y][x]
    return m


def tool_forward():
    c = Canvas(16, 16)
    arrow_right(c, 'g', 'G', 'h', x0=1, y0=3)
    return c


def tool_backward():
    c = Canvas(16, 16)
    arrow_right(c, 'b', 'B', 'c', x0=2, y0=3)
    return mirrored(c)


def tool_abort():
    c = Canvas(16, 16)
    # Octagon: the stop sign.
    c.polygon([(5, 0.5), (11, 0.5), (15.5, 5), (15.5, 11), (11, 15.5), (5, 15.5),
               (0.5, 11), (0.5, 5)], INK['R'])
    c.polygon([(5.5, 1.5), (10.5, 1.5), (14.5, 5.5), (14.5, 10.5), (10.5, 14.5),
               (5.5, 14.5), (1.5, 10.5), (1.5, 5.5)], INK['r'])
    c.rect(4, 7, 11, 8, 'W')
    c.set(15, 7, MASK)   # keep the outline a clean octagon
    return c


def tool_delete():
    c = Canvas(16, 16)
    for i in range(10):
        for w in (0, 1):
            c.set(3 + i + w, 3 + i, 'r')
            c.set(12 - i - w, 3 + i, 'r')
    return c


TOOLBAR = [
    ("new", tool_new), ("open", tool_open), ("save", tool_save), ("forward", tool_forward),
    ("backward", tool_backward), ("abort", tool_abort), ("delete", tool_delete),
]


# ---------------------------------------------------------------- folder tree (bitmap 105)

def tree_desktop():
    return from_art([
        "................",
        "dddddddddddddddd",
        "dLLLLLLLLLLLLLLd",
        "dLKKKKKKKKKKKKLd",
        "dLKWTTTTTTTTTKLd",
        "dLKTTTTBBBBBTKLd",
        "dLKWTTTBWWWBTKLd",
        "dLKTTTTBWWWBTKLd",
        "dLKWTTTBBBBBTKLd",
        "dLKTTTTTTTTTTKLd",
        "dLKKKKKKKKKKKKLd",
        "dLLLLLLLLLLLLLLd",
        "dddddddddddddddd",
        "......dLLd......",
        "...dddddddddd...",
        "...dMMMMMMMMd...",
    ])


def tree_device():
    return from_art([
        "...dddddddddd...",
        "..dLLLLLLLLLLd..",
        "..dLddddddddLd..",
        "..dLdSSSSSSdLd..",
        "..dLdSssssSdLd..",
        "..dLdSSSSSSdLd..",
        "..dLdSsssSSdLd..",
        "..dLdSSSSSSdLd..",
        "..dLdSssssSdLd..",
        "..dLdSSSSSSdLd..",
        "..dLddddddddLd..",
        "..dLLLLLLLLLLd..",
        "..dLbLbLLbLbLd..",
        "..dLLLLLLLLLLd..",
        "..dMMMMMMMMMMd..",
        "...dddddddddd...",
    ])


def tree_network():
    return from_art([
        "................",
        ".....BBBBBB.....",
        "...BBccbbggBB...",
        "..BccbgggggggB..",
        ".BcbbgggggbggbB.",
        ".BcbbbggggbbbbB.",
        "BcbbbbbggbbbbbbB",
        "BbbbbbbbgbbbbbbB",
        "BbbbbbbbbbbggbbB",
        "BbbgbbbbbbgggbbB",
        ".BbggbbbbbgggbB.",
        ".BbgggbbbbggbbB.",
        "..BbggbbbbgbbB..",
        "...BBbbbbbbBB...",
        ".....BBBBBB.....",
        "................",
    ])


def tree_documents():
    c = folder16()
    c.art([
        "KKKKKKK...",
        "KWWWWWWK..",
        "KWKKKKWK..",
        "KWWWWWWK..",
        "KWKKKKWK..",
        "KWWWWWWK..",
    ], x0=5, y0=1)
    # The document stands inside the folder: repaint the front edge over it.
    c.art(["yyyyyyyyy"], x0=5, y0=6)
    c.art(["YYYYYYYYY"], x0=5, y0=7)
    return c


def tree_card():
    return from_art([
        "................",
        "................",
        "..dddddddddd....",
        "..dDuDuDuDuDd...",
        "..dDDDDDDDDDDd..",
        "..dDWWWWWWWWDd..",
        "..dDWbbbbbbWDd..",
        "..dDWWWWWWWWDd..",
        "..dDWbbbbWWWDd..",
        "..dDWWWWWWWWDd..",
        "..dDDDDDDDDDDd..",
        "..dDDDDDDDDDDd..",
        "..dDDDDDDDDDDd..",
        "..dddddddddddd..",
        "................",
        "................",
    ])


def tree_drive():
    return from_art([
        "................",
        "................",
        "................",
        "................",
        "....dddddddddddd",
        "...dlllllllllldd",
        "..dlllllllllldMd",
        ".ddddddddddddMMd",
        ".dLLLLLLLLLLdMMd",
        ".dLDDDDDDLgLdMd.",
        ".dLLLLLLLLLLdd..",
        ".dddddddddddd...",
        "................",
        "................",
        "................",
        "................",
    ])


def tree_database():
    return from_art([
        "................",
        "....dddddddd....",
        "..ddccccccccdd..",
        ".dccccccccccccd.",
        ".ddccccccccccdd.",
        ".dcbddddddddbbd.",
        ".dcbbbbbbbbbbbd.",
        ".dcbbbbbbbbbbbd.",
        ".ddbbbbbbbbbbdd.",
        ".dcbddddddddbbd.",
        ".dcbbbbbbbbbbbd.",
        ".dcbbbbbbbbbbbd.",
        ".dcbbbbbbbbbbbd.",
        ".ddbbbbbbbbbbdd.",
        "..ddbbbbbbbbdd..",
        "....dddddddd....",
    ])


def tree_control_panel():
    return from_art([
        "................",
        "................",
        "..dddddddddddd..",
        "..dLLLLLLLLLLd..",
        "..dLDLLLDLLDLd..",
        "..dLDLLbbbLDLd..",
        "..dLDLLbcbLDLd..",
        "..dLDLLbbbLDLd..",
        "..dLDLLLDLbbbd..",
        "..dbbbLLDLbcbd..",
        "..dbcbLLDLbbbd..",
        "..dbbbLLDLLDLd..",
        "..dLDLLLDLLDLd..",
        "..dLLLLLLLLLLd..",
        "..dddddddddddd..",
        "................",
    ])


def tree_trash():
    return from_art(TRASH16)


def tree_find():
    c = folder16()
    c.art([
        "..KKKK....",
        ".KccWcK...",
        "KcWccccK..",
        "KcccccWK..",
        "KccccccK..",
        ".KccccK...",
        "..KKKKdK..",
        "......dKK.",
        ".......dKK",
        "........dK",
    ], x0=5, y0=4)
    return c


TREE = [
    ("folder", folder16), ("folder open", open_folder16), ("desktop", tree_desktop),
    ("my device", tree_device), ("my network", tree_network), ("my documents", tree_documents),
    ("storage card, removable drive (PC)", tree_card), ("drive (PC)", tree_drive),
    ("database", tree_database), ("control panel", tree_control_panel),
    ("trash box", tree_trash), ("find result", tree_find),
]


# ---------------------------------------------------------------- command bands (bitmap 100)

def band_menu():
    return from_art([
        "...........",
        "KKKKKKKKKKK",
        "KBBBBBBBBBK",
        "KWWWWWWWWWK",
        "KWKKWKKKWWK",
        "KWWWWWWWWWK",
        "KDDDDDDDDDK",
        "KWWWWWWWWWK",
        "KWWWWWWWWWK",
        "KWWWWWWWWWK",
        "KWWWWWWWWWK",
        "KKKKKKKKKKK",
        "...........",
    ], VGA_INK)


def band_tools():
    return from_art([
        "...........",
        "...........",
        ".KKKK......",
        "KYYYYK.....",
        "KYYYYKKKKK.",
        "KYYYYYYYYYK",
        "KYYYYYGYYYK",
        "KYYYYYGGYYK",
        "KYGGGGGGGYK",
        "KYYYYYGGYYK",
        "KYYYYYGYYYK",
        "KKKKKKKKKKK",
        "...........",
    ], VGA_INK)


def band_options():
    return from_art([
        "...........",
        "...........",
        "KKKKKKKKK..",
        "KWWWWWWWK..",
        "KWWWWWWGK..",
        "KWWWWWGGK..",
        "KWGWWGGWK..",
        "KWGGGGWWK..",
        "KWWGGWWWK..",
        "KWWWWWWWK..",
        "KKKKKKKKK..",
        "...........",
        "...........",
    ], VGA_INK)


BANDS = [("menu bar band", band_menu), ("tool bar band", band_tools),
         ("options band (spare)", band_options)]


# ---------------------------------------------------------------- colour strip (bitmap 102)

def strip_column(base):
    """A glossy tube: light at the top, the colour in the middle, darker at the bottom."""
    col = []
    for y in range(64):
        t = y / 63.0
        if t < 0.35:
            k = (0.35 - t) / 0.35 * 0.65          # towards white
            rgb = [b + (255 - b) * k for b in base]
        else:
            k = (t - 0.35) / 0.65 * 0.45          # towards black
            rgb = [b * (1 - k) for b in base]
        col.append(tuple(int(round(v)) for v in rgb))
    return col


def hue(h):
    """Fully saturated colour of hue h in [0, 1)."""
    i = int(h * 6) % 6
    f = h * 6 - int(h * 6)
    q, t = int(255 * (1 - f)), int(255 * f)
    return [(255, t, 0), (q, 255, 0), (0, 255, t), (0, q, 255), (t, 0, 255), (255, 0, q)][i]


STRIP_BASES = [
    (0, 64, 224),      # 0 blue: full
    (0, 176, 0),       # 1 green
    (232, 200, 0),     # 2 yellow
    (255, 128, 0),     # 3 orange
    (224, 0, 0),       # 4 red: nearly empty
    (160, 0, 200),     # 5 violet
    (0, 176, 192),     # 6 cyan
    (144, 88, 32),     # 7 brown
    (208, 208, 208),   # 8 grey: the empty part of a bar
    (96, 96, 96),      # 9 dark grey
] + [hue(i / 25.0) for i in range(25)]   # 10..34: the colour wheel, for later use


def colour_strip():
    c = Canvas(35, 64)
    for x, base in enumerate(STRIP_BASES):
        for y, rgb in enumerate(strip_column(base)):
            c.px[y][x] = rgb
    return c


# ---------------------------------------------------------------- icons, 32 x 32

def folder32(c, x0, y0, w, h, open_=False):
    """A folder whose outline box is (x0, y0)..(x0+w-1, y0+h-1); the tab takes 4 rows."""
    x1, y1 = x0 + w - 1, y0 + h - 1
    tab = max(6, w * 2 // 5)
    c.rect(x0, y0 + 1, x0 + tab, y0 + 4, 'o')
    c.rect(x0 + 1, y0, x0 + tab - 1, y0, 'o')
    c.rect(x0 + 1, y0 + 1, x0 + tab - 1, y0 + 3, 'y')
    c.rect(x0 + 2, y0 + 2, x0 + tab - 2, y0 + 3, 'Y')
    c.rect(x0, y0 + 4, x1, y1, 'o')
    if not open_:
        c.rect(x0 + 1, y0 + 5, x1 - 1, y1 - 1, 'Y')
        c.rect(x0 + 1, y0 + 5, x1 - 1, y0 + 5, 'y')
        c.rect(x0 + 1, y0 + 5, x0 + 1, y1 - 1, 'y')
        c.rect(x1 - 1, y0 + 6, x1 - 1, y1 - 1, 'O')
        c.rect(x0 + 1, y1 - 1, x1 - 1, y1 - 1, 'O')
        return
    c.rect(x0 + 1, y0 + 5, x1 - 1, y1 - 1, 'O')
    c.rect(x0 + 1, y0 + 5, x0 + 1, y1 - 1, 'y')
    top = y0 + 4 + (h - 4) // 3
    slant = (h - 4) // 3
    pts = [(x0 + slant + 0.5, top + 0.5), (x1 + 1.5, top + 0.5), (x1 - slant + 1, y1 + 1),
           (x0, y1 + 1)]
    c.polygon(pts, INK['o'])
    inner = [(x0 + slant + 1.8, top + 1.5), (x1 - 0.3, top + 1.5), (x1 - slant, y1),
             (x0 + 1.2, y1)]
    c.polygon(inner, INK['Y'])
    for x in range(x0 + slant + 2, x1):
        c.set(x, top + 1, 'y')


def icon_app32():
    c = Canvas(32, 32)
    folder32(c, 0, 2, 20, 16)
    folder32(c, 11, 13, 21, 17)
    # Two arrows between the folders: forward in green, backward in blue.
    arrow = [
        "......E....",
        "......EE...",
        "EEEEEEElE..",
        "EllllllllE.",
        "EbbbbbbbbbE",
        "EbbbbbbbbE.",
        "EEEEEEEbE..",
        "......EE...",
        "......E....",
    ]
    green = {'E': INK['G'], 'l': INK['h'], 'b': INK['g']}
    blue = {'E': INK['B'], 'l': INK['c'], 'b': INK['b']}
    c.art(arrow, green, x0=15, y0=1)
    c.art([r[::-1] for r in arrow], blue, x0=3, y0=20)
    return c


def icon_app16():
    c = Canvas(16, 16)
    folder = [
        ".ooo.....",
        "oyyyooooo",
        "oyYYYYYYo",
        "oyYYYYYYo",
        "oyYYYYYYo",
        "oOOOOOOOo",
        "ooooooooo",
    ]
    arrow = [
        "....E..",
        "EEEEbE.",
        "EbbbbbE",
        "EEEEbE.",
        "....E..",
    ]
    c.art(folder, x0=0, y0=1)
    c.art(folder, x0=7, y0=8)
    c.art(arrow, {'E': INK['G'], 'b': INK['g']}, x0=9, y0=1)
    c.art([r[::-1] for r in arrow], {'E': INK['B'], 'b': INK['b']}, x0=0, y0=10)
    return c


def icon_memory32():
    c = Canvas(32, 32)
    c.rect(0, 9, 31, 23, 'G')
    c.rect(1, 10, 30, 22, 'P')
    c.rect(1, 10, 30, 10, 'g')
    for x in range(2, 30, 2):          # gold edge contacts
        c.rect(x, 20, x, 23, 'u')
    c.set(15, 23, 'G')                   # key notch
    c.rect(15, 21, 16, 23, None)
    for x0 in (3, 10, 17, 24):          # memory chips
        c.rect(x0, 12, x0 + 4, 17, 'K')
        c.rect(x0 + 1, 12, x0 + 3, 12, 'd')
        for y in range(13, 17, 2):
            c.set(x0 - 1, y, 'L')
            c.set(x0 + 5, y, 'L')
    c.rect(0, 8, 0, 8, None)
    return c


def icon_memory16():
    return from_art([
        "................",
        "................",
        "................",
        "................",
        "GGGGGGGGGGGGGGGG",
        "GggggggggggggggG",
        "GPKKKPPKKKPKKKPG",
        "GPKdKPPKdKPKdKPG",
        "GPKKKPPKKKPKKKPG",
        "GPPPPPPPPPPPPPPG",
        "GuPuPuP..PuPuPuG",
        "GuGuGuG..GuGuGuG",
        "................",
        "................",
        "................",
        "................",
    ])


def icon_card32():
    c = Canvas(32, 32)
    c.polygon([(6, 1), (21, 1), (26, 6), (26, 31), (6, 31)], INK['d'])
    c.polygon([(7, 2), (20.6, 2), (25, 6.4), (25, 30), (7, 30)], INK['D'])
    for x in range(9, 22, 3):            # contacts along the top edge
        c.rect(x, 3, x + 1, 7, 'u')
    c.rect(8, 11, 24, 27, 'W')
    c.frame(8, 11, 24, 27, 'M')
    c.rect(9, 12, 23, 16, 'b')
    c.rect(10, 19, 22, 19, 'M')
    c.rect(10, 22, 19, 22, 'M')
    c.rect(10, 25, 21, 25, 'M')
    c.rect(11, 13, 15, 15, 'c')
    return c


def icon_card16():
    return from_art([
        "...dddddddd.....",
        "...dDuDuDuDd....",
        "...dDuDuDuDDd...",
        "...dDDDDDDDDDd..",
        "...dDWWWWWWWDd..",
        "...dDWbbbbbWDd..",
        "...dDWbcbbbWDd..",
        "...dDWWWWWWWDd..",
        "...dDWMMMMMWDd..",
        "...dDWWWWWWWDd..",
        "...dDWMMMMWWDd..",
        "...dDWWWWWWWDd..",
        "...dDDDDDDDDDd..",
        "...dDDDDDDDDDd..",
        "...ddddddddddd..",
        "................",
    ])


def icon_battery32():
    c = Canvas(32, 32)
    c.rect(1, 8, 28, 23, 'd')
    c.rect(2, 9, 27, 22, 'l')
    c.rect(29, 12, 31, 19, 'd')
    c.rect(29, 13, 30, 18, 'M')
    for i in range(4):                    # charge cells
        x0 = 4 + i * 6
        c.rect(x0, 11, x0 + 4, 20, 'G')
        c.rect(x0, 11, x0 + 4, 12, 'h')
        c.rect(x0, 13, x0 + 4, 18, 'g')
    return c


def icon_battery16():
    return from_art([
        "................",
        "................",
        "................",
        "................",
        "ddddddddddddd...",
        "dllllllllllld...",
        "dlhhlhhlhhlldd..",
        "dlgglgglgglldMd.",
        "dlgglgglgglldMd.",
        "dlGGlGGlGGlldd..",
        "dllllllllllld...",
        "ddddddddddddd...",
        "................",
        "................",
        "................",
        "................",
    ])


def icon_warning32():
    c = Canvas(32, 32)
    c.polygon([(16, 0.5), (31.5, 29.5), (0.5, 29.5)], INK['K'])
    c.polygon([(16, 3.2), (29.3, 28.2), (2.7, 28.2)], (255, 224, 0))
    c.rect(14, 10, 17, 21, 'K')
    c.rect(15, 22, 16, 22, None)
    c.rect(14, 22, 17, 22, (255, 224, 0))
    c.rect(14, 23, 17, 26, 'K')
    c.set(14, 10, (255, 224, 0))
    c.set(17, 10, (255, 224, 0))
    c.set(14, 21, (255, 224, 0))
    c.set(17, 21, (255, 224, 0))
    return c


def icon_warning16():
    return from_art([
        ".......KK.......",
        "......KZZK......",
        "......KZZK......",
        ".....KZZZZK.....",
        ".....KZKKZK.....",
        "....KZZKKZZK....",
        "....KZZKKZZK....",
        "...KZZZKKZZZK...",
        "...KZZZKKZZZK...",
        "..KZZZZZZZZZZK..",
        "..KZZZZKKZZZZK..",
        ".KZZZZZKKZZZZZK.",
        ".KZZZZZZZZZZZZK.",
        "KKKKKKKKKKKKKKKK",
        "................",
        "................",
    ], dict(INK, Z=(255, 224, 0)))


def icon_info32():
    c = Canvas(32, 32)
    c.disc(16, 16, 15.5, INK['B'])
    c.disc(16, 16, 14.3, INK['b'])
    c.disc(14.5, 13, 9, (72, 120, 224))
    # Keep the highlight inside the ring.
    ring = Canvas(32, 32)
    ring.disc(16, 16, 14.3, INK['b'])
    for y in range(32):
        for x in range(32):
            if ring.px[y][x] is None and c.px[y][x] == (72, 120, 224):
                c.px[y][x] = INK['B']
    c.rect(14, 7, 17, 10, 'W')
    c.rect(12, 13, 17, 14, 'W')
    c.rect(14, 15, 17, 23, 'W')
    c.rect(12, 24, 19, 25, 'W')
    return c


def icon_info16():
    return from_art([
        ".....BBBBBB.....",
        "...BBbbbbbbBB...",
        "..BbbbbbbbbbbB..",
        ".BbbbbbWWbbbbbB.",
        ".BbbbbbWWbbbbbB.",
        "BbbbbbbbbbbbbbbB",
        "BbbbbbWWWbbbbbbB",
        "BbbbbbbWWbbbbbbB",
        "BbbbbbbWWbbbbbbB",
        "BbbbbbbWWbbbbbbB",
        "BbbbbbbWWbbbbbbB",
        ".BbbbbWWWWbbbbB.",
        ".BbbbbbbbbbbbbB.",
        "..BbbbbbbbbbbB..",
        "...BBbbbbbbBB...",
        ".....BBBBBB.....",
    ])


def icon_replace32():
    c = Canvas(32, 32)
    folder32(c, 6, 12, 26, 19)
    # A page coming in from the upper left.
    c.rect(1, 0, 12, 15, 'K')
    c.rect(2, 1, 11, 14, 'W')
    for y in range(3, 14, 2):
        c.rect(3, y, 10, y, 'M')
    c.rect(9, 0, 12, 3, None)
    c.line(9, 0, 12, 3, INK['K'])
    c.rect(9, 1, 9, 3, 'K')
    c.rect(9, 3, 11, 3, 'K')
    c.rect(10, 2, 10, 2, 'L')
    # The arrow bends from the page into the folder.
    arrow = [
        "..gggg....",
        ".ggGGGg...",
        "ggG...gg..",
        "gG.....g..",
        "g......g..",
        ".....ggggg",
        "......GgG.",
        ".......G..",
    ]
    c.art(arrow, {'g': INK['g'], 'G': INK['G']}, x0=14, y0=3)
    return c


def icon_replace16():
    c = Canvas(16, 16)
    c.art([
        "KKKKKK..",
        "KWWWWKK.",
        "KWMMWWK.",
        "KWWWWWK.",
        "KWMMMWK.",
        "KWWWWWK.",
        "KKKKKKK.",
    ], x0=1, y0=1)
    c.art([
        "ggggg..",
        "....g..",
        "....g..",
        "..ggggg",
        "...ggg.",
        "....g..",
    ], {'g': INK['G']}, x0=8, y0=1)
    c.art([
        ".ooooo.....",
        "oyyyyyoooo.",
        "oyYYYYYYYyo",
        "oyYYYYYYYOo",
        "oyYYYYYYYOo",
        "oyYYYYYYYOo",
        "oOOOOOOOOOo",
        "ooooooooooo",
    ], x0=5, y0=8)
    return c


def icon_delete32():
    c = Canvas(32, 32)
    # Lid with a handle.
    c.rect(12, 1, 19, 4, 'd')
    c.rect(13, 2, 18, 4, None)
    c.rect(3, 4, 28, 8, 'd')
    c.rect(4, 5, 27, 7, 'l')
    c.rect(4, 7, 27, 7, 'M')
    # Body, narrowing towards the bottom.
    c.polygon([(5, 9), (27, 9), (25.5, 31), (6.5, 31)], INK['d'])
    c.polygon([(6.2, 9), (25.8, 9), (24.4, 30), (7.6, 30)], INK['L'])
    for x in (10, 14, 18, 22):
        c.line(x, 11, x, 28, INK['M'])
        c.line(x + 1, 11, x + 1, 28, INK['W'])
    c.rect(7, 9, 24, 9, 'M')
    # A red cross: this goes away for good.
    for i in range(10):
        for w in range(3):
            c.set(17 + i + w, 16 + i, 'r')
            c.set(28 - i - w + 1, 16 + i, 'r')
    return c


def icon_delete16():
    c = from_art(TRASH16)
    c.art([
        "rr...rr",
        ".rr.rr.",
        "..rrr..",
        ".rr.rr.",
        "rr...rr",
    ], x0=9, y0=10)
    return c


ICONS = [
    (100, "app", "the program: two folders kept in step", icon_app32, icon_app16),
    (118, "memory", "memory stores: a memory module", icon_memory32, icon_memory16),
    (120, "card", "storage cards: a memory card", icon_card32, icon_card16),
    (121, "battery", "batteries: a charged battery", icon_battery32, icon_battery16),
    (153, "replace", "folder replace: a page going into a folder", icon_replace32,
     icon_replace16),
    (155, "delete", "file or folder delete: a waste bin with a red cross", icon_delete32,
     icon_delete16),
    (32515, "warning", "notices and questions about folders: a warning triangle",
     icon_warning32, icon_warning16),
    (32516, "information", "the result of a run: an information sign", icon_info32,
     icon_info16),
]


# ---------------------------------------------------------------- file writers

def strip(pictures, height, width):
    c = Canvas(width * len(pictures), height)
    for i, p in enumerate(pictures):
        assert (p.width, p.height) == (width, height), (i, p.width, p.height)
        c.paste(p, i * width, 0)
    return c


def palette_of(canvases, limit):
    colours = [(0, 0, 0)]
    for c in canvases:
        for row in c.px:
            for rgb in row:
                if rgb is not None and rgb not in colours:
                    colours.append(rgb)
    assert len(colours) <= limit, len(colours)
    return colours


def dib_rows(c, bpp, palette, background):
    """Bottom-up rows of a DIB, each padded to four bytes."""
    out = bytearray()
    for y in range(c.height - 1, -1, -1):
        row = [c.px[y][x] if c.px[y][x] is not None else background for x in range(c.width)]
        data = bytearray()
        if bpp == 24:
            for r, g, b in row:
                data += bytes((b, g, r))
        elif bpp == 8:
            data += bytes(palette.index(rgb) for rgb in row)
        elif bpp == 4:
            idx = [palette.index(rgb) for rgb in row] + [0]
            data += bytes((idx[i] << 4) | (idx[i + 1] if i + 1 < c.width else 0)
                          for i in range(0, c.width, 2))
        elif bpp == 1:
            bits = 0
            for i, v in enumerate(row):
                bits |= (1 if v else 0) << (7 - i % 8)
                if i % 8 == 7 or i == c.width - 1:
                    data.append(bits)
                    bits = 0
        while len(data) % 4:
            data.append(0)
        out += data
    return bytes(out)


def info_header(width, height, bpp, image_size):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bpp, 0, image_size, 2835, 2835,
                       0, 0)


def palette_bytes(palette, bpp):
    full = list(palette) + [(0, 0, 0)] * ((1 << bpp) - len(palette))
    return b''.join(bytes((b, g, r, 0)) for r, g, b in full)


def write_bmp(path, c, bpp, palette=None):
    if bpp == 4:
        palette = VGA16
    elif bpp == 8:
        palette = palette_of([c], 255)
        if MASK not in palette:
            palette.append(MASK)
    pal = palette_bytes(palette, bpp) if bpp <= 8 else b''
    bits = dib_rows(c, bpp, palette, MASK)
    header_size = 14 + 40 + len(pal)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', header_size + len(bits), 0, 0, header_size))
        f.write(info_header(c.width, c.height, bpp, len(bits)))
        f.write(pal)
        f.write(bits)


def write_ico(path, members):
    images = []
    for c in members:
        palette = palette_of([c], 256)
        xor = dib_rows(c, 8, palette, (0, 0, 0))
        mask = Canvas(c.width, c.height)
        mask.px = [[(1 if v is None else 0) for v in row] for row in c.px]
        and_bits = dib_rows(mask, 1, None, None)
        data = (info_header(c.width, c.height * 2, 8, len(xor) + len(and_bits))
                + palette_bytes(palette, 8) + xor + and_bits)
        images.append((c, data))
    offset = 6 + 16 * len(images)
    with open(path, 'wb') as f:
        f.write(struct.pack('<HHH', 0, 1, len(images)))
        for c, data in images:
            f.write(struct.pack('<BBBBHHII', c.width % 256, c.height % 256, 0, 0, 1, 8,
                                len(data), offset))
            offset += len(data)
        for _, data in images:
            f.write(data)


def write_png(path, c, scale, transparent=True):
    """An enlarged view; transparent pixels as a checkerboard, mask colour as it is."""
    raw = bytearray()
    for y in range(c.height * scale):
        raw.append(0)
        for x in range(c.width * scale):
            rgb = c.px[y // scale][x // scale]
            if rgb is None:
                rgb = ((200, 200, 200) if ((x // 4 + y // 4) % 2) else (255, 255, 255)) \
                    if transparent else MASK
            raw += bytes(rgb)

    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data
                + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff))

    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n')
        f.write(chunk(b'IHDR', struct.pack('>IIBBBBB', c.width * scale, c.height * scale, 8,
                                           2, 0, 0, 0)))
        f.write(chunk(b'IDAT', zlib.compress(bytes(raw), 9)))
        f.write(chunk(b'IEND', b''))


def main(argv):
    preview = None
    out = HERE
    args = argv[1:]
    while len(args) >= 2 and args[0] in ('--preview', '--out'):
        if args[0] == '--preview':
            preview = args[1]
            os.makedirs(preview, exist_ok=True)
        else:
            out = args[1]
        args = args[2:]
    if args:
        sys.stderr.write("usage: draw_images.py [--out DIR] [--preview DIR]\n")
        return 2

    bitmaps = [
        ("bands.bmp", strip([f() for _, f in BANDS], 13, 11), 4),
        ("toolbar.bmp", strip([f() for _, f in TOOLBAR], 16, 16), 8),
        ("folder_tree.bmp", strip([f() for _, f in TREE], 16, 16), 8),
        ("colour_strip.bmp", colour_strip(), 24),
    ]
    for name, c, bpp in bitmaps:
        write_bmp(os.path.join(out, name), c, bpp)
        if preview:
            write_png(os.path.join(preview, name[:-4] + ".png"), c, 12 if bpp != 24 else 6,
                      transparent=False)
    for number, name, _, big, small in ICONS:
        members = [big(), small()]
        assert [(m.width, m.height) for m in members] == [(32, 32), (16, 16)], name
        write_ico(os.path.join(out, name + ".ico"), members)
        if preview:
            write_png(os.path.join(preview, name + "32.png"), members[0], 8)
            write_png(os.path.join(preview, name + "16.png"), members[1], 16)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
