#!/usr/bin/python3
"""Draws the skin pictures and the program icon of Lumivale.

Run with Debian's /usr/bin/python3 and python3-pil. Writes 32-bpp BMP files with straight alpha
and the icon group to resources/skin/. The outputs are committed, so the build itself needs no
Python; run this again after changing a picture. The dialog's sizes come from the program's layout
table (dialog/dialog_layout.h).

Every picture is drawn at 100, 125, 150, 175 and 200 % (96, 120, 144, 168 and 192 DPI): drawn
again at the larger size, not enlarged. Whole-pixel lengths given at 96 DPI become
MulDiv(v, dpi, 96), each position and each size on its own, as the windows scale theirs; fractional
ones (radii, stroke widths, mark positions) scale by dpi / 96. A sheet of cells is its count times
the scaled cell, so the program finds each cell at any scale. At 96 DPI the pictures are exactly
those of before. Files of the other scales carry the percentage: skin_close_150.bmp.

One look for everything: white panels, soft grey gradients, a muted rose accent taken from the
settings dialog's heading colour (140, 50, 50) and its path box (229, 203, 203 / 241, 228, 228).
"""
import io
import math
import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter

HERE = os.path.dirname(os.path.abspath(__file__))
SKIN_DIR = os.path.join(HERE, "skin")
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "scripts"))
import dialog_layout  # noqa: E402  (the dialog's places, from the program's own table)

LAYOUT = dialog_layout.places()

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
ACCENT = (140, 50, 50)          # headings and rules of the settings dialog
ACCENT_DARK = (110, 35, 35)
ROSE_LINE = (229, 203, 203)     # idle frame of the path box
ROSE_FILL = (241, 228, 228)     # ground of the path box
ROSE_HOVER = (191, 130, 130)    # frame of the path box under the pointer
GLYPH = (80, 80, 80)
MARGIN = (228, 228, 228)        # window margin outside the framed panel
PANEL_LINE = (0x99, 0x99, 0x99)
PANEL_LINE_BOTTOM = (0x94, 0x94, 0x94)
SS = 8                          # supersampling factor of anti-aliased shapes
DPIS = (96, 120, 144, 168, 192)  # the artwork's steps: 100 to 200 %
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)  # what Windows asks for at those steps


class Scale:
    """Lengths at one DPI: n() for whole pixels, f() for fractional lengths."""

    def __init__(self, dpi):
        self.dpi = dpi
        self.k = dpi / 96
        self.percent = dpi * 100 // 96

    def n(self, v):
        """MulDiv(v, dpi, 96): rounded to the nearest, halves away from zero."""
        q, r = divmod(abs(v) * self.dpi, 96)
        q += 2 * r >= 96
        return q if v >= 0 else -q

    def f(self, v):
        return v * self.k

    def rows(self, stops):
        """Gradient stops [(row, colour), ...] with the rows scaled."""
        return [(self.n(y), c) for y, c in stops]


# ---------------------------------------------------------------------------------------------
# Drawing helpers


def lerp(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def ramp(y, stops):
    """Colour at row y of a piecewise-linear gradient given as [(row, colour), ...]."""
    if y <= stops[0][0]:
        return stops[0][1]
    for (y0, c0), (y1, c1) in zip(stops, stops[1:]):
        if y <= y1:
            return lerp(c0, c1, (y - y0) / (y1 - y0))
    return stops[-1][1]


def vgrad(w, h, stops):
    img = Image.new("RGBA", (w, h))
    d = ImageDraw.Draw(img)
    for y in range(h):
        d.line([(0, y), (w - 1, y)], fill=ramp(y, stops) + (255,))
    return img


def aa_mask(w, h, paint):
    """Coverage mask (mode L) of shapes painted at SS times the size; coordinates in pixels."""
    big = Image.new("L", (w * SS, h * SS), 0)
    paint(Shapes(ImageDraw.Draw(big)))
    return big.resize((w, h), Image.Resampling.BOX)


def fill(base, colour, mask, offset=(0, 0)):
    """Paints a solid colour, or an RGBA image, through a coverage mask onto base, in place."""
    top = Image.new("RGBA", mask.size, colour + (255,)) if isinstance(colour, tuple) else colour.copy()
    top.putalpha(ImageChops.multiply(top.getchannel("A"), mask))
    base.alpha_composite(top, offset)


class Shapes:
    """Anti-aliasing shapes in pixel coordinates (pixel centres at +0.5) on a supersampled draw."""

    def __init__(self, draw):
        self.d = draw

    @staticmethod
    def _s(v):
        return v * SS

    def ellipse(self, cx, cy, rx, ry=None, value=255):
        ry = rx if ry is None else ry
        self.d.ellipse([self._s(cx - rx), self._s(cy - ry), self._s(cx + rx) - 1, self._s(cy + ry) - 1],
                       fill=value)

    def rect(self, x0, y0, x1, y1, radius=0.0, value=255):
        """Rectangle covering x0..x1, y0..y1 (edges, not pixel centres)."""
        box = [self._s(x0), self._s(y0), self._s(x1) - 1, self._s(y1) - 1]
        if radius > 0:
            self.d.rounded_rectangle(box, radius=self._s(radius), fill=value)
        else:
            self.d.rectangle(box, fill=value)

    def polygon(self, pts, value=255):
        self.d.polygon([(self._s(x), self._s(y)) for x, y in pts], fill=value)

    def stroke(self, pts, width, value=255):
        """A polyline with round caps and joins."""
        r = width / 2
        for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
            dx, dy = x1 - x0, y1 - y0
            length = (dx * dx + dy * dy) ** 0.5 or 1.0
            nx, ny = -dy / length * r, dx / length * r
            self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], value)
        for x, y in pts:
            self.ellipse(x, y, r, value=value)


def shape(w, h, paint, colour, base=None):
    """A w x h RGBA layer (or base, painted in place) with paint's shapes in colour."""
    out = base if base is not None else Image.new("RGBA", (w, h), (0, 0, 0, 0))
    fill(out, colour, aa_mask(w, h, paint))
    return out


def stack(frames):
    """Stacks equal frames top to bottom into one strip."""
    w, h = frames[0].size
    strip = Image.new("RGBA", (w, h * len(frames)))
    for i, f in enumerate(frames):
        strip.paste(f, (0, i * h))
    return strip


# ---------------------------------------------------------------------------------------------
# Window frames: the message box's look, also used by the settings dialog

TITLE_BAND = [(1, WHITE), (9, (0xCD, 0xCD, 0xCD)), (15, MARGIN)]
PANEL_TOP = [(17, (243, 236, 236)), (32, WHITE)]


def window_frame(sc, w, h, button_band):
    """Outline, title band, margin and framed white panel of a borderless window, w x h at 96 DPI.

    Between rows 33 and h - 37 every row is the same, and between columns 10 and w - 11 every
    column is the same, so that the message box can be cut into corners and stretched strips
    (at 96 DPI; the other scales keep the same with their lengths scaled).
    """
    n, f = sc.n, sc.f
    w, h = n(w), n(h)
    content = Image.new("RGBA", (w, h), MARGIN + (255,))
    content.alpha_composite(vgrad(w, n(16), [(0, WHITE)] + sc.rows(TITLE_BAND)), (0, 0))

    stops = [(0, WHITE)] + sc.rows(PANEL_TOP) + [(h, WHITE)]
    if button_band:
        # Behind the buttons: the 31 rows above the bottom line, darkest at h - 22.
        stops = [(0, WHITE)] + sc.rows(PANEL_TOP) + [(h - n(37), WHITE), (h - n(36), (0xFE,) * 3),
                                                     (h - n(22), (0xCC,) * 3), (h - n(6), (0xFE,) * 3),
                                                     (h, WHITE)]
    panel = vgrad(w, h, stops)
    fill(content, panel, aa_mask(w, h, lambda s: s.rect(n(5), n(17), w - n(5), h - n(5), radius=f(2.5))))

    line = aa_mask(w, h, lambda s: (s.rect(n(4), n(16), w - n(4), h - n(4), radius=f(3.5)),
                                     s.rect(n(5), n(17), w - n(5), h - n(5), radius=f(2.5), value=0)))
    bottom_line = Image.new("L", (w, h), 0)
    bottom_line.paste(line.crop((0, h - n(5), w, h - n(4))), (0, h - n(5)))
    fill(content, PANEL_LINE, line)
    fill(content, PANEL_LINE_BOTTOM, bottom_line)

    # The window is clipped to a rounded rectangle (9 x 9 corner ellipse); the outline follows it
    # and everything outside it is outline colour too, so a pixel more or less of region is fine.
    out = Image.new("RGBA", (w, h), BLACK + (255,))
    fill(out, content, aa_mask(w, h, lambda s: s.rect(n(1), n(1), w - n(1), h - n(1), radius=f(3.5))))
    return out


def message_box_pieces(sc):
    n = sc.n
    frame = window_frame(sc, 200, 100, button_band=True)
    w, h = frame.size
    side, top, bottom, one = n(10), n(32), n(36), n(1)
    return frame, {
        "SKIN_MSG_TL": frame.crop((0, 0, side, top)),
        "SKIN_MSG_TOP": frame.crop((side, 0, side + one, n(33))),
        "SKIN_MSG_TR": frame.crop((w - side, 0, w, top)),
        "SKIN_MSG_LEFT": frame.crop((0, top, side, top + one)),
        "SKIN_MSG_RIGHT": frame.crop((w - side, top, w, top + one)),
        "SKIN_MSG_BL": frame.crop((0, h - bottom, side, h)),
        "SKIN_MSG_BOTTOM": frame.crop((side, h - bottom, side + one, h)),
        "SKIN_MSG_BR": frame.crop((w - side, h - bottom, w, h)),
    }


def button_shadow(sc):
    # Light grey in the outer columns from the fifth row down and in the two bottom rows.
    n = sc.n
    w, h = n(42), n(21)
    img = Image.new("RGBA", (w, h), WHITE + (255,))
    d = ImageDraw.Draw(img)
    grey = (0xC4, 0xC4, 0xC4, 255)
    d.rectangle([0, n(4), n(1) - 1, h - 1], fill=grey)
    d.rectangle([w - n(1), n(4), w - 1, h - 1], fill=grey)
    d.rectangle([0, h - n(2), w - 1, h - 1], fill=grey)
    return img


# ---------------------------------------------------------------------------------------------
# Push buttons: three frames (normal, hover, pressed) on a white ground

BUTTON_STATES = [
    # border, fill top, fill bottom, glyph colour, glyph offset
    ((168, 168, 168), (255, 255, 255), (232, 232, 232), GLYPH, 0),
    (ROSE_HOVER, (255, 250, 250), (238, 222, 222), ACCENT, 0),
    (ACCENT, ROSE_LINE, (240, 226, 226), ACCENT_DARK, 1),
]


def push_button(sc, w, h, glyph):
    """Three frames of a w x h (at 96 DPI) button, stacked."""
    n, f = sc.n, sc.f
    w, h = n(w), n(h)
    frames = []
    for border, top, bottom, colour, dy in BUTTON_STATES:
        frame = Image.new("RGBA", (w, h), WHITE + (255,))
        shape(w, h, lambda s: s.rect(0, 0, w, h, radius=n(3)), border, frame)
        fill(frame, vgrad(w, h, [(n(1), top), (h - n(2), bottom)]),
             aa_mask(w, h, lambda s: s.rect(n(1), n(1), w - n(1), h - n(1), radius=n(2))))
        glyph(sc, frame, colour, n(dy))
        frames.append(frame)
    return stack(frames)


def check_glyph(sc, frame, colour, dy):
    f = sc.f
    w, h = frame.size
    cx, cy = w / 2, h / 2 + dy
    shape(w, h, lambda s: s.stroke([(cx - f(5), cy), (cx - f(1.5), cy + f(3.3)), (cx + f(5), cy - f(3.6))],
                                   f(2.0)), colour, frame)


def cross_glyph(sc, frame, colour, dy):
    f = sc.f
    w, h = frame.size
    cx, cy = w / 2, h / 2 + dy
    r = f(3.6)
    shape(w, h, lambda s: (s.stroke([(cx - r, cy - r), (cx + r, cy + r)], f(1.9)),
                           s.stroke([(cx - r, cy + r), (cx + r, cy - r)], f(1.9))), colour, frame)


def folder_glyph(sc, frame, colour, dy):
    n, f = sc.n, sc.f
    w, h = frame.size
    x0, y0 = n(4), n(5) + dy
    outline = aa_mask(w, h, lambda s: (s.rect(x0, y0, x0 + n(5), y0 + n(3), radius=n(1)),
                                       s.rect(x0, y0 + n(2), x0 + n(12), y0 + n(2) + n(8), radius=f(1.2))))
    inner = aa_mask(w, h, lambda s: s.rect(x0 + n(1), y0 + n(4), x0 + n(1) + n(10), y0 + n(4) + n(5),
                                           radius=f(0.6)))
    fill(frame, colour, outline)
    fill(frame, lerp(colour, WHITE, 0.78), inner)


def close_button(sc, background):
    """The close tab hanging from the top edge, over the title band it covers (33 x 14)."""
    n, f = sc.n, sc.f
    w, h = background.size
    states = [
        ((138, 138, 138), (250, 250, 250), (214, 214, 214), GLYPH, 0),
        (ACCENT_DARK, (214, 118, 118), (160, 64, 64), WHITE, 0),
        ((90, 28, 28), (150, 56, 56), (122, 40, 40), WHITE, 1),
    ]
    frames = []
    for border, top, bottom, colour, dy in states:
        frame = background.copy()
        shape(w, h, lambda s: s.rect(0, -n(4), w, h, radius=f(3.5)), border, frame)
        fill(frame, vgrad(w, h, [(n(1), top), (h - n(2), bottom)]),
             aa_mask(w, h, lambda s: s.rect(n(1), -n(4), w - n(1), h - n(1), radius=f(2.5))))
        ImageDraw.Draw(frame).rectangle([0, 0, w - 1, n(1) - 1], fill=BLACK + (255,))  # the window's outline
        cx, cy, r = w / 2, n(7) + n(dy), f(3.1)
        shape(w, h, lambda s: (s.stroke([(cx - r, cy - r), (cx + r, cy + r)], f(1.7)),
                               s.stroke([(cx - r, cy + r), (cx + r, cy - r)], f(1.7))), colour, frame)
        frames.append(frame)
    return stack(frames)


# ---------------------------------------------------------------------------------------------
# Check box and option box glyphs: 13 x 13 cells with transparent surroundings

BOX_STATES = [
    # border, fill top, fill bottom, mark colour
    ((142, 142, 142), (255, 255, 255), (234, 234, 234), ACCENT),
    (ROSE_HOVER, (255, 250, 250), ROSE_FILL, ACCENT),
    (ACCENT, ROSE_LINE, (240, 224, 224), ACCENT_DARK),
]
BOX_DISABLED = ((196, 196, 196), (246, 246, 246), (240, 240, 240), (176, 176, 176))


def check_cell(sc, state, value):
    n, f = sc.n, sc.f
    border, top, bottom, mark = state
    c, b = n(13), n(1)  # cell and frame line
    cell = Image.new("RGBA", (c, c), (0, 0, 0, 0))
    d = ImageDraw.Draw(cell)
    d.rectangle([0, 0, c - 1, c - 1], fill=border + (255,))
    cell.paste(vgrad(c - 2 * b, c - 2 * b, [(0, top), (c - 2 * b - 1, bottom)]), (b, b))
    for x, y in ((0, 0), (c - b, 0), (0, c - b), (c - b, c - b)):  # a crisp rounded corner
        d.rectangle([x, y, x + b - 1, y + b - 1], fill=(0, 0, 0, 0))
    if value == 1:
        o = (c - f(13)) / 2  # the mark stays centred where the cell rounds to whole pixels
        shape(c, c, lambda s: s.stroke([(o + f(3.4), o + f(6.6)), (o + f(5.6), o + f(8.9)), (o + f(9.7), o + f(4.1))],
                                       f(1.9)), mark, cell)
    elif value == 2:
        d.rectangle([n(4), n(4), n(4) + n(5) - 1, n(4) + n(5) - 1], fill=mark + (255,))
    return cell


def option_cell(sc, state, value):
    n, f = sc.n, sc.f
    border, top, bottom, mark = state
    c = n(13)
    r = c / 2
    cell = shape(c, c, lambda s: s.ellipse(r, r, r), border)
    fill(cell, vgrad(c, c, [(n(1), top), (c - n(2), bottom)]), aa_mask(c, c, lambda s: s.ellipse(r, r, r - n(1))))
    if value:
        shape(c, c, lambda s: s.ellipse(r, r, f(2.6)), mark, cell)
    return cell


def checkbox_skin(sc):
    c = sc.n(13)
    img = Image.new("RGBA", (4 * c, 3 * c), (0, 0, 0, 0))
    for row, state in enumerate(BOX_STATES):
        for value in range(3):
            img.paste(check_cell(sc, state, value), (c * value, c * row))
    for value in range(3):
        img.paste(check_cell(sc, BOX_DISABLED, value), (3 * c, c * value))
    return img


def optionbox_skin(sc):
    c = sc.n(13)
    img = Image.new("RGBA", (3 * c, 3 * c), (0, 0, 0, 0))
    for row, state in enumerate(BOX_STATES):
        for value in range(2):
            img.paste(option_cell(sc, state, value), (c * value, c * row))
    for value in range(2):
        img.paste(option_cell(sc, BOX_DISABLED, value), (2 * c, c * value))
    return img


# ---------------------------------------------------------------------------------------------
# Message icons, 32 x 32


def round_sign(sc, top, bottom, rim, mark):
    n, f = sc.n, sc.f
    z = n(32)
    icon = shape(z, z, lambda s: s.ellipse(f(16), f(16), f(15)), rim)
    fill(icon, vgrad(z, z, [(n(2), top), (n(30), bottom)]), aa_mask(z, z, lambda s: s.ellipse(f(16), f(16), f(14))))
    gloss = aa_mask(z, z, lambda s: s.ellipse(f(16), f(10.5), f(10.5), f(7.5)))
    fill(icon, Image.new("RGBA", (z, z), WHITE + (64,)), gloss)
    mark(icon)
    return icon


def info_icon(sc):
    f, z = sc.f, sc.n(32)
    return round_sign(sc, (110, 170, 240), (28, 92, 196), (22, 74, 160),
                      lambda i: shape(z, z, lambda s: (s.ellipse(f(16), f(9), f(2.2)),
                                                       s.rect(f(14.3), f(13), f(17.7), f(25), radius=f(1.2))),
                                      WHITE, i))


def error_icon(sc):
    f, z = sc.f, sc.n(32)
    c, r = f(16), f(5.2)
    return round_sign(sc, (236, 104, 92), (178, 36, 36), (136, 24, 24),
                      lambda i: shape(z, z, lambda s: (s.stroke([(c - r, c - r), (c + r, c + r)], f(3.4)),
                                                       s.stroke([(c - r, c + r), (c + r, c - r)], f(3.4))),
                                      WHITE, i))


def warning_icon(sc):
    n, f, z = sc.n, sc.f, sc.n(32)
    points = lambda pts: [(f(x), f(y)) for x, y in pts]
    outer = points([(16, 1.5), (31, 28.5), (1, 28.5)])
    inner = points([(16, 4.3), (28.6, 27.1), (3.4, 27.1)])
    icon = shape(z, z, lambda s: s.stroke(outer + [outer[0]], f(2.6)), (176, 124, 0))
    fill(icon, (176, 124, 0), aa_mask(z, z, lambda s: s.polygon(outer)))
    fill(icon, vgrad(z, z, [(n(4), (255, 226, 102)), (n(28), (242, 182, 24))]),
         aa_mask(z, z, lambda s: s.polygon(inner)))
    shape(z, z, lambda s: (s.polygon(points([(14.4, 10.5), (17.6, 10.5), (16.8, 20.5), (15.2, 20.5)])),
                           s.ellipse(f(16), f(10.6), f(1.6)), s.ellipse(f(16), f(24), f(1.8))), (40, 34, 24), icon)
    return icon


# ---------------------------------------------------------------------------------------------
# The landscape of the thumbnail and the program icon: a rose dusk over a quiet valley


def hill(w, h, base, amplitude, phase, period):
    """Coverage of the ground below a sine-shaped ridge."""
    def paint(s):
        ridge = [(x / 4, base - amplitude * math.sin((x / 4 + phase) * 2 * math.pi / period))
                 for x in range(0, w * 4 + 1)]
        s.polygon(ridge + [(w, h), (0, h)])
    return aa_mask(w, h, paint)


def landscape(size, detail):
    w = h = size
    k = size / 70.0
    img = vgrad(w, h, [(0, (70, 44, 70)), (0.45 * h, (190, 112, 116)), (0.68 * h, (246, 212, 196))])
    glow = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    small = size < 32  # at 16 pixels a wide glow washes the whole icon out
    glow_r, disc_r = (0.17, 0.17) if small else (0.24, 0.12)
    shape(w, h, lambda s: s.ellipse(0.64 * w, 0.5 * h, glow_r * w), (255, 226, 210), glow)
    # Blurred with premultiplied colours, so that the glow's edge fades without a dark fringe.
    glow = glow.convert("RGBa").filter(ImageFilter.GaussianBlur(4 * k)).convert("RGBA")
    img.alpha_composite(glow)
    shape(w, h, lambda s: s.ellipse(0.64 * w, 0.5 * h, disc_r * w), (255, 246, 236), img)
    if detail:
        for x, y, b in ((8, 7, 236), (19, 15, 196), (31, 5, 220), (55, 9, 206), (63, 4, 228), (13, 24, 180)):
            img.putpixel((round(x * k), round(y * k)), (b, b, b, 255))
    layers = [
        (0.66, 0.05, 9, 0.9, (184, 110, 120)),
        (0.76, 0.06, 31, 1.2, (128, 62, 80)),
        (0.88, 0.05, 52, 1.6, (82, 36, 54)),
    ]
    for base, amplitude, phase, period, colour in layers:
        fill(img, colour, hill(w, h, base * h, amplitude * h, phase * k, period * w))
    return img


def thumbnail(sc, side):
    size = sc.n(side)
    img = landscape(size, detail=True)
    ImageDraw.Draw(img).rectangle([0, 0, size - 1, size - 1], outline=ROSE_HOVER + (255,), width=sc.n(1))
    return img


def app_icon(size):
    scene = landscape(size, detail=size >= 48)
    radius = max(2.5, size * 0.2)
    rim_width = max(1, size // 48)
    mask = aa_mask(size, size, lambda s: s.rect(0, 0, size, size, radius=radius))
    icon = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    fill(icon, scene, mask)
    rim = aa_mask(size, size, lambda s: (s.rect(0, 0, size, size, radius=radius),
                                         s.rect(rim_width, rim_width, size - rim_width, size - rim_width,
                                                radius=radius - rim_width, value=0)))
    fill(icon, (96, 36, 52), rim)
    return icon


# ---------------------------------------------------------------------------------------------
# Writers


def write_bmp(img, path):
    """32-bpp bottom-up BMP with a BITMAPV4HEADER whose masks say: the fourth byte is alpha."""
    img = img.convert("RGBA")
    w, h = img.size
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b, a = img.getpixel((x, y))
            row += bytes((b, g, r, a))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    header = struct.pack("<IiiHHIIiiII", 108, w, h, 1, 32, 3, len(pixels), 2835, 2835, 0, 0)
    header += struct.pack("<IIII", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    header += struct.pack("<I", 0x73524742)  # LCS_sRGB
    header += bytes(36 + 12)                 # endpoints and gamma, unused with sRGB
    offset = 14 + len(header)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset))
        f.write(header)
        f.write(pixels)


def icon_image(img, bits):
    """One image of an icon group: BITMAPINFOHEADER, colours (8 bpp), XOR pixels, AND mask."""
    w, h = img.size
    mask_stride = ((w + 31) // 32) * 4
    and_mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(w):
            if img.getpixel((x, y))[3] < (1 if bits == 32 else 128):
                row[x // 8] |= 0x80 >> (x % 8)
        and_mask += row
    if bits == 32:
        xor = b"".join(bytes((b, g, r, a)) for y in range(h - 1, -1, -1)
                       for r, g, b, a in (img.getpixel((x, y)) for x in range(w)))
        palette = b""
    else:
        # Half-transparent edges become solid: an 8-bit icon has only its mask for transparency.
        solid = Image.new("RGB", (w, h), WHITE)
        solid.paste(img.convert("RGB"), (0, 0), Image.eval(img.getchannel("A"), lambda a: 255 if a >= 128 else 0))
        indexed = solid.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
        colours = indexed.getpalette()[:768]
        colours += [0] * (768 - len(colours))
        palette = b"".join(bytes((colours[i + 2], colours[i + 1], colours[i], 0)) for i in range(0, 768, 3))
        stride = ((w + 3) // 4) * 4
        xor = b"".join(bytes(indexed.getpixel((x, y)) for x in range(w)) + bytes(stride - w)
                       for y in range(h - 1, -1, -1))
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, bits, 0, len(xor) + len(and_mask), 0, 0,
                         256 if bits == 8 else 0, 0)
    return header + palette + xor + bytes(and_mask)


def icon_png(img):
    """A 256-pixel image of an icon group is stored as PNG, as Windows expects it."""
    out = io.BytesIO()
    img.save(out, format="PNG", optimize=True)
    return out.getvalue()


def write_ico(images, path):
    """images: [(PIL image, bits per pixel), ...]"""
    blobs = [icon_png(img) if img.width >= 256 else icon_image(img, bits) for img, bits in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (img, bits), blob in zip(images, blobs):
        w, h = img.size
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(blobs))


# ---------------------------------------------------------------------------------------------


def skin_pictures(sc):
    """The message box's whole frame, and every skin picture by resource name, at one scale."""
    n = sc.n
    dialog = window_frame(sc, *LAYOUT["kDialogPlace"][2:], button_band=False)
    cx, cy, cw, ch = LAYOUT["kUnloadPlace"]
    msg_frame, pictures = message_box_pieces(sc)
    pictures.update({
        "SKIN_DIALOG_BG": dialog,
        "SKIN_CLOSE": close_button(sc, dialog.crop((n(cx), n(cy), n(cx) + n(cw), n(cy) + n(ch)))),
        "SKIN_FOLDER": push_button(sc, *LAYOUT["kFolderPlace"][2:], folder_glyph),
        "SKIN_SAVE": push_button(sc, *LAYOUT["kOkPlace"][2:], check_glyph),
        "SKIN_MSG_YES": push_button(sc, 40, 19, check_glyph),
        "SKIN_MSG_NO": push_button(sc, 40, 19, cross_glyph),
        "SKIN_BTN_SHADOW": button_shadow(sc),
        "ICON_MSG_INFO": info_icon(sc),
        "ICON_MSG_ERROR": error_icon(sc),
        "ICON_MSG_WARN": warning_icon(sc),
        "SKIN_CHECKBOX": checkbox_skin(sc),
        "SKIN_OPTIONBOX": optionbox_skin(sc),
        "SKIN_THUMB": thumbnail(sc, LAYOUT["kThumbPlace"][2]),
    })
    return msg_frame, pictures


def main():
    os.makedirs(SKIN_DIR, exist_ok=True)

    for dpi in DPIS:
        pictures_at = skin_pictures(Scale(dpi))[1]
        suffix = "" if dpi == 96 else f"_{Scale(dpi).percent}"
        for name, img in sorted(pictures_at.items()):
            write_bmp(img, os.path.join(SKIN_DIR, name.lower() + suffix + ".bmp"))

    # 32 bits with alpha at every size, and the 8-bit images of the small sizes for old displays.
    icons = {size: app_icon(size) for size in ICON_SIZES}
    write_ico([(icons[s], 32) for s in ICON_SIZES] + [(icons[s], 8) for s in (16, 32, 48)],
              os.path.join(SKIN_DIR, "appicon.ico"))


if __name__ == "__main__":
    main()
