#!/usr/bin/python3
"""Draws every image of the demo content set and writes the texture list and font metrics.

Usage: gen_art.py <data dir> [<contact sheet png>]

One table (TEXTURES) names each texture, its file and how it is drawn; Res/textures.xml is written
from it, so names and paths cannot drift apart. The loading-screen DDS files, the splash pictures
and the menu logo are loaded by path and are drawn here too, outside the list.
"""

import math
import os
import random
import struct
import sys

from PIL import Image, ImageDraw

import artkit as K
from artkit import new, panel, label, strips, frame_sheet, walker, arrow, shade, vgradient
from gen_data import ACTORS as WALKERS, POTS

BLUE = (60, 110, 190, 255)
GREEN = (70, 150, 80, 255)
RED = (185, 65, 60, 255)
GOLD = (215, 170, 55, 255)
PURPLE = (125, 85, 175, 255)
GREY = (95, 98, 110, 255)
TEAL = (45, 150, 150, 255)
BROWN = (130, 90, 50, 255)
ORANGE = (225, 125, 40, 255)
WHITE = (255, 255, 255, 255)
BLACK = (0, 0, 0, 255)

ACTORS = [("Balychahl", RED), ("Chumbachukchul", BLUE), ("SnuPulnel", GREEN)]
# The score pictures' gradient (top, bottom); the high-score form shows it over the main menu.
SCORE_BACK = ((60, 40, 100, 255), (150, 90, 60, 255))


def px(fraction, size):
    return int(round(fraction * size))


# ---------------------------------------------------------------- screens and panels

def screen(title, top, bottom, used_h=768, w=1024, h=1024, subtitle=None, decorate=None, title_y=20):
    """A full-window picture in the top used_h rows: gradient, frame, title."""
    im = new(w, h)
    vgradient(im, (0, 0, w, used_h), top, bottom)
    d = ImageDraw.Draw(im)
    d.rectangle((0, 0, w - 1, used_h - 1), outline=shade(bottom, 0.4), width=6)
    if decorate:
        decorate(im)
    if title:
        label(im, (40, title_y, w - 40, title_y + 100), title, max_size=72)
    if subtitle:
        label(im, (80, 120, w - 80, 180), subtitle, max_size=32)
    return im


def trophies_back():
    """The trophies screen: its 6 x 5 grid fills the top left, so the title runs up the free right
    strip. The green name of the trophy under the pointer is centred on x 205, y 700-738 px: a dark
    plate there keeps it readable."""
    def title(im):
        strip = new(620, 150)
        label(strip, (0, 0, 620, 150), "TROPHIES", max_size=96)
        im.alpha_composite(strip.rotate(90, expand=True), (840, 30))
        ImageDraw.Draw(im).rounded_rectangle((14, 698, 400, 752), radius=12, fill=(22, 16, 10, 255),
                                             outline=(160, 120, 70, 255), width=2)
    return screen(None, (70, 50, 30, 255), (140, 100, 60, 255), decorate=title)


def used_panel(w, h, uw, uh, fill, text=None, max_size=48, radius=8):
    im = new(w, h)
    panel(im, (0, 0, uw, uh), fill, text=text, max_size=max_size, radius=radius)
    return im


DIALOG_FILL = (50, 60, 95, 255)  # opaque: dialogs stack over the menu and over each other


def dialog(title):
    im = new(1024, 512)
    panel(im, (0, 0, 556, 477), DIALOG_FILL, border=(200, 180, 120, 255), width=4, radius=18)
    # Clear of the controls' tops: WHO ARE YOU's NEW PLAYER button starts at texel row 76.
    label(im, (20, 8, 536, 68), title, max_size=44)
    return im


def dialog_box(x, y, w, h):
    """Texels of the dialog picture under a control's rectangle (fractions of a 1024 x 768 window,
    relative to the form): the 558 x 480 px form shows 556 x 477 texels."""
    sx, sy = 556 / 558.0, 477 / 480.0
    return (round(x * 1024 * sx), round(y * 768 * sy), round((x + w) * 1024 * sx), round((y + h) * 768 * sy))


def settings_dialog():
    """The track bars draw only their knobs, so the picture carries their labels and tracks."""
    im = dialog("SETTINGS")
    d = ImageDraw.Draw(im)
    for text, y in (("MUSIC", 0.18510418), ("SOUND", 0.35010415)):
        x0, y0, x1, y1 = dialog_box(0.12246094, y, 0.334, 0.08333)
        knob = (x1 - x0) * 0.04545
        cy = (y0 + y1) // 2
        d.rounded_rectangle((x0 + knob / 2 - 6, cy - 7, x1 - knob / 2 + 6, cy + 7), radius=7,
                            fill=(20, 22, 38, 255), outline=(150, 160, 200, 255), width=2)
        label(im, (x0, y0 - 48, x1, y0 - 2), text, max_size=32)
    return im


def button(w, h, uw, uh, text, fill):
    return used_panel(w, h, uw, uh, fill, text=text)


# ---------------------------------------------------------------- gameplay sprites

def ptr():
    im = new(32, 32)
    arrow(im, (1, 4, 31, 28), GOLD)
    return im


def portal_icon(im, box, frame=0):
    x0, y0, x1, y1 = box
    d = ImageDraw.Draw(im)
    w = x1 - x0
    d.rounded_rectangle((x0 + 2, y0 + 2, x1 - 3, y1 - 3), radius=w // 2 - 2, fill=(110, 70, 40, 255),
                        outline=(60, 35, 15, 255), width=3)
    inner = (x0 + w * 0.22, y0 + w * 0.3, x1 - w * 0.22, y1 - 6)
    glowc = shade((150, 110, 230, 255), 1 + 0.12 * frame)
    d.rounded_rectangle(inner, radius=int(w * 0.25), fill=glowc)
    d.ellipse((x1 - w * 0.38, (y0 + y1) / 2, x1 - w * 0.28, (y0 + y1) / 2 + w * 0.1), fill=GOLD)


def portal_ptr():
    im = new(64, 64)
    portal_icon(im, (0, 0, 39, 64), 2)
    return im


def angel():
    def cell(im, box, i, n):
        x0, y0, x1, y1 = box
        rise = i * 4
        d = ImageDraw.Draw(im)
        d.ellipse((x0 + 4, y0 + 26 - rise, x0 + 26, y0 + 56 - rise), fill=(255, 255, 255, 200))
        d.ellipse((x1 - 26, y0 + 26 - rise, x1 - 4, y0 + 56 - rise), fill=(255, 255, 255, 200))
        walker(im, (x0 + 14, y0 + 30 - rise, x1 - 14, y1 - 10 - rise), (240, 240, 255, 255), i)
        d.ellipse((x0 + 20, y0 + 14 - rise, x1 - 20, y0 + 24 - rise), outline=GOLD, width=3)
    return frame_sheet(256, 128, (0, 0, 1, 0.75), 4, 1, cell)


def skeleton():
    im = new(128, 128)
    d = ImageDraw.Draw(im)
    bone = (235, 230, 210, 255)
    d.ellipse((30, 10, 98, 70), fill=bone, outline=BLACK, width=2)
    d.ellipse((44, 30, 58, 46), fill=BLACK)
    d.ellipse((70, 30, 84, 46), fill=BLACK)
    d.rectangle((50, 60, 78, 74), fill=bone, outline=BLACK)
    for i in range(3):
        d.line((20, 78 + i * 7, 108, 78 + i * 7), fill=bone, width=4)
    return im


def teacher():
    im = new(128, 128)
    d = ImageDraw.Draw(im)
    d.polygon([(50, 2), (22, 40), (78, 40)], fill=PURPLE, outline=BLACK)
    d.ellipse((26, 30, 74, 74), fill=(240, 205, 170, 255), outline=BLACK, width=2)
    d.ellipse((38, 44, 46, 52), fill=BLACK)
    d.ellipse((54, 44, 62, 52), fill=BLACK)
    d.polygon([(30, 62), (70, 62), (50, 96)], fill=WHITE, outline=BLACK)
    d.rectangle((20, 74, 80, 99), fill=PURPLE)
    d.line((84, 30, 92, 99), fill=BROWN, width=4)
    K.sparkle(im, (78, 18, 98, 38), GOLD)
    return im


def arrow_anim():
    im = new(64, 64)
    arrow(im, (4, 1, 60, 63), ORANGE, "down")
    return im


def trainer_tooltip():
    im = new(256, 128)
    d = ImageDraw.Draw(im)
    d.rounded_rectangle((8, 0, 205, 92), radius=20, fill=(255, 250, 225, 240), outline=BLACK, width=3)
    d.polygon([(10, 60), (0, 104), (40, 88)], fill=(255, 250, 225, 240), outline=BLACK)
    d.line((12, 64, 36, 86), fill=(255, 250, 225, 240), width=6)
    return im


def particle():
    def cell(im, box, i, n):
        x0, y0, x1, y1 = box
        t = i / n
        r = 4 + 14 * math.sin(math.pi * t)
        cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
        K.sparkle(im, (cx - r, cy - r, cx + r, cy + r), shade(GOLD, 1.3), points=4 + i % 2)
    return frame_sheet(256, 256, (0, 0, 0.9375, 0.9375), 6, 6, cell)


# ---------------------------------------------------------------- frame, HUD

def bolvan(indent, colour, hat):
    def cell(im, box, i, n):
        x0, y0, x1, y1 = box
        walker(im, (x0 + 8, y0 + 14, x1 - 8, y1 - 2), colour, i)
        d = ImageDraw.Draw(im)
        wob = math.sin(2 * math.pi * i / n) * 4
        d.polygon([(x0 + 32 + wob, y0 + 1), (x0 + 18, y0 + 22), (x0 + 46, y0 + 22)], fill=hat, outline=BLACK)
    return frame_sheet(256, 512, indent, 4, 4, cell)


def sun():
    """300 x 86 texels shown 1:1 at the window's top; the face hangs from the top edge so that the
    eye sprites (x 13-83 and 110-181 of the sun, top 22 rows) lie on it."""
    im = new(512, 128)
    d = ImageDraw.Draw(im)
    cx, cy, r = 97, -12, 92
    for i in range(13):
        a = math.pi * i / 12
        d.line((cx + (r - 10) * math.cos(a), cy + (r - 10) * math.sin(a),
                cx + (r + 100) * math.cos(a), cy + (r + 100) * math.sin(a)), fill=(255, 210, 60, 255), width=6)
    d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=(255, 200, 40, 255), outline=(200, 120, 20, 255), width=3)
    d.arc((cx - 30, 20, cx + 30, 64), 20, 160, fill=(150, 70, 10, 255), width=4)
    d.rectangle((0, 86, 511, 127), fill=(0, 0, 0, 0))
    d.rectangle((300, 0, 511, 127), fill=(0, 0, 0, 0))
    return im


def sun_eyes():
    """Cells of 35 x 19 texels, shown twice as wide; the eye keeps clear of the cell's edges so
    neither the window's top edge nor filtering from the next cell cuts it."""
    def cell(im, box, i, n):
        x0, y0, x1, y1 = box
        d = ImageDraw.Draw(im)
        open_ = abs(math.sin(math.pi * i / n))
        h = (y1 - y0 - 6) * (0.25 + 0.75 * open_)
        cy = (y0 + y1) / 2
        d.ellipse((x0 + 3, cy - h / 2, x1 - 4, cy + h / 2), fill=WHITE, outline=BLACK)
        px_ = x0 + 9 + (x1 - x0 - 18) * i / max(1, n - 1)
        d.ellipse((px_ - 2, cy - min(3, h / 2), px_ + 2, cy + min(3, h / 2)), fill=BLACK)
    return frame_sheet(128, 256, (0, 0, 0.546875, 0.59375), 2, 8, cell)


def spell_icon(kind, colour):
    im = new(128, 128)
    panel(im, (0, 0, 128, 128), shade(colour, 0.8), radius=14, width=3)
    K.gesture(im, (8, 8, 120, 120), kind, width=8)
    return im


def cursor():
    im = new(64, 64)
    K.sparkle(im, (2, 2, 62, 62), (255, 240, 150, 255), points=4)
    return im


def life_pot():
    im = new(16, 16)
    d = ImageDraw.Draw(im)
    d.ellipse((0, 2, 12, 12), fill=(220, 50, 60, 255), outline=(90, 10, 20, 255))
    d.rectangle((4, 0, 8, 3), fill=(90, 60, 40, 255))
    return im


def score_plate():
    """Shown 1:1 just left of the score digits, its bottom 5 rows below the window's edge."""
    im = used_panel(64, 32, 64, 32, (40, 40, 60, 255), radius=4)
    label(im, (2, 1, 62, 27), "SCORE", max_size=16)
    return im


def pause_picture():
    im = new(1024, 1024)
    d = ImageDraw.Draw(im)
    d.rectangle((0, 0, 895, 731), fill=(20, 20, 40, 170))
    d.rectangle((360, 250, 420, 470), fill=WHITE)
    d.rectangle((476, 250, 536, 470), fill=WHITE)
    label(im, (0, 500, 896, 600), "PAUSE", max_size=72)
    return im


def bat():
    def cell(im, box, i, n):
        x0, y0, x1, y1 = box
        cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
        flap = math.sin(2 * math.pi * i / n) * 18
        d = ImageDraw.Draw(im)
        d.polygon([(cx - 36, cy - flap), (cx - 10, cy - 6), (cx, cy + 8), (cx + 10, cy - 6), (cx + 36, cy - flap),
                   (cx + 16, cy + 12), (cx, cy + 16), (cx - 16, cy + 12)], fill=(60, 40, 80, 255), outline=BLACK)
        d.ellipse((cx - 5, cy - 4, cx - 1, cy), fill=(255, 220, 0, 255))
        d.ellipse((cx + 1, cy - 4, cx + 5, cy), fill=(255, 220, 0, 255))
    return frame_sheet(512, 256, (0, 0, 1, 1), 6, 3, cell)


# ---------------------------------------------------------------- menus

def check():
    im = new(256, 256)
    for k, state in enumerate(["off", "off_over", "on", "on_over"]):
        top = [0, 51, 102, 153][k]
        fill = BLUE if "over" not in state else shade(BLUE, 1.35)
        panel(im, (0, top, 180, top + 51), fill, radius=6)
        d = ImageDraw.Draw(im)
        d.rectangle((8, top + 10, 38, top + 40), fill=WHITE, outline=BLACK, width=2)
        if state.startswith("on"):
            d.line((12, top + 24, 21, top + 35, 35, top + 13), fill=(20, 140, 30, 255), width=5)
        label(im, (44, top + 4, 176, top + 47), "FULL SCREEN", max_size=20)
    return im


def text_cursor():
    im = new(8, 32)
    ImageDraw.Draw(im).rectangle((1, 3, 2, 28), fill=WHITE)
    return im


def scroll_point():
    im = new(32, 32)
    ImageDraw.Draw(im).ellipse((3, 3, 28, 28), fill=GOLD, outline=BLACK, width=2)
    return im


def shuttle():
    im = new(16, 64)
    panel(im, (0, 0, 16, 64), GOLD, radius=4)
    return im


# ---------------------------------------------------------------- map, score, trophies

CASTLE = (0.88, 0.18)


def map_picture(title, bonus=False):
    def deco(im):
        d = ImageDraw.Draw(im)
        # Rolling land below a sky band, a river, the castle at the end of the road.
        d.polygon([(0, 300)] + [(x, 300 + 40 * math.sin(x / 130.0)) for x in range(0, 1025, 16)] + [(1023, 767), (0, 767)],
                  fill=(95, 160, 80, 255))
        d.line([(x, 520 + 60 * math.sin(x / 170.0)) for x in range(0, 1025, 16)], fill=(70, 120, 200, 255), width=18)
        for i in range(14):
            rnd = random.Random(i + (100 if bonus else 0))
            tx, ty = rnd.randint(30, 990), rnd.randint(340, 740)
            if tx < 200 and ty > 560:  # not behind the NEXT, MENU and TROPHIES buttons
                tx += 180
            d.polygon([(tx, ty - 34), (tx - 16, ty), (tx + 16, ty)], fill=(40, 110, 50, 255), outline=(20, 60, 25, 255))
        if not bonus:
            cx, cy = px(CASTLE[0], 1024), px(CASTLE[1], 768)
            d.rectangle((cx - 50, cy - 20, cx + 50, cy + 60), fill=(170, 170, 180, 255), outline=BLACK, width=2)
            for tx in (cx - 60, cx + 40):
                d.rectangle((tx, cy - 50, tx + 20, cy + 60), fill=(150, 150, 165, 255), outline=BLACK, width=2)
                d.polygon([(tx - 4, cy - 50), (tx + 10, cy - 80), (tx + 24, cy - 50)], fill=RED, outline=BLACK)
            d.rectangle((cx - 12, cy + 25, cx + 12, cy + 60), fill=(80, 50, 30, 255))
            for x, y in POTS:
                d.ellipse((px(x, 1024) - 30, px(y, 768) + 40, px(x, 1024) + 60, px(y, 768) + 70),
                          fill=(120, 100, 60, 120))
    return screen(title, (150, 200, 250, 255), (110, 170, 230, 255), decorate=deco)


def level_pots():
    im = new(128, 128)
    for (x, y), (fill, over) in zip([(0, 0), (64, 0), (0, 64), (64, 64)],
                                    [(GOLD, False), (GOLD, True), (GREY, False), (GREY, True)]):
        c = shade(fill, 1.35) if over else fill
        d = ImageDraw.Draw(im)
        d.ellipse((x + 1, y + 16, x + 35, y + 62), fill=c, outline=BLACK, width=2)
        d.rectangle((x + 10, y + 6, x + 26, y + 20), fill=shade(c, 0.7), outline=BLACK)
        if fill == GREY:
            d.line((x + 8, y + 40, x + 16, y + 50, x + 28, y + 28), fill=(40, 200, 40, 255), width=4)
        else:
            K.sparkle(im, (x + 8, y + 28, x + 28, y + 48), WHITE)
    return im


def star():
    im = new(32, 32)
    pts = []
    for i in range(10):
        a = -math.pi / 2 + math.pi * i / 5
        r = 12 if i % 2 == 0 else 5
        pts.append((12.5 + r * math.cos(a), 16 + r * math.sin(a) * 1.2))
    ImageDraw.Draw(im).polygon(pts, fill=(255, 220, 40, 255), outline=BLACK)
    return im


def dot():
    im = new(8, 8)
    ImageDraw.Draw(im).ellipse((0, 0, 4, 4), fill=(120, 60, 20, 255))
    return im


def bonus_level_pots():
    im = new(1024, 512)
    for k in range(10):
        c, r = k % 5, k // 5
        x0, y0 = int(c * 0.14570312 * 1024), int(r * 0.42578125 * 512)
        fill = [ORANGE, TEAL, PURPLE, BROWN, GREY][c] if r == 0 else GREY
        # Inset: the pots stand edge to edge and their top touches the title.
        panel(im, (x0 + 8, y0 + 14, x0 + 141, y0 + 212), fill, radius=12,
              text="BONUS\n%d" % (k + 1), max_size=36)
    return im


def bar(fill):
    im = new(1024, 64)
    vgradient(im, (0, 0, 1024, 64), shade(fill, 1.3), shade(fill, 0.7))
    ImageDraw.Draw(im).rectangle((0, 0, 1023, 63), outline=BLACK, width=3)
    return im


def life_staff():
    """Drawn over the lives gauge, its whole height: a thin rod with a life orb on top, so the
    gauge and the lives count beside the orb stay in sight."""
    im = new(32, 512)
    d = ImageDraw.Draw(im)
    d.rectangle((13, 24, 18, 500), fill=(120, 80, 40, 255), outline=(60, 35, 15, 255))
    d.ellipse((4, 2, 27, 29), fill=(220, 50, 60, 255), outline=(90, 10, 20, 255), width=2)
    d.ellipse((9, 7, 15, 13), fill=(255, 190, 190, 255))
    return im


def staff(fill):
    """The lives gauge; the lives count stands over its top left corner (24 of its 431 rows
    shown), so the gauge starts below the count."""
    im = new(128, 512)
    panel(im, (0, 24, 82, 431), fill, radius=16, width=3)
    return im


def trophy_cup(im, box, colour, text):
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    d = ImageDraw.Draw(im)
    d.rectangle((x0 + 2, y0 + 2, x1 - 3, y1 - 3), fill=(60, 45, 30, 255), outline=(30, 20, 10, 255), width=2)
    d.pieslice((x0 + w * 0.25, y0 + h * 0.0 - h * 0.3, x1 - w * 0.25, y0 + h * 0.62), 0, 180, fill=colour, outline=BLACK)
    d.rectangle((x0 + w * 0.45, y0 + h * 0.6, x1 - w * 0.45, y0 + h * 0.75), fill=colour)
    d.rectangle((x0 + w * 0.33, y0 + h * 0.75, x1 - w * 0.33, y0 + h * 0.82), fill=colour, outline=BLACK)
    label(im, (x0 + 4, int(y0 + h * 0.82), x1 - 4, y1 - 4), text, max_size=int(h * 0.14))


TROPHY_LABELS = ["WALL", "BRIDGE", "STORM", "FAR"]


def trophy_tiles(size, tile_w, tile_h, step_u, step_v, nx, ny, first, count):
    im = new(size, size)
    for k in range(count):
        c, r = k % nx, k // nx
        x0, y0 = int(c * step_u * size), int(r * step_v * size)
        idx = first + k
        if idx < len(TROPHY_LABELS):
            trophy_cup(im, (x0, y0, x0 + tile_w, y0 + tile_h), GOLD, TROPHY_LABELS[idx])
        else:
            panel(im, (x0 + 2, y0 + 2, x0 + tile_w - 2, y0 + tile_h - 2), GREY, radius=10,
                  text=str(idx + 1), max_size=int(tile_h * 0.4))
    return im


def wow():
    im = new(512, 512)
    d = ImageDraw.Draw(im)
    pts = []
    for i in range(24):
        a = math.pi * i / 12
        r = 165 if i % 2 == 0 else 120
        pts.append((176 + r * math.cos(a), 166 + r * math.sin(a) * 0.98))
    d.polygon(pts, fill=(255, 200, 40, 255), outline=(150, 60, 0, 255))
    label(im, (60, 100, 292, 230), "WOW!", max_size=90, colour=(200, 30, 30, 255), outline=WHITE)
    return im


# ---------------------------------------------------------------- level objects and backgrounds

def hat(im, cx, bottom, kind, colour):
    """A hat that reads the same either way round: the game mirrors walkers that face left."""
    d = ImageDraw.Draw(im)
    dark = shade(colour, 0.45)
    if kind == 0:
        d.polygon([(cx, bottom - 24), (cx - 13, bottom), (cx + 13, bottom)], fill=colour, outline=dark)
    elif kind == 1:
        d.pieslice((cx - 14, bottom - 14, cx + 14, bottom + 14), 180, 360, fill=colour, outline=dark)
        d.rectangle((cx - 2, bottom - 20, cx + 2, bottom - 13), fill=dark)
    else:
        d.polygon([(cx - 13, bottom), (cx - 13, bottom - 16), (cx - 6, bottom - 8), (cx, bottom - 18),
                   (cx + 6, bottom - 8), (cx + 13, bottom - 16), (cx + 13, bottom)], fill=colour, outline=dark)


def actor_sheet(k):
    """Four walk cells, 64 texels wide, as tall as the walker's definition asks; the feet end
    the ink three rows above the cell's bottom."""
    colour = ACTORS[k][1]
    used_v = WALKERS[k][4]
    sheet_h = 128 if used_v == 1.0 else 256

    def cell(im, box, i, n):
        x0, y0, x1, y1 = box
        walker(im, (x0 + 4, y0 + 30, x1 - 4, y1 - 2), colour, i)
        hat(im, (x0 + x1) // 2, round(y0 + 30 + (y1 - 32 - y0) * 0.12 + 2.5), k, shade(colour, 1.5))
    return frame_sheet(256, sheet_h, (0, 0, 1, used_v), 4, 1, cell)


def monster_sheet():
    def cell(im, box, i, n):
        x0, y0, x1, y1 = box
        d = ImageDraw.Draw(im)
        walker(im, (x0 + 4, y0 + 8, x1 - 4, y1 - 1), (120, 45, 140, 255), i)
        for k in range(3):
            d.polygon([(x0 + 18 + k * 10, y0 + 12), (x0 + 23 + k * 10, y0 + 2), (x0 + 28 + k * 10, y0 + 12)],
                      fill=(230, 230, 230, 255), outline=BLACK)
    return frame_sheet(256, 64, (0, 0, 1, 1), 4, 1, cell)


def portal_sheet():
    def cell(im, box, i, n):
        portal_icon(im, box, i)
    return frame_sheet(256, 128, (0, 0, 1, 1), 4, 1, cell)


def ground_tile():
    im = new(64, 64, (125, 85, 50, 255))
    d = ImageDraw.Draw(im)
    rnd = random.Random(7)
    for _ in range(14):
        x, y = rnd.randint(4, 56), rnd.randint(18, 58)
        d.ellipse((x, y, x + 6, y + 4), fill=(100, 68, 40, 255))
    d.rectangle((0, 0, 63, 11), fill=(80, 165, 60, 255))
    for x in range(0, 64, 8):
        d.polygon([(x, 11), (x + 4, 16), (x + 8, 11)], fill=(80, 165, 60, 255))
    return im


def spell_wall():
    im = new(32, 128)
    d = ImageDraw.Draw(im)
    d.rectangle((0, 0, 31, 127), fill=(150, 150, 165, 255), outline=BLACK, width=2)
    for y in range(0, 128, 16):
        d.line((2, y, 29, y), fill=(90, 90, 105, 255), width=2)
        xo = 16 if (y // 16) % 2 else 8
        d.line((xo, y, xo, y + 16), fill=(90, 90, 105, 255), width=2)
    return im


def plank(colour):
    im = new(256, 32)
    d = ImageDraw.Draw(im)
    d.rectangle((0, 0, 255, 31), fill=colour, outline=BLACK, width=2)
    for x in range(32, 256, 32):
        d.line((x, 2, x, 29), fill=shade(colour, 0.6), width=2)
    return im


def lift():
    im = plank(GREY)
    d = ImageDraw.Draw(im)
    d.rectangle((0, 0, 255, 7), fill=GOLD, outline=BLACK)
    return im


def water():
    im = new(128, 64)
    vgradient(im, (0, 0, 128, 64), (70, 140, 230, 230), (20, 50, 140, 240))
    d = ImageDraw.Draw(im)
    for y0 in (6, 26, 46):
        d.line([(x, y0 + 4 * math.sin(2 * math.pi * x / 64)) for x in range(0, 129, 4)],
               fill=(200, 230, 255, 255), width=2)
    return im


def wind(direction):
    im = new(128, 128)
    d = ImageDraw.Draw(im)
    rnd = random.Random(11)
    d.rectangle((0, 0, 127, 127), fill=(200, 230, 255, 40))
    for _ in range(10):
        y = rnd.randint(6, 120)
        x = rnd.randint(0, 127)
        length = rnd.randint(30, 60)
        for dx in (0, -128):
            d.line((x + dx, y, x + dx + length, y), fill=(255, 255, 255, 170), width=3)
            hx = x + dx + (length if direction == "right" else 0)
            s = 6 if direction == "right" else -6
            d.line((hx, y, hx - s, y - 5), fill=(255, 255, 255, 170), width=3)
            d.line((hx, y, hx - s, y + 5), fill=(255, 255, 255, 170), width=3)
    return im


def teleport_ring():
    im = new(128, 128)
    d = ImageDraw.Draw(im)
    for i, c in enumerate([(90, 40, 160, 255), (150, 90, 230, 255), (210, 170, 255, 255)]):
        d.ellipse((8 + i * 12, 8 + i * 12, 119 - i * 12, 119 - i * 12), outline=c, width=8)
    return im


def teleport_pad():
    im = new(128, 128)
    d = ImageDraw.Draw(im)
    d.rectangle((10, 20, 117, 100), fill=(180, 150, 240, 90))
    d.ellipse((4, 92, 123, 124), fill=(120, 70, 190, 255), outline=BLACK, width=2)
    d.ellipse((24, 98, 103, 118), fill=(200, 170, 255, 255))
    label(im, (10, 30, 118, 80), "EXIT", max_size=30)
    return im


def tree():
    im = new(128, 256)
    d = ImageDraw.Draw(im)
    d.rectangle((52, 150, 76, 255), fill=BROWN, outline=BLACK)
    for i, (r, y) in enumerate([(58, 110), (48, 70), (36, 36)]):
        d.ellipse((64 - r, y - r, 64 + r, y + r), fill=shade(GREEN, 0.8 + 0.1 * i), outline=(20, 60, 25, 255))
    return im


def sky():
    im = new(1024, 1024)
    vgradient(im, (0, 0, 1024, 1024), (95, 150, 230, 255), (210, 230, 250, 255))
    return im


def hills():
    im = new(1024, 256)
    d = ImageDraw.Draw(im)
    for layer, (colour, base, amp) in enumerate([((120, 175, 110, 255), 90, 50), ((85, 145, 80, 255), 150, 40)]):
        top = [(x, base + amp * math.sin(2 * math.pi * x / 1024 * (2 + layer) + layer)) for x in range(0, 1025, 8)]
        d.polygon(top + [(1023, 255), (0, 255)], fill=colour)
    return im


def clouds():
    im = new(512, 128)
    d = ImageDraw.Draw(im)
    for cx in (80, 300, 450):
        for dx, dy, r in ((0, 70, 30), (30, 55, 36), (65, 70, 28), (-28, 76, 22)):
            for wrap in (0, -512, 512):
                d.ellipse((cx + dx - r + wrap, dy - r, cx + dx + r + wrap, dy + r), fill=(255, 255, 255, 220))
    return im


def gesture_picture(kind, caption):
    im = new(256, 256)
    panel(im, (0, 0, 256, 256), (30, 30, 60, 200), border=(255, 230, 90, 255), radius=18, width=3)
    K.gesture(im, (10, 10, 246, 226), kind, width=12)
    label(im, (8, 222, 248, 252), caption, max_size=22)
    return im


def intro_slide(title, top, bottom):
    def deco(im):
        d = ImageDraw.Draw(im)
        d.polygon([(0, 600)] + [(x, 600 - 60 * math.sin(x / 160.0)) for x in range(0, 1025, 16)] + [(1023, 767), (0, 767)],
                  fill=shade(bottom, 0.6))
    return screen(title, top, bottom, decorate=deco)


def intro_picture(text, scene):
    im = new(512, 512)
    panel(im, (0, 0, 512, 512), (245, 235, 210, 255), border=(120, 90, 40, 255), width=6, radius=24)
    scene(im)
    label(im, (20, 420, 492, 500), text, colour=(60, 40, 20, 255), outline=None, max_size=40)
    return im


def three_walkers(im, y=120, size=110):
    for k, (name, colour) in enumerate(ACTORS):
        x = 60 + k * 140
        walker(im, (x, y, x + size * 0.9, y + size * 1.8), colour, k)


def comic():
    im = new(1024, 1024)
    captions = ["UP WE GO!", "HOME AT LAST", "THANK YOU!", "TO BE CONTINUED"]
    for k in range(4):
        x0, y0 = (k % 2) * 512, (k // 2) * 512
        panel(im, (x0, y0, x0 + 512, y0 + 512), (250, 245, 225, 255), border=BLACK, width=8)
        d = ImageDraw.Draw(im)
        if k == 0:
            d.rectangle((x0 + 60, y0 + 330, x0 + 450, y0 + 350), fill=GREY, outline=BLACK)
            for j, (_, colour) in enumerate(ACTORS):
                walker(im, (x0 + 90 + j * 120, y0 + 170, x0 + 180 + j * 120, y0 + 330), colour, j)
        elif k == 1:
            portal_icon(im, (x0 + 40, y0 + 90, x0 + 180, y0 + 370), 3)
            for j, (_, colour) in enumerate(ACTORS):
                walker(im, (x0 + 200 + j * 95, y0 + 210, x0 + 280 + j * 95, y0 + 370), colour, j)
        elif k == 2:
            for j, (_, colour) in enumerate(ACTORS):
                walker(im, (x0 + 60 + j * 140, y0 + 140, x0 + 170 + j * 140, y0 + 340), colour, 0)
                d.line((x0 + 160 + j * 140, y0 + 200, x0 + 190 + j * 140, y0 + 140), fill=shade(colour, 0.5), width=8)
        else:
            K.sparkle(im, (x0 + 160, y0 + 110, x0 + 350, y0 + 300), GOLD, points=5)
        label(im, (x0 + 20, y0 + 400, x0 + 492, y0 + 490), captions[k], colour=BLACK, outline=None, max_size=44)
    return im


def final_text():
    im = new(512, 512)
    lines = ["RUNEGARDEN DEMO", "", "DESIGN", "THE RUNEGARDEN TEAM", "", "ART AND SOUND",
             "MADE BY OUR OWN TOOLS", "", "THANKS FOR PLAYING!"]
    f = K.font(28)
    d = ImageDraw.Draw(im)
    # A dim backing keeps the lines readable over the sky and the ground of the picture behind.
    d.rounded_rectangle((0, 12, 511, 470), radius=24, fill=(10, 10, 30, 140))
    for i, line in enumerate(lines):
        d.text((256, 40 + i * 50), line, font=f, fill=WHITE, anchor="mm", stroke_width=2, stroke_fill=BLACK)
    return im


def final_picture(title, scene_colour, used_h=768, ground=560):
    """The walkers home by their door, standing on the ground that begins at row `ground`. The
    credits scroll up over the middle of the window (x 256-768 px, texels 259-775 of a picture
    drawn 0.99 wide) and leave over its top, so nothing but sky and ground stands in that column:
    the door to its left, the walkers to its right under the title."""
    def deco(im):
        d = ImageDraw.Draw(im)
        d.rectangle((0, ground, 1023, used_h - 1), fill=(90, 150, 70, 255))
        for k, (_, colour) in enumerate(ACTORS):
            x = 778 + k * 78
            walker(im, (x, ground - 134, x + 84, ground + 34), colour, k)
        portal_icon(im, (60, ground - 230, 200, ground + 40), 1)
        if title:
            label(im, (790, 20, 1012, 320), "\n".join(title.split()), max_size=72)
    return screen(None, scene_colour, (250, 210, 150, 255), used_h=used_h, decorate=deco)


# The final cut draws its second picture 0.99 x 0.99 of the window, texture rows 0-767, moved down
# to y 0.08658854: its top 66.5 px of window stay black and its rows below 709 fall off the bottom.
FINALCUT2_TOP = 0.08658854 * 768
FINALCUT2_SCALE = 0.99 * 768 / 768  # window px per texel row


def final_picture2():
    """Letterboxed: the picture ends as far above the window's bottom as it begins below its top,
    and a black band under it mirrors the black band above, so door and feet stay in sight."""
    used_h = int((768 - 2 * FINALCUT2_TOP) / FINALCUT2_SCALE)
    im = final_picture("", (120, 110, 190, 255), used_h=used_h, ground=used_h - 150)
    ImageDraw.Draw(im).rectangle((0, used_h, 1023, 767), fill=BLACK)
    return im


def splash_picture(title, top, bottom, menu=False):
    """With menu, the subtitle rises clear of the welcome line (red, y 163-197 px) and the walkers
    stand beside the buttons (x 318-733 px) instead of peeking out behind them."""
    subtitle = "A PUZZLE OF SPELLS AND WALKERS"
    im = screen(title, top, bottom, subtitle=None if menu else subtitle, title_y=12 if menu else 20)
    if menu:
        label(im, (80, 100, 944, 142), subtitle, max_size=30)
    d = ImageDraw.Draw(im)
    xs = (50, 180, 820) if menu else (300, 450, 600)
    for k, (_, colour) in enumerate(ACTORS):
        walker(im, (xs[k], 330, xs[k] + 120 - (10 if menu else 0), 560), colour, k)
    d.rectangle((0, 560, 1023, 767), fill=shade(bottom, 0.7))
    if menu:
        # The high-score form covers 99 % of the window, so the menu's outer 10 columns and 8
        # rows stay in sight around it: a frame as dark as the score picture's own, over the
        # ground too, and down to the last row the menu shows (759 of its 1024).
        d.rectangle((0, 0, 1023, 758), outline=shade(SCORE_BACK[1], 0.4), width=12)
    return im


# ---------------------------------------------------------------- the texture table

def T(name, path, make, mip=None):
    return (name, path, make, mip)


def _btn(name, path, w, h, uw, uh, text, fill):
    return T(name, path, lambda: button(w, h, uw, uh, text, fill))


def menu_button(text, fill):
    return strips(256, 256, 200, [(0, 69, "normal"), (69, 138, "over")], text, fill)


def map_button(text, fill):
    return strips(128, 128, 105, [(0, 43, "normal"), (43, 86, "over")], text, fill)


def _btn_pair(stem, path_stem, w, h, uw, uh, text, fill):
    """The normal (PAS) and pointer-over (ACT) pictures of one button."""
    return [_btn(stem + "PAS", path_stem + "pas.png", w, h, uw, uh, text, fill),
            _btn(stem + "ACT", path_stem + "act.png", w, h, uw, uh, text, shade(fill, 1.35))]


def game_menu_button(text):
    """Normal picture in rows 0-381, pointer-over in 382-763; each is shown 95 px high, so it is
    drawn at that height and stretched."""
    im = new(256, 1024)
    for k, state in enumerate(["normal", "over"]):
        shown = strips(256, 95, 255, [(0, 95, state)], text, BLUE)
        im.alpha_composite(K.stretched(shown, 256, 382), (0, 382 * k))
    return im

TEXTURES = [
    T("BLACK", "ui/black.png", lambda: new(4, 1, BLACK), mip=1),
    T("FONT", "font.png", None),  # drawn by make_font, which also writes the metrics
    # Gameplay and tutorial
    T("PTR", "hud/ptr.png", ptr),
    T("PORTALPTR", "hud/portalptr.png", portal_ptr),
    T("ANGEL", "hud/angel.png", angel),
    T("SKELETON", "hud/skeleton.png", skeleton),
    T("TEACHER", "hud/teacher.png", teacher),
    T("ARROWANIM", "hud/arrowanim.png", arrow_anim),
    T("TRAINERTOOLTIP", "hud/trainertooltip.png", trainer_tooltip),
    T("PARTICLE", "hud/particle.png", particle),
    # Mode switcher, final cut, in-game menu, comics, frame buttons
    T("FINALCUT", "ui/finalcut.png", lambda: final_picture("THEY ARE HOME", (250, 170, 120, 255))),
    T("FINALCUT2", "ui/finalcut2.png", final_picture2),
    T("FINALTEXT", "ui/finaltext.png", final_text),
    T("FINALTEXT2", "ui/finaltext2.png", lambda: used_panel(512, 256, 361, 139, (40, 40, 80, 200), "THEY ARE ALL HOME")),
    T("FINALTEXT3", "ui/finaltext3.png", lambda: used_panel(512, 64, 342, 62, (40, 40, 80, 200), "THE END")),
    T("GAMEMENU", "ui/gamemenu.png", lambda: screen("GAME MENU", (40, 50, 90, 235), (20, 25, 50, 235), used_h=759)),
    T("GAMEMENURESUME", "ui/gamemenuresume.png", lambda: game_menu_button("RESUME")),
    T("GAMEMENUBACKTOMENU", "ui/gamemenubacktomenu.png", lambda: game_menu_button("MENU")),
    T("GAMEMENUBACKTOMAP", "ui/gamemenubacktomap.png", lambda: game_menu_button("MAP")),
    T("GAMEMENUREPLAY", "ui/gamemenureplay.png", lambda: game_menu_button("REPLAY")),
    T("SKIPBTNACTPAS", "ui/skip.png", lambda: strips(128, 128, 128, [(0, 56, "normal"), (56, 112, "over")], "SKIP", ORANGE)),
    *_btn_pair("MENU", "ui/menu", 128, 64, 104, 33, "MENU", BLUE),
    T("PAUSEACTPAS", "ui/pauseactpas.png", lambda: strips(128, 128, 105, [(0, 37, "normal"), (37, 74, "over")], "PAUSE", BLUE)),
    T("SCOREBKG", "score/scorebkg.png", lambda: screen("SCORE", *SCORE_BACK, used_h=1024)),
    # Frame and HUD
    T("BOTTOMBAR", "frame/bottombar.png", lambda: used_panel(1024, 64, 1024, 64, BROWN, radius=0)),
    T("LEFTBAR", "frame/leftbar.png", lambda: used_panel(128, 1024, 128, 768, (110, 75, 45, 230), radius=0)),
    T("BOLVANLU", "frame/bolvanlu.png", lambda: bolvan((0, 0.01, 1, 0.740234375), ORANGE, PURPLE)),
    T("BOLVANLD", "frame/bolvanld.png", lambda: bolvan((0, 0, 1, 0.859375), TEAL, RED)),
    T("SCORESMALL", "frame/scoresmall.png", score_plate),
    T("SUN", "frame/sun.png", sun),
    T("SUNEYEL", "frame/suneyel.png", sun_eyes),
    T("SPELLWALL", "frame/spellwall.png", lambda: spell_icon("wall", GREY)),
    T("SPELLBRIDGE", "frame/spellbridge.png", lambda: spell_icon("bridge", BROWN)),
    T("SPELLWINDRIGHT", "frame/spellwindright.png", lambda: spell_icon("windright", TEAL)),
    T("SPELLWINDLEFT", "frame/spellwindleft.png", lambda: spell_icon("windleft", TEAL)),
    T("SPELLTELEPORT", "frame/spellteleport.png", lambda: spell_icon("teleport", PURPLE)),
    T("CURSOR", "hud/cursor.png", cursor),
    T("ARROW", "hud/arrow.png", lambda: (lambda im: (arrow(im, (2, 2, 126, 62), GOLD), im)[1])(new(128, 64))),
    T("LIFEPOT", "hud/lifepot.png", life_pot),
    # Shown in the play field under the frame's sun (its top-left 343 x 90 texels): the title stands lower.
    T("GAMEOVER", "ui/gameover.png", lambda: screen("GAME OVER", (60, 20, 20, 255), (20, 0, 0, 255), title_y=120)),
    T("PAUSE", "ui/pause.png", pause_picture),
    T("PRESSSPACEBAR", "ui/pressspacebar.png", lambda: used_panel(512, 64, 512, 60, (40, 40, 80, 220), "CLICK OR PRESS SPACE")),
    T("BAT1", "hud/bat1.png", bat),
    T("BAT2", "hud/bat2.png", bat),
    T("BAT3", "hud/bat3.png", bat),
    T("BAT4", "hud/bat4.png", bat),
    # Main menu and forms
    T("MENUBKG", "ui/menubkg.png", lambda: splash_picture("RUNEGARDEN", (120, 80, 170, 255), (230, 170, 120, 255), menu=True)),
    T("PLAYGAMEACTPAS", "ui/playgame.png", lambda: menu_button("PLAY", GREEN)),
    T("SETTINGSACTPAS", "ui/settings_btn.png", lambda: menu_button("SETTINGS", BLUE)),
    T("HIGHSCOREACTPAS", "ui/highscore_btn.png", lambda: menu_button("HIGH SCORES", BLUE)),
    T("EXITACTPAS", "ui/exit_btn.png", lambda: menu_button("EXIT", RED)),
    T("IFTHIS", "ui/ifthis.png", lambda: strips(512, 64, 275, [(0, 30, "normal"), (30, 60, "over")], "NOT YOU? CHANGE PLAYER", PURPLE)),
    T("BONUSLEVELACTPASDIS", "ui/bonuslevels_btn.png",
      lambda: strips(512, 256, 415, [(0, 72, "disabled"), (72, 144, "normal"), (144, 216, "over")], "BONUS LEVELS", ORANGE)),
    T("NOTAVAILABLE", "ui/notavailable.png", lambda: used_panel(512, 128, 400, 69, RED, "FINISH THE GAME FIRST")),
    # Added onto the high-score table where the white names stand: a dim glow keeps them readable.
    T("BALL", "ui/ball.png", lambda: K.glow(256, (150, 115, 75))),
    T("CREDITS", "ui/credits.png", lambda: screen("CREDITS", (40, 60, 90, 255), (20, 30, 50, 255), used_h=759,
                                                  subtitle="THE RUNEGARDEN TEAM - ART, SOUND AND CODE MADE BY OUR OWN TOOLS")),
    T("AREYOUSURE", "ui/areyousure.png", lambda: dialog("ARE YOU SURE?")),
    T("SETTINGS", "ui/settings.png", settings_dialog),
    T("WHOAREYOU", "ui/whoareyou.png", lambda: dialog("WHO ARE YOU?")),
    T("NEWUSER", "ui/newuser.png", lambda: dialog("NEW PLAYER")),
    *_btn_pair("BTNYES", "ui/btnyes", 256, 128, 161, 82, "YES", GREEN),
    *_btn_pair("BTNNO", "ui/btnno", 256, 128, 161, 82, "NO", RED),
    *_btn_pair("OKBTN", "ui/okbtn", 128, 64, 95, 45, "OK", GREEN),
    *_btn_pair("CREDITBTN", "ui/creditbtn", 128, 64, 95, 45, "CREDITS", BLUE),
    *_btn_pair("CANBTN", "ui/canbtn", 128, 64, 95, 45, "CANCEL", GREY),
    *_btn_pair("DELBTN", "ui/delbtn", 128, 64, 95, 45, "DELETE", RED),
    *_btn_pair("CLEARBTN", "ui/clearbtn", 128, 64, 95, 45, "CLEAR", ORANGE),
    T("SHUTTLE", "ui/shuttle.png", shuttle),
    T("CHECK", "ui/check.png", check),
    *_btn_pair("BTNNEWUSER", "ui/btnnewuser", 512, 64, 336, 48, "NEW PLAYER", GREEN),
    T("TXTBOXBKG", "ui/txtboxbkg.png", lambda: used_panel(512, 64, 295, 64, (240, 235, 220, 255), radius=6)),
    T("SCROLLPOINT", "ui/scrollpoint.png", scroll_point),
    T("TEXTBOXCURSOR", "ui/textboxcursor.png", text_cursor),
    T("PROFILEEXIST", "ui/profileexist.png", lambda: used_panel(512, 128, 400, 69, RED, "NAME ALREADY TAKEN")),
    # Map, score count, trophies
    T("MAP", "map/map.png", lambda: map_picture("")),
    T("MAPBONUS", "map/mapbonus.png", lambda: map_picture("BONUS LEVELS", bonus=True)),
    T("LEVELPOTS", "map/levelpots.png", level_pots),
    T("STAR", "map/star.png", star),
    T("DOT", "map/dot.png", dot),
    T("MAPBTNMENU", "map/mapbtnmenu.png", lambda: map_button("MENU", BLUE)),
    T("MAPBTNNEXT", "map/mapbtnnext.png", lambda: map_button("NEXT", GREEN)),
    T("MAPBTNTROPHIES", "map/mapbtntrophies.png", lambda: map_button("TROPHIES", GOLD)),
    T("TOOLTIP", "map/tooltip.png", lambda: used_panel(128, 32, 128, 32, (255, 250, 225, 235), radius=6)),
    T("BONUSLEVELPOTS", "map/bonuslevelpots.png", bonus_level_pots),
    T("PROGBAR1", "score/progbar1.png", lambda: bar(GOLD)),
    T("PROGBAR2", "score/progbar2.png", lambda: bar(GREY)),
    *_btn_pair("SCORENEXT", "score/scorenext", 128, 128, 128, 79, "OK", GREEN),
    T("SCORESTAFFACT", "score/scorestaffact.png", lambda: staff(GOLD)),
    T("SCORESTAFFPAS", "score/scorestaffpas.png", lambda: staff(GREY)),
    T("SCORELIFESTAFF", "score/scorelifestaff.png", life_staff),
    T("SCOREYOUDONT", "score/scoreyoudont.png", lambda: used_panel(1024, 512, 1024, 512, GREY, "NO SCORE", radius=0)),
    T("SCORELINE", "score/scoreline.png", lambda: (lambda im: (ImageDraw.Draw(im).line((0, 0, 106, 0), fill=WHITE), im)[1])(new(128, 4))),
    T("TROPHIES", "trophies/trophies.png", trophies_back),
    T("TROPHIESSET", "trophies/trophiesset.png",
      lambda: trophy_tiles(1024, 127, 117, 0.1240234375, 0.1142578125, 6, 5, 0, 30)),
    T("TROPHIEBIG1", "trophies/trophiebig1.png", lambda: used_panel(256, 512, 194, 321, GOLD, "SET\n1", max_size=80)),
    T("TROPHIEBIG2", "trophies/trophiebig2.png", lambda: used_panel(256, 512, 194, 321, GOLD, "SET\n2", max_size=80)),
    T("TROPHIESETBIG1", "trophies/trophiesetbig1.png", lambda: trophy_tiles(1024, 256, 237, 0.25, 237 / 1024, 4, 4, 0, 15)),
    T("TROPHIESETBIG2", "trophies/trophiesetbig2.png", lambda: trophy_tiles(1024, 256, 237, 0.25, 237 / 1024, 4, 4, 15, 15)),
    T("TROPHIEBIGBACKGROUND", "trophies/trophiebigbackground.png",
      lambda: used_panel(512, 512, 352, 333, (60, 45, 30, 240), radius=20)),
    T("WOW", "trophies/wow.png", wow),
    # Objects the content chooses
    T("OBJ_BALYCHAHL", "objects/balychahl.png", lambda: actor_sheet(0)),
    T("OBJ_CHUMBACHUKCHUL", "objects/chumbachukchul.png", lambda: actor_sheet(1)),
    T("OBJ_SNUPULNEL", "objects/snupulnel.png", lambda: actor_sheet(2)),
    T("OBJ_MONSTER", "objects/monster.png", monster_sheet),
    T("OBJ_PORTAL", "objects/portal.png", portal_sheet),
    T("OBJ_GROUND", "objects/ground.png", ground_tile),
    T("OBJ_WALL", "objects/wall.png", spell_wall),
    T("OBJ_BRIDGE", "objects/bridge.png", lambda: plank(BROWN)),
    T("OBJ_LIFT", "objects/lift.png", lift),
    T("OBJ_LETHAL", "objects/water.png", water),
    T("OBJ_WINDRIGHT", "objects/windright.png", lambda: wind("right")),
    T("OBJ_WINDLEFT", "objects/windleft.png", lambda: wind("left")),
    T("OBJ_TELEPORT", "objects/teleport.png", teleport_ring),
    T("OBJ_OUTTELEPORT", "objects/teleportexit.png", teleport_pad),
    T("OBJ_TREE", "objects/tree.png", tree),
    T("BG_SKY", "bg/sky.png", sky),
    T("BG_HILLS", "bg/hills.png", hills),
    T("BG_CLOUDS", "bg/clouds.png", clouds),
    T("GESTUREWALL", "hud/gesturewall.png", lambda: gesture_picture("wall", "A LINE DOWN")),
    T("GESTUREBRIDGE", "hud/gesturebridge.png", lambda: gesture_picture("bridge", "AN ARCH")),
    T("GESTUREWINDRIGHT", "hud/gesturewindright.png", lambda: gesture_picture("windright", "WIND RIGHT")),
    T("GESTUREWINDLEFT", "hud/gesturewindleft.png", lambda: gesture_picture("windleft", "WIND LEFT")),
    T("GESTURETELEPORT", "hud/gestureteleport.png", lambda: gesture_picture("teleport", "A CIRCLE")),
    T("INTRO1", "intro/intro1.png", lambda: intro_slide("LONG AGO...", (60, 70, 140, 255), (200, 150, 110, 255))),
    T("INTRO2", "intro/intro2.png", lambda: intro_slide("THE WAY HOME", (40, 100, 110, 255), (220, 200, 130, 255))),
    T("INTROPIC1", "intro/intropic1.png", lambda: intro_picture("THREE FRIENDS", three_walkers)),
    T("INTROPIC2", "intro/intropic2.png",
      lambda: intro_picture("LOST FAR FROM HOME", lambda im: (three_walkers(im), K.sparkle(im, (380, 30, 480, 130), PURPLE)))),
    T("INTROPIC3", "intro/intropic3.png",
      lambda: intro_picture("DRAW SPELLS TO GUIDE THEM", lambda im: K.gesture(im, (100, 60, 412, 400), "bridge", width=14))),
    T("COMIC1", "comic/comic1.png", comic),
]


# ---------------------------------------------------------------- font

FIRST_CHAR, LAST_CHAR = 32, 126


def make_font():
    """16x16 grid of 32x32 cells, glyph n in cell n, drawn left-aligned; returns (image, widths)."""
    im = new(512, 512)
    d = ImageDraw.Draw(im)
    f = K.font(22)
    stroke = 1
    widths = {}
    for code in range(FIRST_CHAR, LAST_CHAR + 1):
        ch = chr(code)
        x0, y0 = (code % 16) * 32, (code // 16) * 32
        if ch == "-":
            # The face's hyphen, 5 x 3 texels of ink, reads as a dot at label sizes ("1-1"): a bar
            # of the same thickness on the same rows, as long as a digit is wide.
            d.rectangle((x0 + 1, y0 + 15, x0 + 15, y0 + 19), fill=BLACK)
            d.rectangle((x0 + 2, y0 + 16, x0 + 14, y0 + 18), fill=WHITE)
            advance = 16
        else:
            left = f.getbbox(ch, stroke_width=stroke)[0]
            d.text((x0 + stroke - min(0, left), y0 + 3), ch, font=f, fill=WHITE, stroke_width=stroke, stroke_fill=BLACK)
            advance = f.getlength(ch) + 2 * stroke
        widths[code] = min(1.0, (math.ceil(advance) + 1) / 32.0)
    # The ink of every glyph lies in rows 5-29 of its cell: stretched over rows 1-30 the letters
    # stand a fifth taller on screen, while the widths (and so every layout) stay as they are.
    tall = new(512, 512)
    for row in range(16):
        band = im.crop((0, row * 32 + 5, 512, row * 32 + 30)).resize((512, 30), Image.BICUBIC)
        tall.paste(band, (0, row * 32 + 1))
    return tall, widths


def font_metrics_xml(widths):
    lines = ["<font>"]
    for code in sorted(widths):
        lines.append('  <c code="%d" index="%d" width="%s"></c>' % (code, code, fmt(widths[code])))
    lines.append("</font>")
    return "\n".join(lines) + "\n"


def fmt(v):
    return ("%.6f" % v).rstrip("0").rstrip(".")


# ---------------------------------------------------------------- files loaded by path

def dds_bytes(im):
    """Uncompressed 32-bit DDS, one level, rows top to bottom in B, G, R, A order."""
    w, h = im.size
    flags = 0x1 | 0x2 | 0x4 | 0x8 | 0x1000  # CAPS | HEIGHT | WIDTH | PITCH | PIXELFORMAT
    pixel_format = struct.pack("<8I", 32, 0x41, 0, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    header = struct.pack("<7I", 124, flags, h, w, 4 * w, 0, 0) + b"\0" * 44 + pixel_format
    header += struct.pack("<5I", 0x1000, 0, 0, 0, 0)
    assert len(header) == 124
    r, g, b, a = im.convert("RGBA").split()
    return b"DDS " + header + Image.merge("RGBA", (b, g, r, a)).tobytes()


def loading_background():
    im = screen("LOADING", (40, 30, 70, 255), (120, 80, 140, 255))
    return im


def loading_animation():
    def cell(im, box, i, n):
        x0, y0, x1, y1 = box
        cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
        d = ImageDraw.Draw(im)
        for k in range(8):
            a = 2 * math.pi * (k + i / 2) / 8
            r = 40
            bright = 255 if k == 0 else 90 + k * 15
            d.ellipse((cx + r * math.cos(a) - 8, cy + r * math.sin(a) - 8, cx + r * math.cos(a) + 8, cy + r * math.sin(a) + 8),
                      fill=(bright, bright, 120, 255))
    return frame_sheet(512, 512, (0, 0, 1, 1), 4, 4, cell)


def loading_bar(fill):
    im = new(512, 64)
    panel(im, (0, 0, 477, 59), fill, radius=10, width=3)
    return im


def logo(over):
    im = new(128, 64)
    panel(im, (0, 0, 128, 64), shade(PURPLE, 1.35) if over else PURPLE, radius=10, text="RUNEGARDEN", max_size=20)
    return im


# ---------------------------------------------------------------- output

def save_png(im, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    im.save(path, optimize=True)


def texture_list_xml(entries):
    lines = ["<Textures>"]
    for name, path, _, mip in entries:
        win = "textures\\" + path.replace("/", "\\")
        extra = ' MipLevels="%d"' % mip if mip is not None else ""
        lines.append('  <Texture Name="%s" Path="%s"%s></Texture>' % (name, win, extra))
    lines.append("</Textures>")
    return "\n".join(lines) + "\n"


def contact_sheet(images, out):
    thumb, cols = 160, 10
    rows = (len(images) + cols - 1) // cols
    sheet = Image.new("RGBA", (cols * thumb, rows * (thumb + 20)), (40, 40, 40, 255))
    checker = Image.new("RGBA", (thumb, thumb))
    cd = ImageDraw.Draw(checker)
    for y in range(0, thumb, 16):
        for x in range(0, thumb, 16):
            cd.rectangle((x, y, x + 15, y + 15), fill=(200, 200, 200, 255) if (x + y) // 16 % 2 else (150, 150, 150, 255))
    d = ImageDraw.Draw(sheet)
    for i, (name, im) in enumerate(images):
        x, y = (i % cols) * thumb, (i // cols) * (thumb + 20)
        t = im.copy()
        t.thumbnail((thumb - 4, thumb - 4))
        cell = checker.copy()
        cell.alpha_composite(t, ((thumb - t.width) // 2, (thumb - t.height) // 2))
        sheet.paste(cell, (x, y))
        d.text((x + 2, y + thumb + 2), "%s %dx%d" % (name, im.width, im.height), font=K.font(10), fill=WHITE)
    os.makedirs(os.path.dirname(out), exist_ok=True)
    sheet.save(out)


def main():
    data = sys.argv[1]
    sheet_path = sys.argv[2] if len(sys.argv) > 2 else None
    random.seed(1)
    shown = []
    names = [t[0] for t in TEXTURES]
    assert len(names) == len(set(names)), "duplicate texture name"
    for name, path, make, _ in TEXTURES:
        if name == "FONT":
            im, widths = make_font()
            os.makedirs(os.path.join(data, "Res"), exist_ok=True)
            with open(os.path.join(data, "Res", "fontmetrics.xml"), "w", newline="\n") as f:
                f.write(font_metrics_xml(widths))
        else:
            im = make()
        save_png(im, os.path.join(data, "textures", path))
        shown.append((name, im))
    with open(os.path.join(data, "Res", "textures.xml"), "w", newline="\n") as f:
        f.write(texture_list_xml(TEXTURES))

    by_path = [
        ("Loading/background.dds", loading_background()),
        ("Loading/animation.dds", loading_animation()),
        ("Loading/passive.dds", loading_bar(GREY)),
        ("Loading/active.dds", loading_bar(GOLD)),
    ]
    for rel, im in by_path:
        os.makedirs(os.path.join(data, os.path.dirname(rel)), exist_ok=True)
        with open(os.path.join(data, rel), "wb") as f:
            f.write(dds_bytes(im))
        shown.append((rel, im))
    # Shown whole (down to texture row 1024) on a 4:3 window: stored stretched to the square.
    splash1 = K.stretched(splash_picture("RUNEGARDEN", (40, 60, 130, 255), (200, 140, 90, 255)).crop((0, 0, 1024, 768)),
                          1024, 1024)
    os.makedirs(os.path.join(data, "fsdata"), exist_ok=True)
    splash1.convert("RGB").save(os.path.join(data, "fsdata", "splash1.jpg"), quality=85)
    shown.append(("fsdata/splash1.jpg", splash1))
    splash2 = screen("A RUNEGARDEN TEAM GAME", (30, 30, 30, 255), (70, 70, 90, 255),
                     subtitle="PLACEHOLDER ART MADE BY THE PROJECT'S TOOLS")
    save_png(splash2, os.path.join(data, "splash", "splash2.png"))
    shown.append(("splash/splash2.png", splash2))
    for rel, over in (("fsdata/logo_na.png", False), ("fsdata/logo_a.png", True)):
        im = logo(over)
        save_png(im, os.path.join(data, rel))
        shown.append((rel, im))
    if sheet_path:
        contact_sheet(shown, sheet_path)
    print("gen_art: %d list textures, %d images by path" % (len(TEXTURES), len(by_path) + 4))


if __name__ == "__main__":
    main()
