#!/usr/bin/python3
# -*- coding: utf-8 -*-
"""Draws the pictures of 词帆 (start-window doors, practice feedback, maker logo, program icon).

Run:  /usr/bin/python3 draw.py [names]   (writes into the directory of this script;
      names such as "icons" or "logo" draw only those)
Everything is drawn from simple shapes; no randomness, so output is reproducible.
"""
import math
import os
import sys
from PIL import Image, ImageDraw, ImageFont

S = 3  # supersampling factor: draw at 3x, then shrink for smooth edges
OUT = os.path.dirname(os.path.abspath(__file__))
FONT_DIR = "/usr/share/fonts/opentype/noto/"
SC_INDEX = 2  # "Noto Sans CJK SC" inside the .ttc collection

SKIN, SKIN_DARK = "#FFE0C4", "#F2C6A0"
INK, BLUSH, WHITE = "#3A3F4B", "#FFB3B3", "#FFFFFF"


def font(size, bold=True):
    name = "NotoSansCJK-Bold.ttc" if bold else "NotoSansCJK-Regular.ttc"
    return ImageFont.truetype(FONT_DIR + name, int(size * S), index=SC_INDEX)


class Pic:
    """A canvas that takes coordinates in final pixels and draws at S times the size."""

    def __init__(self, w, h, bg, mode="RGB"):
        self.w, self.h = w, h
        self.img = Image.new(mode, (w * S, h * S), bg)
        self.d = ImageDraw.Draw(self.img)

    @staticmethod
    def pts(points):
        return [(x * S, y * S) for x, y in points]

    def ellipse(self, cx, cy, rx, ry, fill=None, outline=None, width=0):
        self.d.ellipse([(cx - rx) * S, (cy - ry) * S, (cx + rx) * S, (cy + ry) * S],
                       fill=fill, outline=outline, width=int(width * S))

    def circle(self, cx, cy, r, fill=None, outline=None, width=0):
        self.ellipse(cx, cy, r, r, fill, outline, width)

    def rrect(self, x0, y0, x1, y1, r, fill=None, outline=None, width=0):
        self.d.rounded_rectangle([x0 * S, y0 * S, x1 * S, y1 * S], radius=r * S,
                                 fill=fill, outline=outline, width=int(width * S))

    def poly(self, points, fill=None, outline=None, width=0):
        self.d.polygon(self.pts(points), fill=fill)
        if outline:
            self.line(points + points[:1], outline, width)

    def line(self, points, fill, width):
        """Thick line with round joints and round caps."""
        self.d.line(self.pts(points), fill=fill, width=int(width * S), joint="curve")
        for x, y in (points[0], points[-1]):
            self.circle(x, y, width / 2.0, fill)

    def arc(self, box, start, end, fill, width):
        self.d.arc([v * S for v in box], start, end, fill=fill, width=int(width * S))

    def chord(self, box, start, end, fill):
        self.d.chord([v * S for v in box], start, end, fill=fill)

    def text(self, x, y, s, size, fill, bold=True, stroke=0, stroke_fill=None):
        self.d.text((x * S, y * S), s, font=font(size, bold), fill=fill, anchor="mm",
                    stroke_width=int(stroke * S), stroke_fill=stroke_fill)

    def wave(self, x0, x1, y, amp, period, fill, width):
        n = int((x1 - x0) * 2)
        pts = [(x0 + (x1 - x0) * i / n,
                y + amp * math.sin(2 * math.pi * (x1 - x0) * i / n / period)) for i in range(n + 1)]
        self.line(pts, fill, width)

    def sparkle(self, cx, cy, r, fill):
        """Four-pointed star used as a small decoration."""
        k = r * 0.28
        self.poly([(cx, cy - r), (cx + k, cy - k), (cx + r, cy), (cx + k, cy + k),
                   (cx, cy + r), (cx - k, cy + k), (cx - r, cy), (cx - k, cy - k)], fill)

    def result(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


# ---------------------------------------------------------------- portraits

def figure(p, shirt, hair, style):
    """Head-and-shoulders character; style is 'short', 'bob' or 'bun'."""
    p.rrect(28, 114, 122, 200, 32, fill=shirt)                 # shoulders
    p.poly([(63, 114), (75, 129), (87, 114)], fill=WHITE)     # collar
    p.rrect(67, 94, 83, 118, 6, fill=SKIN_DARK)               # neck
    if style == "bob":
        p.rrect(41, 44, 109, 106, 22, fill=hair)
    if style == "bun":
        p.circle(75, 37, 12, fill=hair)
    p.circle(75, 67, 31, fill=hair)                           # back of hair
    p.ellipse(47, 74, 5, 7, fill=SKIN)                         # ears
    p.ellipse(103, 74, 5, 7, fill=SKIN)
    p.ellipse(75, 71, 27, 28, fill=SKIN)                       # face
    p.chord((46, 38, 104, 88), 180, 360, fill=hair)            # fringe
    if style == "short":
        p.poly([(60, 56), (78, 62), (92, 52)], fill=hair)
    else:
        for bx in (55, 66, 78, 90, 98):                        # soft bangs
            p.circle(bx, 60, 7, fill=hair)
    for ex in (65, 85):                                        # eyes
        p.ellipse(ex, 77, 2.8, 3.4, fill=INK)
        p.circle(ex + 1, 75.8, 1.0, fill=WHITE)
    p.ellipse(57, 86, 5, 3, fill=BLUSH)
    p.ellipse(93, 86, 5, 3, fill=BLUSH)
    p.arc((69, 80, 81, 91), 25, 155, INK, 1.8)                 # smile


def hand(p, x, y):
    p.circle(x, y, 7, fill=SKIN, outline=SKIN_DARK, width=1)


def portrait_frame(bg, glow, deep, sparkles):
    p = Pic(150, 190, bg)
    p.circle(75, 80, 62, fill=glow)
    for x, y, r in sparkles:
        p.sparkle(x, y, r, WHITE)
    return p


def caption(p, text, deep):
    p.rrect(9, 147, 141, 183, 11, fill=deep, outline=WHITE, width=2)
    p.text(75, 164, text, 24, WHITE)


def save_gif(p, name):
    img = p.result().convert("P", palette=Image.ADAPTIVE, colors=256)
    img.save(os.path.join(OUT, name))


def draw_chaxun():
    deep = "#3E7CC4"
    p = portrait_frame("#DCEBFA", "#EEF5FD", deep, [(20, 24, 6), (132, 132, 4), (22, 118, 4)])
    figure(p, "#5B9BD5", "#4A3B34", "short")
    p.line([(112, 140), (113, 120)], "#5B9BD5", 14)            # raised arm
    p.line([(118, 92), (110, 114)], "#8A5A3C", 7)             # handle
    hand(p, 111, 114)
    p.circle(122, 70, 21, fill="#F2FAFF", outline="#2F4F6F", width=5)  # lens
    p.text(122, 69, "あ", 22, deep)
    p.arc((106, 54, 138, 86), 200, 250, WHITE, 3)              # glint
    caption(p, "单词查询", deep)
    save_gif(p, "chaxun.gif")


def pencil(p, tip, end, w):
    """Pencil from its point `tip` to the eraser `end`, width w."""
    (x0, y0), (x1, y1) = tip, end
    L = math.hypot(x1 - x0, y1 - y0)
    ux, uy = (x1 - x0) / L, (y1 - y0) / L
    nx, ny = -uy, ux

    def P(t, s):
        return (x0 + ux * t * L + nx * s * w / 2, y0 + uy * t * L + ny * s * w / 2)

    p.poly([P(0.20, -1), P(0.82, -1), P(0.82, 1), P(0.20, 1)], fill="#FFC93C")
    p.poly([P(0.20, 0.35), P(0.82, 0.35), P(0.82, 1), P(0.20, 1)], fill="#F2A81D")
    p.poly([P(0, 0), P(0.20, -1), P(0.20, 1)], fill="#F5D1A4")
    p.poly([P(0, 0), P(0.07, -0.36), P(0.07, 0.36)], fill=INK)
    p.poly([P(0.82, -1), P(0.89, -1), P(0.89, 1), P(0.82, 1)], fill="#B9C2CC")
    p.poly([P(0.89, -1), P(0.98, -1), P(0.98, 1), P(0.89, 1)], fill="#FF8FA3")
    p.circle(*P(0.98, 0), w / 2, fill="#FF8FA3")


def draw_lianxi():
    deep = "#3E9B5A"
    p = portrait_frame("#DDF3E2", "#EFF9F1", deep, [(128, 22, 6), (18, 30, 4), (134, 128, 4)])
    figure(p, "#66BB7A", "#2F2A33", "bob")
    p.poly([(14, 98), (44, 92), (50, 134), (20, 140)], fill=WHITE, outline="#B7D8BF", width=1.2)
    p.text(31, 110, "か", 15, "#2F6B40")
    p.wave(23, 43, 126, 1.6, 7, "#8CC79C", 1.5)
    p.line([(112, 140), (112, 122)], "#66BB7A", 14)
    pencil(p, (130, 44), (104, 126), 11)
    hand(p, 110, 116)
    caption(p, "单词练习", deep)
    save_gif(p, "lianxi.gif")


def draw_xuexi():
    deep = "#D9822B"
    p = portrait_frame("#FCE9D6", "#FEF4EA", deep, [(20, 24, 6), (130, 28, 5), (136, 100, 4)])
    figure(p, "#F0A050", "#6B3E26", "bun")
    for ex in (65, 85):                                        # glasses
        p.circle(ex, 77, 7, outline=INK, width=1.4)
    p.line([(72, 76), (78, 76)], INK, 1.2)
    cover = "#C0504D"
    p.poly([(34, 106), (75, 112), (116, 106), (118, 145), (75, 150), (32, 145)], fill=cover)
    p.poly([(38, 104), (58, 101), (75, 109), (75, 145), (58, 138), (38, 141)], fill="#FFFDF7")
    p.poly([(112, 104), (92, 101), (75, 109), (75, 145), (92, 138), (112, 141)], fill="#FFF6E6")
    p.line([(75, 109), (75, 145)], "#E2CDB0", 1)
    p.text(56, 116, "あ", 13, "#8A4A1E")
    for y in (126, 132):
        p.line([(44, y), (69, y + 3)], "#E2CDB0", 1.5)
    p.text(94, 116, "学", 13, "#8A4A1E")
    for y in (126, 132):
        p.line([(81, y + 3), (106, y)], "#E2CDB0", 1.5)
    hand(p, 37, 140)
    hand(p, 113, 140)
    caption(p, "单词学习", deep)
    save_gif(p, "xuexi.gif")


# ------------------------------------------------------- practice pictures

def save_jpg(p, name):
    p.result().convert("RGB").save(os.path.join(OUT, name), quality=90, subsampling=0)


def draw_start():
    p = Pic(160, 160, "#DFF1FF")
    p.circle(136, 26, 12, fill="#FFD45C")
    p.text(70, 25, "加油！", 26, "#F07C2A", stroke=2, stroke_fill=WHITE)
    p.line([(80, 46), (80, 114)], "#7A4A2A", 3)                # mast
    p.poly([(80, 42), (94, 46), (80, 50)], fill="#E5534B")     # flag
    p.poly([(84, 54), (84, 108), (128, 108)], fill=WHITE, outline="#9BB8D0", width=1.2)
    p.poly([(76, 60), (76, 108), (42, 108)], fill="#FFCF8A", outline="#E0A860", width=1.2)
    p.text(96, 95, "帆", 17, "#3E7CC4")
    p.poly([(30, 112), (132, 112), (118, 130), (44, 130)], fill="#C8643B")
    p.line([(36, 116), (126, 116)], "#E88A5E", 2)
    p.d.rectangle([0, 126 * S, 160 * S, 160 * S], fill="#5AA9E6")
    for i in range(8):
        p.circle(10 + i * 20, 128, 10, fill="#5AA9E6")
    p.wave(4, 156, 142, 2.5, 20, "#A9D6F5", 2.5)
    p.wave(14, 146, 153, 2.0, 20, "#8CC6EE", 2)
    p.sparkle(20, 60, 5, WHITE)
    p.sparkle(140, 68, 4, WHITE)
    save_jpg(p, "start.jpg")


def draw_right():
    p = Pic(160, 160, "#E8F7EC")
    p.circle(80, 66, 48, fill="#C9ECD2")
    p.circle(80, 66, 40, fill="#43A857")
    p.line([(60, 67), (74, 82), (101, 52)], WHITE, 11)
    for x, y, r in [(22, 26, 6), (138, 30, 5), (136, 100, 4), (24, 96, 4)]:
        p.sparkle(x, y, r, "#7BCB8D")
    p.text(80, 136, "正确", 28, "#2E7D3E")
    save_jpg(p, "right.jpg")


def draw_wrong():
    p = Pic(160, 160, "#FCECEC")
    p.circle(80, 66, 48, fill="#F6CFCD")
    p.circle(80, 66, 40, fill="#E0524A")
    p.line([(64, 50), (96, 82)], WHITE, 11)
    p.line([(96, 50), (64, 82)], WHITE, 11)
    p.ellipse(132, 34, 5, 7, fill="#9CCBF0")                  # thinking drop
    p.poly([(127, 32), (132, 20), (137, 32)], fill="#9CCBF0")
    p.text(80, 136, "再想想", 28, "#B3322C")
    save_jpg(p, "wrong.jpg")


# ------------------------------------------------------------------- logo

def logo(p, dy=0, text=True):
    """The maker logo: a sailing boat on waves in a blue disc; dy moves the boat down."""
    p.circle(48, 48, 46, fill="#1F5F86")
    p.circle(48, 48, 42, outline="#7FB8DA", width=1.5)
    p.line([(49, 14 + dy), (49, 54 + dy)], "#F3E3C3", 2)
    p.poly([(52, 16 + dy), (52, 50 + dy), (74, 50 + dy)], fill=WHITE)
    p.poly([(46, 22 + dy), (46, 50 + dy), (27, 50 + dy)], fill="#BFE1F5")
    p.poly([(22, 53 + dy), (76, 53 + dy), (68, 62 + dy), (30, 62 + dy)], fill="#F29A4A")
    p.wave(18, 78, 67 + dy, 1.8, 12, "#7FC4EA", 2.2)
    if text:
        p.text(48, 79, "岚舟", 15, WHITE)


def draw_logo():
    p = Pic(96, 96, (0, 0, 0, 0), mode="RGBA")
    logo(p)
    p.result().save(os.path.join(OUT, "logo.png"))


# ---------------------------------------------------------- program icon

ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


def draw_icons():
    """The program's icon for menus and task bars: the logo's boat, centred, without the
    maker's name (unreadable at small sizes), at the usual hicolor sizes."""
    p = Pic(96, 96, (0, 0, 0, 0), mode="RGBA")
    logo(p, dy=8, text=False)
    os.makedirs(os.path.join(OUT, "icons"), exist_ok=True)
    for size in ICON_SIZES:
        p.img.resize((size, size), Image.LANCZOS).save(os.path.join(OUT, "icons", "%d.png" % size))


ALL = (draw_chaxun, draw_lianxi, draw_xuexi, draw_start, draw_right, draw_wrong, draw_logo, draw_icons)

if __name__ == "__main__":
    # With names (e.g. "icons", "logo"), draws only those pictures.
    wanted = sys.argv[1:]
    for fn in ALL:
        if not wanted or fn.__name__[len("draw_"):] in wanted:
            fn()
    print("pictures written to", OUT)
