#!/usr/bin/python3
"""Draws every picture of Volmar Configurator into resources/images/.

Run from anywhere (paths are taken relative to this file):

    /usr/bin/python3 resources/tools/make_artwork.py

Needs Python 3 with Pillow (Debian: python3-pil).  All text is set in the
fonts shipped in resources/font/, nothing random is used, so every run
gives the same files byte for byte with the same Pillow/zlib build.

Shapes are drawn at SS times the final size and scaled down, which gives
smooth edges without relying on anti-aliased primitives; text on buttons
is set at the final size so FreeType's hinting keeps it crisp.
"""

import io
import math
import struct
import sys
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFont

RES = Path(__file__).resolve().parent.parent
IMAGES = RES / "images"
FONT_MEDIUM = RES / "font" / "6445.ttf"
FONT_LIGHT = RES / "font" / "FTN35.OTF"

SS = 4  # supersampling factor for shapes

# The tool's colour scheme.
BG = (0x1F, 0x22, 0x22, 255)
GREY = (0xB9, 0xB9, 0xB9, 255)
WHITE = (255, 255, 255, 255)
GREEN = (0x00, 0xA7, 0x78, 255)
RED = (0xE3, 0x23, 0x23, 255)
ORANGE_RED = (0xE3, 0x3F, 0x23, 255)
DARK_RED = (0xA2, 0x23, 0x00, 255)
YELLOW = (0xDD, 0xB3, 0x06, 255)
YELLOW_DARK = (0xA8, 0x88, 0x05, 255)
STEEL = (0x8A, 0x92, 0x92, 255)
STEEL_DARK = (0x5D, 0x66, 0x66, 255)
STEEL_LIGHT = (0xC8, 0xCE, 0xCE, 255)
PANEL = (0x2A, 0x2F, 0x2F, 255)
TYRE = (0x14, 0x16, 0x16, 255)
GLASS = (0x3E, 0x5C, 0x58, 255)
GLASS_HI = (0x7F, 0xB5, 0xA6, 255)
CLEAR = (0, 0, 0, 0)


def rgba(c, a):
    """Colour c with alpha a (0..255)."""
    return (c[0], c[1], c[2], a)


def font(path, px):
    return ImageFont.truetype(str(path), px)


# ---------------------------------------------------------------- canvas --

class Canvas:
    """RGBA picture of w x h pixels, drawn at SS times the size.

    Drawing coordinates are logical: a logical point (x, y) lands on the
    pixel (x * k + ox, y * k + oy), and widths and radii scale by k too, so
    one drawing can be rendered at another size.
    """

    def __init__(self, w, h, bg=CLEAR, ss=SS, k=1.0, ox=0.0, oy=0.0):
        self.w, self.h, self.ss = w, h, ss
        self.k, self.ox, self.oy = k, ox, oy
        self.img = Image.new("RGBA", (w * ss, h * ss), bg)
        self.d = ImageDraw.Draw(self.img)

    # coordinates ---------------------------------------------------------
    def _p(self, pts):
        s, k = self.ss, self.k
        return [((x * k + self.ox) * s, (y * k + self.oy) * s) for x, y in pts]

    def _box(self, x0, y0, x1, y1):
        (a, b), (c, d) = self._p([(x0, y0), (x1, y1)])
        return [a, b, c - 1, d - 1]

    def _w(self, width):
        return max(1, round(width * self.k * self.ss))

    # primitives ----------------------------------------------------------
    def poly(self, pts, fill=None, outline=None, width=1.0):
        if fill is not None:
            self.d.polygon(self._p(pts), fill=fill)
        if outline is not None:
            self.line(list(pts) + [pts[0]], outline, width)

    def rect(self, x0, y0, x1, y1, fill=None, outline=None, width=1.0, r=0.0):
        self.d.rounded_rectangle(self._box(x0, y0, x1, y1), radius=r * self.k * self.ss,
                                 fill=fill, outline=outline,
                                 width=self._w(width) if outline else 0)

    def ellipse(self, cx, cy, rx, ry=None, fill=None, outline=None, width=1.0):
        ry = rx if ry is None else ry
        self.d.ellipse(self._box(cx - rx, cy - ry, cx + rx, cy + ry), fill=fill,
                       outline=outline, width=self._w(width) if outline else 0)

    def line(self, pts, fill, width=1.0, round_caps=True):
        w = self._w(width)
        dev = self._p(pts)
        self.d.line(dev, fill=fill, width=w, joint="curve")
        if round_caps and w > 2:
            for x, y in (dev[0], dev[-1]):
                r = w / 2.0
                self.d.ellipse([x - r, y - r, x + r, y + r], fill=fill)

    def dashed(self, a, b, fill, width=1.0, dash=4.0, gap=3.0):
        length = math.hypot(b[0] - a[0], b[1] - a[1])
        if length == 0:
            return
        ux, uy = (b[0] - a[0]) / length, (b[1] - a[1]) / length
        t = 0.0
        while t < length:
            e = min(length, t + dash)
            self.line([(a[0] + ux * t, a[1] + uy * t), (a[0] + ux * e, a[1] + uy * e)],
                      fill, width, round_caps=False)
            t += dash + gap

    def arc(self, cx, cy, r, start, end, fill, width=1.0):
        """Arc in screen degrees (0 = right, 90 = down), drawn clockwise."""
        self.d.arc(self._box(cx - r, cy - r, cx + r, cy + r), start, end,
                   fill=fill, width=self._w(width))

    def text(self, xy, text, fnt_path, px, fill, anchor="mm"):
        """Text drawn at the supersampled size (for large captions)."""
        f = font(fnt_path, round(px * self.k * self.ss))
        layer = text_layer(self.img.size, self._p([xy])[0], text, f, fill, anchor)
        self.img.alpha_composite(layer)

    def paste_mask(self, mask, fill):
        """Fill colour through an L mask of the supersampled size."""
        layer = Image.new("RGBA", self.img.size, fill[:3] + (0,))
        alpha = mask if fill[3] == 255 else mask.point(lambda v: v * fill[3] // 255)
        layer.putalpha(alpha)
        self.img.alpha_composite(layer)

    def mask(self):
        """Blank L mask and a draw object for it, in canvas coordinates."""
        m = Image.new("L", self.img.size, 0)
        return m, MaskDraw(m, self)

    def layer(self):
        """A transparent canvas of the same size for translucent work."""
        return Canvas(self.w, self.h, CLEAR, self.ss, self.k, self.ox, self.oy)

    def over(self, other, opacity=255):
        src = other.img
        if opacity != 255:
            a = src.getchannel("A").point(lambda v: v * opacity // 255)
            src = src.copy()
            src.putalpha(a)
        self.img.alpha_composite(src)

    def result(self):
        if self.ss == 1:
            return self.img.copy()
        return self.img.resize((self.w, self.h), Image.LANCZOS)


class MaskDraw:
    """Minimal drawing on an L mask, in the coordinates of its canvas."""

    def __init__(self, m, canvas):
        self.d = ImageDraw.Draw(m)
        self.c = canvas
        self.ss = canvas.ss * canvas.k   # device pixels per logical unit

    def poly(self, pts, v=255):
        self.d.polygon(self.c._p(pts), fill=v)

    def ellipse(self, cx, cy, rx, ry=None, v=255):
        ry = rx if ry is None else ry
        self.d.ellipse(self.c._box(cx - rx, cy - ry, cx + rx, cy + ry), fill=v)

    def rect(self, x0, y0, x1, y1, r=0, v=255):
        self.d.rounded_rectangle(self.c._box(x0, y0, x1, y1), radius=r * self.ss, fill=v)

    def text(self, xy, text, fnt_path, px, v=255, anchor="mm"):
        f = font(fnt_path, round(px * self.ss))
        self.d.text(self.c._p([xy])[0], text, font=f, fill=v, anchor=anchor)


def text_layer(size, xy, text, fnt, fill, anchor="mm"):
    """Text as its own RGBA layer: colour everywhere, glyph coverage as alpha.

    Drawing anti-aliased text straight onto a transparent RGBA image blends
    the edge pixels towards black; building the alpha separately keeps the
    edges the colour of the text.
    """
    m = Image.new("L", size, 0)
    ImageDraw.Draw(m).text(xy, text, font=fnt, fill=255, anchor=anchor)
    layer = Image.new("RGBA", size, fill[:3] + (0,))
    if fill[3] != 255:
        m = m.point(lambda v: v * fill[3] // 255)
    layer.putalpha(m)
    return layer


def rot(pts, pivot, deg):
    """Rotate points about pivot; positive degrees turn anticlockwise on screen."""
    a = math.radians(deg)
    ca, sa = math.cos(a), math.sin(a)
    px, py = pivot
    out = []
    for x, y in pts:
        dx, dy = x - px, y - py
        out.append((px + dx * ca + dy * sa, py - dx * sa + dy * ca))
    return out


def polar(origin, length, deg):
    """Point at length from origin in direction deg (0 = right, 90 = up)."""
    a = math.radians(deg)
    return (origin[0] + length * math.cos(a), origin[1] - length * math.sin(a))


def beam(a, b, wa, wb):
    """Quadrilateral of a tapered beam from a (width wa) to b (width wb)."""
    dx, dy = b[0] - a[0], b[1] - a[1]
    ln = math.hypot(dx, dy) or 1.0
    nx, ny = -dy / ln, dx / ln
    return [(a[0] + nx * wa / 2, a[1] + ny * wa / 2), (b[0] + nx * wb / 2, b[1] + ny * wb / 2),
            (b[0] - nx * wb / 2, b[1] - ny * wb / 2), (a[0] - nx * wa / 2, a[1] - ny * wa / 2)]


# ------------------------------------------------------------- saving ----

def save_png(img, name, written):
    path = IMAGES / name
    img.save(path, format="PNG", optimize=True)
    written.append(name)


def write_ico(frames, path):
    """Write an .ico with PNG-compressed entries, in the given order.

    The first entry is what QImageReader (and so QPixmap/QSplashScreen)
    shows, so callers put the full-size picture first.  Entries wider or
    taller than 255 pixels store 0 in the one-byte size fields, as the
    format prescribes; the embedded PNG carries the real size.
    """
    blobs = []
    for im in frames:
        buf = io.BytesIO()
        im.save(buf, format="PNG", optimize=True)
        blobs.append(buf.getvalue())
    out = io.BytesIO()
    out.write(struct.pack("<HHH", 0, 1, len(frames)))
    offset = 6 + 16 * len(frames)
    for im, blob in zip(frames, blobs):
        w, h = im.size
        out.write(struct.pack("<BBBBHHII", w if w < 256 else 0, h if h < 256 else 0,
                              0, 0, 1, 32, len(blob), offset))
        offset += len(blob)
    for blob in blobs:
        out.write(blob)
    path.write_bytes(out.getvalue())


# ------------------------------------------------------------ helpers ----

def gradient(size, top, bottom):
    """Vertical gradient image from colour top to colour bottom."""
    w, h = size
    mask = Image.linear_gradient("L").resize((w, h), Image.BILINEAR)
    return Image.composite(Image.new("RGBA", size, bottom), Image.new("RGBA", size, top), mask)


def ring(c, cx, cy, r, width, fill):
    m, md = c.mask()
    md.ellipse(cx, cy, r + width / 2)
    md.ellipse(cx, cy, r - width / 2, v=0)
    c.paste_mask(m, fill)


def draw_mark(c, cx, cy, r, ring_col=GREY, liquid=GREEN, opacity=255):
    """The brand mark: a gauge ring with a wave of fuel inside it."""
    w = r * 0.13
    col_ring = rgba(ring_col, ring_col[3] * opacity // 255)
    ring(c, cx, cy, r - w / 2, w, col_ring)
    ri = r - w - r * 0.09
    for level, amp, phase, alpha in ((0.02, 0.09, 0.9, 110), (0.16, 0.08, 0.0, 255)):
        m, md = c.mask()
        md.ellipse(cx, cy, ri)
        wave, wd = c.mask()
        pts = []
        steps = 48
        for i in range(steps + 1):
            x = cx - ri - 1 + (2 * ri + 2) * i / steps
            y = cy + level * ri + amp * ri * math.sin(phase + 2 * math.pi * (x - cx) / (ri * 1.25))
            pts.append((x, y))
        pts += [(cx + ri + 1, cy + ri + 1), (cx - ri - 1, cy + ri + 1)]
        wd.poly(pts)
        m = ImageChops.multiply(m, wave)
        c.paste_mask(m, rgba(liquid, alpha * opacity // 255))


def spaced_text(c, x, baseline, text, fnt_path, px, spacing, fill):
    """Letter-spaced text, left edge at x, on the given baseline; returns width."""
    f = font(fnt_path, round(px * c.ss))
    pos = x * c.ss
    for ch in text:
        layer = text_layer(c.img.size, (pos, baseline * c.ss), ch, f, fill, anchor="ls")
        c.img.alpha_composite(layer)
        pos += f.getlength(ch) + spacing * c.ss
    return (pos - x * c.ss) / c.ss - spacing


def spaced_width(text, fnt_path, px, spacing):
    f = font(fnt_path, px * 16)
    return sum(f.getlength(ch) for ch in text) / 16 + spacing * (len(text) - 1)


# ------------------------------------------------------ window pictures --

def make_fon():
    """Window background, 800 x 600: dark gradient, fine stripes, faint mark."""
    w, h = 800, 600
    img = gradient((w, h), (0x27, 0x2B, 0x2B, 255), (0x1A, 0x1D, 0x1D, 255))
    # soft light from the upper left
    glow = Image.radial_gradient("L").resize((1400, 1400), Image.BILINEAR)
    glow = glow.crop((700 - 160, 700 - 120, 700 - 160 + w, 700 - 120 + h))
    glow = glow.point(lambda v: max(0, 255 - v) * 18 // 255)
    light = Image.new("RGBA", (w, h), (0x3A, 0x42, 0x42, 0))
    light.putalpha(glow)
    img.alpha_composite(light)
    # horizontal hairlines every 4 px: survive the horizontal stretching in help mode
    lines = Image.new("RGBA", (w, h), CLEAR)
    ld = ImageDraw.Draw(lines)
    for y in range(0, h, 4):
        ld.line([(0, y), (w, y)], fill=(0, 0, 0, 14))
    img.alpha_composite(lines)
    # faint brand mark in the lower right corner
    c = Canvas(w, h)
    draw_mark(c, 690, 500, 170, ring_col=WHITE, liquid=WHITE, opacity=8)
    img.alpha_composite(c.result())
    return img.convert("RGB")


def make_splash():
    """Splash picture, 400 x 250: mark, name and product line."""
    w, h = 400, 250
    c = Canvas(w, h)
    c.img = gradient(c.img.size, (0x28, 0x2D, 0x2D, 255), (0x1A, 0x1D, 0x1D, 255))
    c.d = ImageDraw.Draw(c.img)
    c.rect(0, 0, w, h, outline=(0x3A, 0x40, 0x40, 255), width=1)
    draw_mark(c, 92, 112, 54)
    spaced_text(c, 164, 118, "VOLMAR", FONT_MEDIUM, 46, 3.0, WHITE)
    spaced_text(c, 166, 150, "Configurator", FONT_LIGHT, 25, 0.6, GREY)
    c.rect(166, 164, 226, 167, fill=GREEN)
    c.rect(228, 164, 240, 167, fill=ORANGE_RED)
    c.text((w / 2, 214), "KV210 · KV260 · KV510 · KV610 · AQ420", FONT_LIGHT, 12.5,
           rgba(GREY, 200))
    c.rect(0, h - 4, w * 0.72, h, fill=GREEN)
    c.rect(w * 0.72, h - 4, w, h, fill=ORANGE_RED)
    return c.result()


def make_app_icon(size):
    c = Canvas(size, size)
    c.rect(0, 0, size, size, fill=BG, r=size * 0.18)
    draw_mark(c, size / 2, size / 2, size * 0.40)
    return c.result()


# ------------------------------------------------------- text buttons ----

BUTTON_TEXTS = {
    "service": {"ru": "Сервис", "eng": "Service", "esp": "Servicio"},
    "help": {"ru": "Помощь", "eng": "Help", "port": "Ajuda", "esp": "Ayuda"},
    "calibration": {"ru": "Тарировка", "eng": "Calibration", "port": "Calibração",
                    "esp": "Calibración"},
    "full": {"ru": "Полный", "eng": "Full", "port": "Cheio", "esp": "Lleno"},
    "empty": {"ru": "Пустой", "eng": "Empty", "port": "Vazio", "esp": "Vacío"},
    "write": {"ru": "Записать", "eng": "Write", "port": "Gravar", "esp": "Escribir"},
}

# File names per language; Portuguese has no service picture of its own
# and its help button shows help_port.png, pressed help.png.
BUTTON_FILES = [
    ("servicebtn.png", "service", "ru", False),
    ("servicebtn_eng.png", "service", "eng", False),
    ("servicebtn_esp.png", "service", "esp", False),
    ("help.png", "help", "ru", False),
    ("help_eng.png", "help", "eng", False),
    ("help_eng_click.png", "help", "eng", True),
    ("help_port.png", "help", "port", False),
    ("helpbtn_esp.png", "help", "esp", False),
    ("helpbtn_esp_click.png", "help", "esp", True),
]
for _base, _kind in (("tarbtn", "calibration"), ("fullbtn", "full"),
                     ("emptybtn", "empty"), ("write_param", "write")):
    BUTTON_FILES.append((_base + ".png", _kind, "ru", False))
    for _lang in ("eng", "port", "esp"):
        BUTTON_FILES.append(("%s_%s.png" % (_base, _lang), _kind, _lang, False))
        BUTTON_FILES.append(("%s_%s_click.png" % (_base, _lang), _kind, _lang, True))

# The buttons are 110 x 36 and 150 x 40 with a 1 px frame from the style
# sheet; the picture fills the inside exactly, so Qt draws it unscaled.
BUTTON_SIZES = {"service": (108, 34), "help": (108, 34), "calibration": (148, 38),
                "full": (148, 38), "empty": (148, 38), "write": (148, 38)}


def icon_gear(md, x, y, s):
    cx, cy, R = x + s / 2, y + s / 2, s * 0.5
    pts = []
    teeth = 8
    n = teeth * 4
    for i in range(n):
        a = 2 * math.pi * (i + 0.5) / n
        r = R if i % 4 in (1, 2) else R * 0.74
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    md.poly(pts)
    md.ellipse(cx, cy, R * 0.30, v=0)


def icon_help(md, x, y, s):
    cx, cy = x + s / 2, y + s / 2
    md.ellipse(cx, cy, s * 0.5)
    md.ellipse(cx, cy, s * 0.5 - s * 0.11, v=0)
    md.text((cx, cy + s * 0.02), "?", FONT_MEDIUM, s * 0.70)


def icon_beaker(md, x, y, s):
    x0, x1 = x + s * 0.26, x + s * 0.74
    t = s * 0.10
    md.rect(x0, y + s * 0.02, x1, y + s, r=s * 0.08)
    md.rect(x0 + t, y + s * 0.02, x1 - t, y + s - t, v=0)
    md.rect(x0 - s * 0.08, y, x1 + s * 0.08, y + t)          # lip
    md.rect(x0 + t * 1.7, y + s * 0.52, x1 - t * 1.7, y + s - t * 1.7, r=s * 0.03)  # liquid
    for k in range(4):                                        # graduations
        ty = y + s * (0.22 + 0.17 * k)
        md.rect(x0 + t, ty, x0 + t + s * 0.16, ty + s * 0.06, v=0 if ty > y + s * 0.5 else 255)


def icon_tank(md, x, y, s, fill):
    x0, y0, x1, y1 = x + s * 0.12, y + s * 0.10, x + s * 0.88, y + s
    t = s * 0.10
    md.rect(x + s * 0.38, y, x + s * 0.62, y0 + t, r=s * 0.04)   # filler cap
    md.rect(x0, y0, x1, y1, r=s * 0.14)
    md.rect(x0 + t, y0 + t, x1 - t, y1 - t, r=s * 0.06, v=0)
    if fill > 0:
        inner_top = y0 + t * 1.7
        inner_bottom = y1 - t * 1.7
        top = inner_bottom - (inner_bottom - inner_top) * fill
        md.rect(x0 + t * 1.7, top, x1 - t * 1.7, inner_bottom, r=s * 0.03)


def icon_write(md, x, y, s):
    cx = x + s / 2
    md.rect(cx - s * 0.08, y, cx + s * 0.08, y + s * 0.48)
    md.poly([(cx - s * 0.30, y + s * 0.38), (cx + s * 0.30, y + s * 0.38), (cx, y + s * 0.72)])
    t = s * 0.11
    md.rect(x + s * 0.04, y + s * 0.60, x + s * 0.04 + t, y + s)
    md.rect(x + s * 0.96 - t, y + s * 0.60, x + s * 0.96, y + s)
    md.rect(x + s * 0.04, y + s - t, x + s * 0.96, y + s)


def draw_icon(c, kind, x, y, s, col):
    m, md = c.mask()
    if kind == "service":
        icon_gear(md, x, y, s)
    elif kind == "help":
        icon_help(md, x, y, s)
    elif kind == "calibration":
        icon_beaker(md, x, y, s)
    elif kind == "full":
        icon_tank(md, x, y, s, 0.85)
    elif kind == "empty":
        icon_tank(md, x, y, s, 0.0)
    elif kind == "write":
        icon_write(md, x, y, s)
    c.paste_mask(m, col)


def make_text_button(kind, lang, pressed):
    w, h = BUTTON_SIZES[kind]
    text = BUTTON_TEXTS[kind][lang]
    write = kind == "write"
    if write:
        bg = DARK_RED if pressed else ORANGE_RED
        icon_col, text_col = WHITE, WHITE
    else:
        bg = GREEN if pressed else None
        icon_col = WHITE if pressed else GREEN
        text_col = WHITE
    c = Canvas(w, h)
    if bg is not None:
        c.rect(0, 0, w, h, fill=bg, r=3)
    icon = round(h * 0.46)
    gap = 8
    px = 16 if h >= 38 else 15
    while True:
        f = font(FONT_MEDIUM, px)
        tw = f.getlength(text)
        if icon + gap + tw <= w - 18 or px <= 9:
            break
        px -= 1
    total = icon + gap + tw
    x0 = (w - total) / 2
    draw_icon(c, kind, x0, (h - icon) / 2, icon, icon_col)
    img = c.result()
    cap = -f.getbbox("H", anchor="ls")[1]
    baseline = round(h / 2 + cap / 2)
    img.alpha_composite(text_layer(img.size, (round(x0 + icon + gap), baseline), text, f,
                                   text_col, anchor="ls"))
    return img


# --------------------------------------------------------- small icons ----

def make_bird(col):
    """Check mark that flags a changed (yellow) or written (green) field."""
    c = Canvas(20, 20)
    c.line([(4.0, 10.5), (8.3, 14.8), (16.2, 5.2)], col, 3.0)
    return c.result()


def make_lock(closed):
    c = Canvas(24, 24)
    col = ORANGE_RED if closed else GREEN
    m, md = c.mask()
    # shackle
    if closed:
        md.rect(6.5, 2.5, 17.5, 16, r=5.5)
        md.rect(9, 5, 15, 16, r=3, v=0)
    else:
        md.rect(6.5, 0.5, 17.5, 12, r=5.5)
        md.rect(9, 3, 15, 12, r=3, v=0)
        md.rect(4, 7, 9, 12, v=0)           # left leg cut: the shackle is open
    md.rect(4, 10.5, 20, 23, r=2.5)          # body
    md.ellipse(12, 15.5, 1.9, v=0)           # keyhole
    md.rect(11.2, 16, 12.8, 19.5, v=0)
    c.paste_mask(m, col)
    return c.result()


def make_alarm():
    c = Canvas(28, 28, k=28 / 32)
    c.poly([(16, 3), (30, 28), (2, 28)], fill=RED)
    c.line([(16, 3), (30, 28), (2, 28), (16, 3)], RED, 2.5)
    c.rect(14.6, 10.5, 17.4, 20.5, fill=WHITE, r=1.3)
    c.ellipse(16, 24, 1.7, fill=WHITE)
    return c.result()


def make_signal():
    """Radio signal strength bars."""
    c = Canvas(26, 26)
    for i in range(4):
        x = 3 + i * 5.5
        top = 19 - 4.5 * i
        c.rect(x, top, x + 3.8, 22, fill=GREEN if i < 3 else rgba(GREY, 110), r=1)
    return c.result()


def make_battery():
    c = Canvas(26, 26)
    c.rect(2, 7.5, 21.5, 19.5, outline=GREY, width=1.6, r=2.2)
    c.rect(21.5, 10.5, 24.5, 16.5, fill=GREY, r=1)
    for i in range(3):
        x = 4.6 + i * 5.6
        c.rect(x, 10.1, x + 4.2, 16.9, fill=GREEN, r=0.8)
    return c.result()


def make_close():
    c = Canvas(20, 40)
    c.line([(5, 15), (15, 25)], GREY, 2.0)
    c.line([(15, 15), (5, 25)], GREY, 2.0)
    return c.result()


def make_arrow_back():
    c = Canvas(24, 24)
    c.line([(20, 12), (5, 12)], GREY, 2.4)
    c.line([(11, 5.5), (4.5, 12), (11, 18.5)], GREY, 2.4)
    return c.result()


def make_combo_arrow():
    c = Canvas(16, 16)
    c.line([(3.5, 6), (8, 10.5), (12.5, 6)], WHITE, 2.0)
    return c.result()


def make_down_triangle():
    c = Canvas(16, 16)
    c.poly([(2.5, 5), (13.5, 5), (8, 11.5)], fill=WHITE)
    return c.result()


def bluetooth_rune(c, cx, cy, s, col, width):
    u = s / 2
    pts = [(cx - 0.42 * u, cy - 0.36 * u), (cx + 0.42 * u, cy + 0.40 * u), (cx, cy + 0.80 * u),
           (cx, cy - 0.80 * u), (cx + 0.42 * u, cy - 0.40 * u), (cx - 0.42 * u, cy + 0.36 * u)]
    c.line(pts, col, width)


def make_bluetooth():
    c = Canvas(48, 48)
    c.ellipse(24, 24, 22, fill=GREEN)
    bluetooth_rune(c, 24, 24, 28, WHITE, 3.0)
    return c.result()


def make_fmeter():
    """Dial of a meter: coloured scale, needle, hub."""
    c = Canvas(48, 48)
    cx, cy, r = 24, 28, 19
    c.arc(cx, cy, r, 150, 200, RED, 3.5)
    c.arc(cx, cy, r, 204, 336, GREY, 3.5)
    c.arc(cx, cy, r, 340, 390, GREEN, 3.5)
    for k in range(7):
        a = math.radians(210 + 20 * k)
        c.line([(cx + (r - 6) * math.cos(a), cy + (r - 6) * math.sin(a)),
                (cx + (r - 3.5) * math.cos(a), cy + (r - 3.5) * math.sin(a))], GREY, 1.3)
    tip = polar((cx, cy), r - 3, 55)
    c.poly(beam((cx, cy), tip, 4.0, 0.8), fill=ORANGE_RED)
    c.ellipse(cx, cy, 3.6, fill=WHITE)
    c.rect(12, 38, 36, 41, fill=GREY, r=1.5)
    return c.result()


def make_temp():
    c = Canvas(48, 48)
    m, md = c.mask()
    md.rect(18, 4, 30, 36, r=6)
    md.ellipse(24, 36, 9)
    md.rect(20.5, 6.5, 27.5, 36, r=3.5, v=0)
    md.ellipse(24, 36, 6.5, v=0)
    c.paste_mask(m, GREY)
    c.rect(22, 16, 26, 36, fill=RED, r=2)
    c.ellipse(24, 36, 4.6, fill=RED)
    for k in range(4):
        y = 9 + 6 * k
        c.line([(33, y), (37 if k % 2 == 0 else 35.5, y)], GREY, 1.4)
    return c.result()


def make_panel(w, h, border, glow=None, alpha=235):
    c = Canvas(w, h)
    if glow is not None:
        for k in range(6, 0, -1):
            c.rect(6 - k, 6 - k, w - 6 + k, h - 6 + k, fill=rgba(glow, 10 + (6 - k) * 5),
                   r=8 + k)
    inset = 6 if glow is not None else 0
    c.rect(inset, inset, w - inset, h - inset, fill=rgba(PANEL, alpha),
           outline=border, width=1.2, r=8)
    return c.result()


def make_page_panel(w, h, sections=()):
    """Large translucent panel for the device pages."""
    c = Canvas(w, h, ss=2)
    c.rect(0, 0, w, h, fill=(0x26, 0x2B, 0x2B, 200), outline=(0xB9, 0xB9, 0xB9, 70),
           width=1, r=10)
    for x in sections:
        c.line([(x, 14), (x, h - 14)], (0xB9, 0xB9, 0xB9, 45), 1, round_caps=False)
    return c


# ----------------------------------------------------- device pictures ----

def draw_probe(c, cx, top, bottom, scale=1.0):
    """Wired fuel level sensor: head, flange and measuring tube."""
    s = scale
    # cable
    c.line([(cx + 16 * s, top + 4 * s), (cx + 30 * s, top - 6 * s), (cx + 58 * s, top - 8 * s)],
           TYRE, 5 * s)
    c.rect(cx + 10 * s, top - 2 * s, cx + 22 * s, top + 8 * s, fill=STEEL_DARK, r=2 * s)
    # head
    c.rect(cx - 32 * s, top + 6 * s, cx + 32 * s, top + 40 * s, fill=STEEL_LIGHT, r=8 * s)
    c.rect(cx - 32 * s, top + 28 * s, cx + 32 * s, top + 40 * s, fill=STEEL, r=6 * s)
    c.rect(cx - 32 * s, top + 28 * s, cx + 32 * s, top + 32 * s, fill=STEEL)
    c.rect(cx - 22 * s, top + 14 * s, cx + 6 * s, top + 18 * s, fill=GREEN, r=2 * s)
    c.ellipse(cx + 20 * s, top + 16 * s, 3 * s, fill=GREEN)
    # flange
    c.rect(cx - 40 * s, top + 40 * s, cx + 40 * s, top + 48 * s, fill=STEEL_DARK, r=2 * s)
    for dx in (-32, 32):
        c.ellipse(cx + dx * s, top + 44 * s, 2 * s, fill=STEEL_LIGHT)
    # tube with a highlight and a bottom cap
    c.rect(cx - 9 * s, top + 48 * s, cx + 9 * s, bottom - 4 * s, fill=STEEL)
    c.rect(cx - 6 * s, top + 48 * s, cx - 3 * s, bottom - 6 * s, fill=STEEL_LIGHT)
    c.rect(cx - 11 * s, bottom - 8 * s, cx + 11 * s, bottom, fill=STEEL_DARK, r=2 * s)


def make_device():
    c = Canvas(160, 160)
    draw_probe(c, 70, 16, 156, 1.0)
    return c.result()


def make_dut_new():
    """The wired sensor in a tank cut-away with fuel at about half."""
    w, h = 200, 300
    c = Canvas(w, h)
    x0, y0, x1, y1 = 18, 70, 182, 292
    level = 178
    fuel = c.layer()
    m, md = fuel.mask()
    md.rect(x0 + 2, y0 + 2, x1 - 2, y1 - 2, r=16)
    wave, wd = fuel.mask()
    pts = [(x0 + (x1 - x0) * i / 40, level + 3 * math.sin(i * 0.45)) for i in range(41)]
    wd.poly(pts + [(x1, y1), (x0, y1)])
    fuel.paste_mask(ImageChops.multiply(m, wave), rgba(GREEN, 120))
    c.over(fuel)
    c.rect(x0, y0, x1, y1, outline=GREY, width=2.5, r=18)
    # alarm level: dashed red line with a tick on the wall
    c.dashed((x0 + 6, 262), (x1 - 6, 262), rgba(ORANGE_RED, 220), 1.5, 6, 4)
    # scale on the right wall
    for k in range(9):
        y = y0 + 18 + k * 24
        c.line([(x1 - 14, y), (x1 - 6, y)], rgba(GREY, 160), 1.3)
    draw_probe(c, 100, 20, 286, 1.0)
    return c.result()


def make_ble_base():
    c = Canvas(160, 160)
    ax, ay = 112, 28
    for k, r in enumerate((12, 21, 30)):
        c.arc(ax, ay, r, -55, 55, rgba(GREEN, 255 - k * 60), 3.2)
        c.arc(ax, ay, r, 125, 235, rgba(GREEN, 255 - k * 60), 3.2)
    c.rect(107, 26, 117, 62, fill=STEEL_DARK, r=5)
    c.rect(22, 58, 138, 144, fill=STEEL_LIGHT, r=12)
    c.rect(22, 118, 138, 144, fill=STEEL, r=12)
    c.rect(22, 118, 138, 124, fill=STEEL)
    c.rect(32, 68, 96, 108, fill=PANEL, r=6)
    bluetooth_rune(c, 64, 88, 30, WHITE, 3.0)
    for k, col in enumerate((GREEN, YELLOW, ORANGE_RED)):
        c.ellipse(112, 74 + k * 13, 4, fill=col)
    return c.result()


def make_tag():
    c = Canvas(160, 160)
    # reader
    c.line([(58, 132), (58, 150), (80, 156)], TYRE, 6)
    c.rect(18, 40, 98, 134, fill=STEEL_LIGHT, r=18)
    c.rect(28, 50, 88, 110, fill=PANEL, r=12)
    for k, r in enumerate((8, 15, 22)):
        ring(c, 58, 80, r, 2.6, rgba(GREEN, 255 - k * 55))
    c.ellipse(58, 122, 4, fill=GREEN)
    # key fob tag
    fob = [(126, 30), (152, 42), (150, 90), (138, 102), (122, 98), (114, 52)]
    c.poly(fob, fill=YELLOW)
    c.ellipse(135, 46, 6, fill=CLEAR)
    ring(c, 135, 46, 6, 2.5, YELLOW_DARK)
    c.ellipse(134, 80, 9, fill=YELLOW_DARK)
    # link between them
    for k in range(3):
        c.arc(98, 78, 8 + 6 * k, -40, 40, rgba(GREY, 230 - 55 * k), 2.2)
    return c.result()


def draw_aq420_box(c, cx, cy, s, label=True):
    """Angle sensor housing centred at (cx, cy), s = scale (1 = 108 px wide)."""
    def R(x0, y0, x1, y1, **kw):
        c.rect(cx + x0 * s, cy + y0 * s, cx + x1 * s, cy + y1 * s, **kw)
    R(-68, -12, -48, 12, fill=STEEL_DARK, r=4 * s)
    R(48, -12, 68, 12, fill=STEEL_DARK, r=4 * s)
    c.ellipse(cx - 58 * s, cy, 4 * s, fill=CLEAR)
    c.ellipse(cx + 58 * s, cy, 4 * s, fill=CLEAR)
    R(-54, -40, 54, 40, fill=STEEL, r=9 * s)
    R(-54, -40, 54, 28, fill=STEEL_LIGHT, r=9 * s)
    R(-42, -28, 42, 16, fill=PANEL, r=5 * s)
    # angle symbol
    ox, oy = cx - 30 * s, cy + 8 * s
    c.line([(ox, oy), (ox + 34 * s, oy)], GREEN, 2.4 * s)
    c.line([(ox, oy), polar((ox, oy), 34 * s, 32)], GREEN, 2.4 * s)
    c.arc(ox, oy, 20 * s, -32, 0, GREEN, 2.0 * s)
    if label:
        c.text((cx + 22 * s, cy - 15 * s), "AQ420", FONT_MEDIUM, 10.5 * s, GREY)
    c.ellipse(cx + 38 * s, cy + 34 * s, 2.6 * s, fill=GREEN)


def make_aq420():
    c = Canvas(160, 160)
    c.line([(80, 118), (80, 138), (100, 156)], TYRE, 6)
    c.rect(72, 114, 88, 126, fill=STEEL_DARK, r=3)
    draw_aq420_box(c, 80, 76, 1.0)
    return c.result()


# ------------------------------------------------ angle sensor pictures ----

# The machines are drawn on a 200 x 150 grid and rendered at 1.2 times that,
# centred in the 250 x 180 picture label of the angle sensor page.
MW, MH = 200, 150
PIC_W, PIC_H, PIC_K = 250, 180, 1.2


def machine_canvas():
    return Canvas(PIC_W, PIC_H, k=PIC_K, ox=(PIC_W - MW * PIC_K) / 2, oy=(PIC_H - MH * PIC_K) / 2)


def wheel(c, cx, cy, r):
    c.ellipse(cx, cy, r, fill=TYRE)
    c.ellipse(cx, cy, r * 0.56, fill=STEEL)
    c.ellipse(cx, cy, r * 0.40, fill=STEEL_DARK)
    c.ellipse(cx, cy, r * 0.16, fill=STEEL_LIGHT)


def ground(c, gy, gaps=()):
    """Ground line with a few soil marks; gaps are (x0, x1) left open."""
    xs = [6]
    for a, b in sorted(gaps):
        xs += [a, b]
    xs.append(MW - 6)
    for i in range(0, len(xs), 2):
        if xs[i + 1] > xs[i]:
            c.line([(xs[i], gy), (xs[i + 1], gy)], STEEL_DARK, 1.6)
    for k in range(9):
        x = 14 + k * 21
        c.line([(x, gy + 5), (x + 6, gy + 5)], rgba(STEEL_DARK, 150), 1.2)


def angle_mark(c, pivot, start_deg, angle, r, side="left"):
    """Dashed horizontal reference and a green arc over the tipping angle."""
    px, py = pivot
    if side == "left":
        c.dashed((px, py), (px - r - 10, py), rgba(GREY, 170), 1.1, 4, 3)
        if angle > 0:
            c.arc(px, py, r, 180, 180 + angle, GREEN, 1.8)
    else:
        c.dashed((px, py), (px + r + 10, py), rgba(GREY, 170), 1.1, 4, 3)
        if angle > 0:
            c.arc(px, py, r, -angle, 0, GREEN, 1.8)


def ribbed(c, pts, pivot, deg, fill, rib, ribs):
    """Polygon rotated about pivot with vertical ribs (given in rest coordinates)."""
    c.poly(rot(pts, pivot, deg), fill=fill)
    for (x0, y0), (x1, y1) in ribs:
        c.line(rot([(x0, y0), (x1, y1)], pivot, deg), rib, 2.2)


def make_mining_truck(tip_deg):
    """Rigid dump truck, body tipped by tip_deg about its rear hinge."""
    c = machine_canvas()
    gy = 136
    pivot = (168, 98)
    ground(c, gy)
    angle_mark(c, pivot, 180, tip_deg, 46)
    # hoist cylinder under the body
    top = rot([(112, 98)], pivot, -tip_deg)[0]
    c.line([(104, 102), top], STEEL_LIGHT, 3.0)
    c.line([(104, 102), ((104 + top[0]) / 2 + 1, (102 + top[1]) / 2)], STEEL_DARK, 5.0)
    # chassis, cab, bonnet
    c.rect(26, 94, 176, 104, fill=STEEL_DARK, r=2)
    c.rect(16, 80, 36, 104, fill=STEEL, r=3)
    for k in range(4):
        c.line([(19, 85 + 4.5 * k), (30, 85 + 4.5 * k)], STEEL_DARK, 1.4)
    c.rect(32, 60, 70, 95, fill=STEEL, r=4)
    c.rect(37, 65, 64, 80, fill=GLASS, r=2)
    c.line([(41, 77), (50, 67)], GLASS_HI, 1.6)
    c.rect(30, 56, 72, 61, fill=STEEL_DARK, r=2)
    # body
    body = [(80, 60), (88, 60), (90, 66), (178, 68), (171, 98), (92, 98), (84, 88)]
    ribs = [((110, 69), (110, 97)), ((130, 69), (130, 97)), ((150, 70), (150, 97))]
    ribbed(c, body, pivot, -tip_deg, YELLOW, YELLOW_DARK, ribs)
    c.ellipse(pivot[0], pivot[1], 3.2, fill=STEEL_DARK)
    wheel(c, 48, gy - 18, 18)
    wheel(c, 146, gy - 18, 18)
    return c.result()


def make_cabover_truck(tip_deg):
    """Three-axle cab-over dump truck, body tipped by tip_deg."""
    c = machine_canvas()
    gy = 136
    pivot = (176, 100)
    ground(c, gy)
    angle_mark(c, pivot, 180, tip_deg, 50)
    top = rot([(104, 100)], pivot, -tip_deg)[0]
    c.line([(92, 104), top], STEEL_LIGHT, 3.0)
    c.line([(92, 104), ((92 + top[0]) / 2 + 1, (104 + top[1]) / 2)], STEEL_DARK, 5.0)
    c.rect(20, 98, 180, 108, fill=STEEL_DARK, r=2)
    # cab
    c.poly([(18, 64), (50, 60), (54, 100), (16, 100)], fill=ORANGE_RED)
    c.poly([(21, 68), (40, 66), (40, 82), (20, 83)], fill=GLASS)
    c.line([(25, 80), (34, 69)], GLASS_HI, 1.6)
    c.rect(14, 94, 26, 104, fill=STEEL_DARK, r=2)
    c.rect(16, 90, 22, 94, fill=YELLOW, r=1)
    # body
    body = [(62, 70), (178, 70), (178, 100), (66, 100), (62, 94)]
    ribs = [((86, 72), (86, 99)), ((110, 72), (110, 99)), ((134, 72), (134, 99)),
            ((158, 72), (158, 99))]
    ribbed(c, body, pivot, -tip_deg, YELLOW, YELLOW_DARK, ribs)
    c.ellipse(pivot[0], pivot[1], 3.0, fill=STEEL_DARK)
    for x in (36, 128, 160):
        wheel(c, x, gy - 14, 14)
    return c.result()


def make_dozer(blade_deg):
    """Bulldozer; the blade frame turns about its pivot on the track frame."""
    c = machine_canvas()
    gy = 136
    pivot = (110, 120)
    blade = [(22, 134), (36, 134), (40, 126), (40, 98), (36, 92), (24, 92), (28, 98), (28, 128)]
    edge = [(22, 131), (36, 131), (36, 136), (22, 136)]
    bp = rot(blade, pivot, -blade_deg)
    lowest = max(p[1] for p in bp)
    gaps = [(min(p[0] for p in bp) - 2, 44)] if lowest > gy + 0.5 else []
    ground(c, gy, gaps)
    if lowest > gy + 0.5:
        c.poly([(8, gy), (14, gy - 9), (20, gy - 12), (24, gy)], fill=(0x6B, 0x5A, 0x45, 255))
    # track
    c.rect(66, 112, 182, 136, fill=TYRE, r=12)
    for x in (78, 170):
        c.ellipse(x, 124, 9, fill=STEEL)
        c.ellipse(x, 124, 3, fill=STEEL_DARK)
    for x in (96, 112, 128, 144):
        c.ellipse(x, 128, 5, fill=STEEL_DARK)
    # body and cab
    c.poly([(70, 86), (128, 84), (130, 112), (68, 112)], fill=YELLOW)
    for k in range(3):
        c.line([(73, 92 + 6 * k), (80, 92 + 6 * k)], YELLOW_DARK, 1.6)
    c.rect(94, 68, 99, 86, fill=STEEL_DARK, r=1.5)
    c.rect(126, 54, 170, 112, fill=YELLOW, r=3)
    c.rect(132, 60, 164, 86, fill=GLASS, r=2)
    c.line([(137, 82), (148, 64)], GLASS_HI, 1.6)
    c.rect(122, 49, 174, 55, fill=STEEL_DARK, r=2)
    # push arm, lift cylinder and blade
    arm = rot([(38, 122), pivot], pivot, -blade_deg)
    c.poly(beam(arm[0], arm[1], 7, 9), fill=STEEL)
    c.line([(84, 90), rot([(40, 104)], pivot, -blade_deg)[0]], STEEL_LIGHT, 3.0)
    c.line([(84, 90), (70, 96)], STEEL_DARK, 5.0)
    c.poly(bp, fill=YELLOW)
    c.poly(rot(edge, pivot, -blade_deg), fill=STEEL_DARK)
    c.ellipse(pivot[0], pivot[1], 3.0, fill=STEEL_DARK)
    return c.result()


def make_excavator(boom_deg, stick_deg, bucket_deg):
    """Crawler excavator facing right; angles in degrees above the horizontal."""
    c = machine_canvas()
    gy = 138
    base = (78, 88)
    knee = polar(base, 40, boom_deg)
    joint = polar(knee, 40, boom_deg - 42)
    tip = polar(joint, 40, stick_deg)
    bucket_local = [(0, -3), (6, 5), (4, 18), (-2, 26), (-8, 22), (-8, 8), (-4, 0)]
    a = math.radians(bucket_deg)
    bucket = [(tip[0] + x * math.cos(a) + y * math.sin(a), tip[1] - x * math.sin(a) + y * math.cos(a))
              for x, y in bucket_local]
    low = max(p[1] for p in bucket)
    ground(c, gy, [(min(p[0] for p in bucket) - 4, max(p[0] for p in bucket) + 4)]
           if low > gy else [])
    # tracks and upper structure
    c.rect(12, 114, 104, 138, fill=TYRE, r=12)
    for x in (24, 92):
        c.ellipse(x, 126, 9, fill=STEEL)
        c.ellipse(x, 126, 3, fill=STEEL_DARK)
    for x in (42, 58, 74):
        c.ellipse(x, 130, 5, fill=STEEL_DARK)
    c.rect(30, 106, 86, 114, fill=STEEL_DARK)
    c.poly([(14, 80), (84, 80), (92, 106), (14, 106)], fill=YELLOW)
    c.rect(6, 84, 24, 106, fill=STEEL_DARK, r=3)
    c.rect(50, 50, 80, 82, fill=YELLOW, r=3)
    c.rect(56, 56, 76, 76, fill=GLASS, r=2)
    c.line([(60, 72), (70, 60)], GLASS_HI, 1.6)
    c.rect(30, 70, 34, 80, fill=STEEL_DARK, r=1)
    # boom cylinder, boom, stick cylinder, stick, bucket
    c.line([(70, 100), polar(base, 22, boom_deg - 4 if boom_deg > 10 else boom_deg + 8)],
           STEEL_LIGHT, 3.4)
    c.poly(beam(base, knee, 10, 11), fill=YELLOW)
    c.poly(beam(knee, joint, 11, 8), fill=YELLOW)
    c.ellipse(knee[0], knee[1], 5.5, fill=YELLOW)
    c.line([polar(knee, 6, boom_deg + 40), polar(joint, 10, stick_deg + 180)], STEEL_LIGHT, 2.6)
    c.poly(beam(joint, tip, 8, 6), fill=YELLOW_DARK)
    c.poly(bucket, fill=STEEL)
    c.line([bucket[2], bucket[3]], STEEL_DARK, 2.4)
    for p in (base, knee, joint, tip):
        c.ellipse(p[0], p[1], 2.4, fill=STEEL_DARK)
    return c.result()


def make_proff():
    """Generic mode: a member tilting on a 0..180 degree scale."""
    c = machine_canvas()
    cx, cy, r = 100, 134, 76
    c.arc(cx, cy, r, 180, 360, rgba(GREY, 200), 1.6)
    for k in range(0, 19):
        a = math.radians(180 + 10 * k)
        inner = r - (9 if k % 3 == 0 else 5)
        c.line([(cx + inner * math.cos(a), cy + inner * math.sin(a)),
                (cx + r * math.cos(a), cy + r * math.sin(a))], GREY, 1.4 if k % 3 == 0 else 1.0)
    for val in (0, 45, 90, 135, 180):
        a = math.radians(180 + val)
        lift = 8 if val in (0, 180) else 3
        c.text((cx + (r + 12) * math.cos(a), cy + (r + 10) * math.sin(a) - lift), str(val),
               FONT_LIGHT, 10, GREY)
    ang = 35
    c.line([(cx - r - 4, cy), (cx + r + 4, cy)], STEEL_DARK, 1.6)
    c.arc(cx, cy, 30, 180, 180 + ang, GREEN, 2.0)
    u = polar((0, 0), 1, 180 - ang)
    n = polar((0, 0), 1, 90 - ang)
    end = (cx + u[0] * (r - 12), cy + u[1] * (r - 12))
    c.poly(beam((cx, cy), end, 9, 7), fill=YELLOW)
    mid = (cx + u[0] * 44 + n[0] * 13.5, cy + u[1] * 44 + n[1] * 13.5)
    box = [(mid[0] + su * 15 * u[0] + sn * 9 * n[0], mid[1] + su * 15 * u[1] + sn * 9 * n[1])
           for su, sn in ((-1, -1), (1, -1), (1, 1), (-1, 1))]
    c.poly(box, fill=STEEL_LIGHT)
    led = (mid[0] + 8 * u[0] + 2 * n[0], mid[1] + 8 * u[1] + 2 * n[1])
    c.ellipse(led[0], led[1], 2.2, fill=GREEN)
    c.ellipse(cx, cy, 4, fill=STEEL_DARK)
    return c.result()


def make_master_slave_frames():
    """Frames of the master/slave animation, 120 x 40 on the window colour."""
    frames = []
    slots = [47, 54, 61, 68, 75]
    for f in range(8):
        c = Canvas(120, 40, bg=BG)
        c.rect(4, 6, 38, 34, fill=GREEN, r=5)
        c.text((21, 20.5), "M", FONT_MEDIUM, 17, WHITE)
        lit = f < 5
        s_fill = rgba(GREEN, 255) if f in (5, 6) else None
        c.rect(82, 6, 116, 34, fill=s_fill, outline=GREEN if s_fill else GREY, width=1.5, r=5)
        c.text((99, 20.5), "S", FONT_MEDIUM, 17, WHITE if s_fill else GREY)
        for i, x in enumerate(slots):
            if lit and i == f:
                col = GREEN
            elif lit and i == f - 1:
                col = rgba(GREEN, 150)
            else:
                col = rgba(GREY, 70)
            c.ellipse(x, 20, 2.6, fill=col)
        frames.append(c.result().convert("RGB"))
    return frames


def save_gif(frames, name, written, duration=140):
    strip = Image.new("RGB", (frames[0].width, frames[0].height * len(frames)))
    for i, fr in enumerate(frames):
        strip.paste(fr, (0, i * fr.height))
    pal = strip.quantize(colors=64, method=Image.MEDIANCUT, dither=Image.NONE)
    pframes = [fr.quantize(palette=pal, dither=Image.NONE) for fr in frames]
    pframes[0].save(IMAGES / name, format="GIF", save_all=True, append_images=pframes[1:],
                    duration=duration, loop=0, optimize=False, disposal=1)
    written.append(name)


# ---------------------------------------------------------------- main ----

# Tipping angles (degrees) drawn for the pictures of the angle sensor page.
SAMOS = {"samos0.png": 0, "samos20.png": 11, "samos40.png": 22, "samos60.png": 33,
         "samos80.png": 44}
KAMAZ = {"kamazDown.png": 0, "kamazMid.png": 17, "kamazUp.png": 34}
OTVAL = {"otvalUp.png": 12, "otvalMid.png": 0, "otvalDown.png": -4}
EX = {"exUp.png": (55, -40, -60), "exMid.png": (30, -70, -100), "exDown.png": (5, -90, -150)}


def write_qrc(names):
    fonts = sorted(p.name for p in (RES / "font").iterdir()
                   if p.suffix.lower() in (".ttf", ".otf"))
    lines = ['<!DOCTYPE RCC>', '<RCC version="1.0">', '    <qresource prefix="/">']
    lines += ['        <file>images/%s</file>' % n for n in sorted(names)]
    lines += ['        <file>font/%s</file>' % n for n in fonts]
    lines += ['    </qresource>', '</RCC>', '']
    (RES / "resources.qrc").write_text("\n".join(lines), encoding="utf-8")


def main():
    IMAGES.mkdir(parents=True, exist_ok=True)
    out = []

    save_png(make_fon(), "fon.png", out)
    splash = make_splash()
    write_ico([splash] + [splash.resize(s, Image.LANCZOS) for s in ((256, 160), (128, 80))],
              IMAGES / "volmar_logo.ico")
    out.append("volmar_logo.ico")
    icon = make_app_icon(256)
    save_png(icon, "app_icon.png", out)
    write_ico([icon] + [make_app_icon(s) for s in (128, 64, 48, 32, 24, 16)],
              IMAGES / "app_icon.ico")
    out.append("app_icon.ico")

    for name, kind, lang, pressed in BUTTON_FILES:
        save_png(make_text_button(kind, lang, pressed), name, out)

    save_png(make_bird(YELLOW), "bird.png", out)
    save_png(make_bird(GREEN), "bird_green.png", out)
    save_png(make_lock(True), "lock.png", out)
    save_png(make_lock(False), "unlock.png", out)
    save_png(make_alarm(), "alarm.png", out)
    save_png(make_close(), "close.png", out)
    save_png(make_arrow_back(), "arrow.png", out)
    save_png(make_combo_arrow(), "arrow_combo.png", out)
    save_png(make_down_triangle(), "white-down-arrow-png-2.png", out)
    save_png(make_bluetooth(), "bluetooth.png", out)
    save_png(make_signal(), "signal.png", out)
    save_png(make_battery(), "battery.png", out)
    save_png(make_fmeter(), "fmeter.png", out)
    save_png(make_temp(), "temp.png", out)

    save_png(make_device(), "device.png", out)
    save_png(make_dut_new(), "dut_new.png", out)
    save_png(make_ble_base(), "ble_base.png", out)
    save_png(make_tag(), "tag.png", out)
    save_png(make_aq420(), "aq420.png", out)

    save_png(make_panel(160, 110, rgba(GREY, 200)), "dev_fon_small.png", out)
    save_png(make_panel(160, 110, RED, glow=RED), "dev_fon_red_small.png", out)
    save_png(make_page_panel(760, 420).result(), "device_fon.png", out)
    ble = make_page_panel(760, 400, sections=(380,))
    bluetooth_rune(ble, 722, 40, 40, rgba(GREY, 40), 3.0)
    save_png(ble.result(), "dev_ble_new_fon.png", out)

    for name, deg in SAMOS.items():
        save_png(make_mining_truck(deg), name, out)
    for name, deg in KAMAZ.items():
        save_png(make_cabover_truck(deg), name, out)
    for name, deg in OTVAL.items():
        save_png(make_dozer(deg), name, out)
    for name, pose in EX.items():
        save_png(make_excavator(*pose), name, out)
    save_png(make_proff(), "proff.png", out)
    save_gif(make_master_slave_frames(), "m-s.gif", out)

    stray = sorted(p.name for p in IMAGES.iterdir() if p.name not in out)
    if stray:
        print("not made by this script (left alone, not in resources.qrc):", ", ".join(stray),
              file=sys.stderr)
    write_qrc(out)
    total = sum((IMAGES / n).stat().st_size for n in out)
    print("%d pictures, %d bytes, written to %s" % (len(out), total, IMAGES))


if __name__ == "__main__":
    main()
