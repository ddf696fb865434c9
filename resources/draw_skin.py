#!/usr/bin/python3
"""Draws the skin pictures and the program icon of Lumivale.

Run with Debian's /usr/bin/python3 and python3-pil. Writes 32-bpp BMP files with straight alpha
and the icon group to resources/skin/, and enlarged previews to docs/skin-*.png. The outputs are
committed, so the build itself needs no Python; run this again after changing a picture.

One look for everything: white panels, soft grey gradients, a muted rose accent taken from the
settings dialog's heading colour (140, 50, 50) and its path box (229, 203, 203 / 241, 228, 228).
"""
import math
import os
import struct

from PIL import Image, ImageChops, ImageDraw, ImageFilter

HERE = os.path.dirname(os.path.abspath(__file__))
SKIN_DIR = os.path.join(HERE, "skin")
DOCS_DIR = os.path.join(os.path.dirname(HERE), "docs")

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


def window_frame(w, h, button_band):
    """Outline, title band, margin and framed white panel of a w x h borderless window.

    Between rows 33 and h - 37 every row is the same, and between columns 10 and w - 11 every
    column is the same, so that the message box can be cut into corners and stretched strips.
    """
    content = Image.new("RGBA", (w, h), MARGIN + (255,))
    content.alpha_composite(vgrad(w, 16, [(0, WHITE)] + TITLE_BAND), (0, 0))

    stops = [(0, WHITE)] + PANEL_TOP + [(h, WHITE)]
    if button_band:
        # Behind the buttons: the 31 rows above the bottom line, darkest at h - 22.
        stops = [(0, WHITE)] + PANEL_TOP + [(h - 37, WHITE), (h - 36, (0xFE,) * 3),
                                          (h - 22, (0xCC,) * 3), (h - 6, (0xFE,) * 3), (h, WHITE)]
    panel = vgrad(w, h, stops)
    fill(content, panel, aa_mask(w, h, lambda s: s.rect(5, 17, w - 5, h - 5, radius=2.5)))

    line = aa_mask(w, h, lambda s: (s.rect(4, 16, w - 4, h - 4, radius=3.5),
                                     s.rect(5, 17, w - 5, h - 5, radius=2.5, value=0)))
    bottom_line = Image.new("L", (w, h), 0)
    bottom_line.paste(line.crop((0, h - 5, w, h - 4)), (0, h - 5))
    fill(content, PANEL_LINE, line)
    fill(content, PANEL_LINE_BOTTOM, bottom_line)

    # The window is clipped to a rounded rectangle (9 x 9 corner ellipse); the outline follows it
    # and everything outside it is outline colour too, so a pixel more or less of region is fine.
    out = Image.new("RGBA", (w, h), BLACK + (255,))
    fill(out, content, aa_mask(w, h, lambda s: s.rect(1, 1, w - 1, h - 1, radius=3.5)))
    return out


def message_box_pieces():
    w, h = 200, 100
    frame = window_frame(w, h, button_band=True)
    return frame, {
        "SKIN_MSG_TL": frame.crop((0, 0, 10, 32)),
        "SKIN_MSG_TOP": frame.crop((10, 0, 11, 33)),
        "SKIN_MSG_TR": frame.crop((w - 10, 0, w, 32)),
        "SKIN_MSG_LEFT": frame.crop((0, 32, 10, 33)),
        "SKIN_MSG_RIGHT": frame.crop((w - 10, 32, w, 33)),
        "SKIN_MSG_BL": frame.crop((0, h - 36, 10, h)),
        "SKIN_MSG_BOTTOM": frame.crop((10, h - 36, 11, h)),
        "SKIN_MSG_BR": frame.crop((w - 10, h - 36, w, h)),
    }


def button_shadow():
    # Light grey in the outer columns from the fifth row down and in the two bottom rows.
    img = Image.new("RGBA", (42, 21), WHITE + (255,))
    d = ImageDraw.Draw(img)
    grey = (0xC4, 0xC4, 0xC4, 255)
    d.line([(0, 4), (0, 20)], fill=grey)
    d.line([(41, 4), (41, 20)], fill=grey)
    d.rectangle([0, 19, 41, 20], fill=grey)
    return img


# ---------------------------------------------------------------------------------------------
# Push buttons: three frames (normal, hover, pressed) on a white ground

BUTTON_STATES = [
    # border, fill top, fill bottom, glyph colour, glyph offset
    ((168, 168, 168), (255, 255, 255), (232, 232, 232), GLYPH, 0),
    (ROSE_HOVER, (255, 250, 250), (238, 222, 222), ACCENT, 0),
    (ACCENT, ROSE_LINE, (240, 226, 226), ACCENT_DARK, 1),
]


def push_button(w, h, glyph):
    frames = []
    for border, top, bottom, colour, dy in BUTTON_STATES:
        f = Image.new("RGBA", (w, h), WHITE + (255,))
        shape(w, h, lambda s: s.rect(0, 0, w, h, radius=3), border, f)
        fill(f, vgrad(w, h, [(1, top), (h - 2, bottom)]),
             aa_mask(w, h, lambda s: s.rect(1, 1, w - 1, h - 1, radius=2)))
        glyph(f, colour, dy)
        frames.append(f)
    return stack(frames)


def check_glyph(f, colour, dy):
    w, h = f.size
    cx, cy = w / 2, h / 2 + dy
    shape(w, h, lambda s: s.stroke([(cx - 5, cy), (cx - 1.5, cy + 3.3), (cx + 5, cy - 3.6)], 2.0), colour, f)


def cross_glyph(f, colour, dy):
    w, h = f.size
    cx, cy = w / 2, h / 2 + dy
    r = 3.6
    shape(w, h, lambda s: (s.stroke([(cx - r, cy - r), (cx + r, cy + r)], 1.9),
                           s.stroke([(cx - r, cy + r), (cx + r, cy - r)], 1.9)), colour, f)


def folder_glyph(f, colour, dy):
    w, h = f.size
    x0, y0 = 4, 5 + dy
    outline = aa_mask(w, h, lambda s: (s.rect(x0, y0, x0 + 5, y0 + 3, radius=1),
                                       s.rect(x0, y0 + 2, x0 + 12, y0 + 10, radius=1.2)))
    inner = aa_mask(w, h, lambda s: s.rect(x0 + 1, y0 + 4, x0 + 11, y0 + 9, radius=0.6))
    fill(f, colour, outline)
    fill(f, lerp(colour, WHITE, 0.78), inner)


def close_button(background):
    """The close tab hanging from the top edge, over the title band it covers (33 x 14)."""
    w, h = 33, 14
    states = [
        ((138, 138, 138), (250, 250, 250), (214, 214, 214), GLYPH, 0),
        (ACCENT_DARK, (214, 118, 118), (160, 64, 64), WHITE, 0),
        ((90, 28, 28), (150, 56, 56), (122, 40, 40), WHITE, 1),
    ]
    frames = []
    for border, top, bottom, colour, dy in states:
        f = background.copy()
        shape(w, h, lambda s: s.rect(0, -4, w, h, radius=3.5), border, f)
        fill(f, vgrad(w, h, [(1, top), (h - 2, bottom)]),
             aa_mask(w, h, lambda s: s.rect(1, -4, w - 1, h - 1, radius=2.5)))
        ImageDraw.Draw(f).line([(0, 0), (w - 1, 0)], fill=BLACK + (255,))  # the window's outline
        cx, cy, r = w / 2, 7 + dy, 3.1
        shape(w, h, lambda s: (s.stroke([(cx - r, cy - r), (cx + r, cy + r)], 1.7),
                               s.stroke([(cx - r, cy + r), (cx + r, cy - r)], 1.7)), colour, f)
        frames.append(f)
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


def check_cell(state, value):
    border, top, bottom, mark = state
    cell = Image.new("RGBA", (13, 13), (0, 0, 0, 0))
    d = ImageDraw.Draw(cell)
    d.rectangle([0, 0, 12, 12], fill=border + (255,))
    cell.paste(vgrad(11, 11, [(0, top), (10, bottom)]), (1, 1))
    for x, y in ((0, 0), (12, 0), (0, 12), (12, 12)):  # a crisp rounded corner
        cell.putpixel((x, y), (0, 0, 0, 0))
    if value == 1:
        shape(13, 13, lambda s: s.stroke([(3.4, 6.6), (5.6, 8.9), (9.7, 4.1)], 1.9), mark, cell)
    elif value == 2:
        d.rectangle([4, 4, 8, 8], fill=mark + (255,))
    return cell


def option_cell(state, value):
    border, top, bottom, mark = state
    cell = shape(13, 13, lambda s: s.ellipse(6.5, 6.5, 6.5), border)
    fill(cell, vgrad(13, 13, [(1, top), (11, bottom)]), aa_mask(13, 13, lambda s: s.ellipse(6.5, 6.5, 5.5)))
    if value:
        shape(13, 13, lambda s: s.ellipse(6.5, 6.5, 2.6), mark, cell)
    return cell


def checkbox_skin():
    img = Image.new("RGBA", (52, 39), (0, 0, 0, 0))
    for row, state in enumerate(BOX_STATES):
        for value in range(3):
            img.paste(check_cell(state, value), (13 * value, 13 * row))
    for value in range(3):
        img.paste(check_cell(BOX_DISABLED, value), (39, 13 * value))
    return img


def optionbox_skin():
    img = Image.new("RGBA", (39, 39), (0, 0, 0, 0))
    for row, state in enumerate(BOX_STATES):
        for value in range(2):
            img.paste(option_cell(state, value), (13 * value, 13 * row))
    for value in range(2):
        img.paste(option_cell(BOX_DISABLED, value), (26, 13 * value))
    return img


# ---------------------------------------------------------------------------------------------
# Message icons, 32 x 32


def round_sign(top, bottom, rim, mark):
    icon = shape(32, 32, lambda s: s.ellipse(16, 16, 15), rim)
    fill(icon, vgrad(32, 32, [(2, top), (30, bottom)]), aa_mask(32, 32, lambda s: s.ellipse(16, 16, 14)))
    gloss = aa_mask(32, 32, lambda s: s.ellipse(16, 10.5, 10.5, 7.5))
    fill(icon, Image.new("RGBA", (32, 32), WHITE + (64,)), gloss)
    mark(icon)
    return icon


def info_icon():
    return round_sign((110, 170, 240), (28, 92, 196), (22, 74, 160),
                      lambda i: shape(32, 32, lambda s: (s.ellipse(16, 9, 2.2),
                                                         s.rect(14.3, 13, 17.7, 25, radius=1.2)), WHITE, i))


def error_icon():
    r = 5.2
    return round_sign((236, 104, 92), (178, 36, 36), (136, 24, 24),
                      lambda i: shape(32, 32, lambda s: (s.stroke([(16 - r, 16 - r), (16 + r, 16 + r)], 3.4),
                                                         s.stroke([(16 - r, 16 + r), (16 + r, 16 - r)], 3.4)),
                                      WHITE, i))


def warning_icon():
    outer = [(16, 1.5), (31, 28.5), (1, 28.5)]
    inner = [(16, 4.3), (28.6, 27.1), (3.4, 27.1)]
    icon = shape(32, 32, lambda s: s.stroke(outer + [outer[0]], 2.6), (176, 124, 0))
    fill(icon, (176, 124, 0), aa_mask(32, 32, lambda s: s.polygon(outer)))
    fill(icon, vgrad(32, 32, [(4, (255, 226, 102)), (28, (242, 182, 24))]),
         aa_mask(32, 32, lambda s: s.polygon(inner)))
    shape(32, 32, lambda s: (s.polygon([(14.4, 10.5), (17.6, 10.5), (16.8, 20.5), (15.2, 20.5)]),
                             s.ellipse(16, 10.6, 1.6), s.ellipse(16, 24, 1.8)), (40, 34, 24), icon)
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


def thumbnail():
    img = landscape(70, detail=True)
    ImageDraw.Draw(img).rectangle([0, 0, 69, 69], outline=ROSE_HOVER + (255,))
    return img


def app_icon(size):
    scene = landscape(size, detail=size >= 48)
    radius = max(2.5, size * 0.2)
    mask = aa_mask(size, size, lambda s: s.rect(0, 0, size, size, radius=radius))
    icon = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    fill(icon, scene, mask)
    rim = aa_mask(size, size, lambda s: (s.rect(0, 0, size, size, radius=radius),
                                         s.rect(1, 1, size - 1, size - 1, radius=radius - 1, value=0)))
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


def write_ico(images, path):
    """images: [(PIL image, bits per pixel), ...]"""
    blobs = [icon_image(img, bits) for img, bits in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (img, bits), blob in zip(images, blobs):
        w, h = img.size
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(blobs))


def checker(w, h, cell=4):
    img = Image.new("RGBA", (w, h))
    d = ImageDraw.Draw(img)
    for y in range(0, h, cell):
        for x in range(0, w, cell):
            grey = 204 if (x // cell + y // cell) % 2 else 240
            d.rectangle([x, y, x + cell - 1, y + cell - 1], fill=(grey, grey, grey, 255))
    return img


def preview(img, name, zoom):
    """Enlarged copy over a checkerboard, so that transparency shows."""
    big = img.resize((img.width * zoom, img.height * zoom), Image.Resampling.NEAREST)
    ground = checker(big.width, big.height, cell=max(4, zoom * 2))
    ground.alpha_composite(big)
    ground.convert("RGB").save(os.path.join(DOCS_DIR, f"skin-{name}.png"))


# ---------------------------------------------------------------------------------------------
# Mock-ups: the pictures put together the way the windows use them, for looking at


def region_mask(w, h):
    """The window region CreateRoundRectRgn(0, 0, w + 1, h + 1, 9, 9), near enough to look at."""
    return aa_mask(w, h, lambda s: s.rect(0, 0, w, h, radius=4.5)).point(lambda v: 255 if v >= 128 else 0)


def message_box_mockup(p, w, h, icon, yes_no):
    box = Image.new("RGBA", (w, h), WHITE + (255,))
    box.paste(p["SKIN_MSG_TL"], (0, 0))
    box.paste(p["SKIN_MSG_TOP"].resize((w - 20, 33)), (10, 0))
    box.paste(p["SKIN_MSG_TR"], (w - 10, 0))
    box.paste(p["SKIN_MSG_LEFT"].resize((10, h - 68)), (0, 32))
    box.paste(p["SKIN_MSG_RIGHT"].resize((10, h - 68)), (w - 10, 32))
    box.paste(p["SKIN_MSG_BL"], (0, h - 36))
    box.paste(p["SKIN_MSG_BOTTOM"].resize((w - 20, 36)), (10, h - 36))
    box.paste(p["SKIN_MSG_BR"], (w - 10, h - 36))
    top = h - 32
    buttons = [(w - 106, p["SKIN_MSG_YES"]), (w - 63, p["SKIN_MSG_NO"])] if yes_no else [(w - 63, p["SKIN_MSG_YES"])]
    for left, strip in buttons:
        box.alpha_composite(p["SKIN_BTN_SHADOW"], (left - 1, top))
        box.alpha_composite(strip.crop((0, 0, 40, 19)), (left, top))
    box.alpha_composite(icon, (12, (h - 32) // 2 - 1))
    ImageDraw.Draw(box).rectangle([56, h // 2 - 8, 56 + (w - 140), h // 2 + 2], fill=(210, 210, 210, 255))
    ImageDraw.Draw(box).rectangle([8, 4, 70, 13], fill=(160, 160, 160, 255))
    box.putalpha(region_mask(w, h))
    return box


def dialog_mockup(p):
    d = p["SKIN_DIALOG_BG"].copy()
    draw = ImageDraw.Draw(d)
    d.alpha_composite(p["SKIN_CLOSE"].crop((0, 0, 33, 14)), (330, 0))
    draw.rectangle([8, 4, 150, 13], fill=(160, 160, 160, 255))                # caption text
    for x0, x1, y in ((24, 344, 45), (24, 344, 85)):
        draw.line([(x0, y), (x1, y)], fill=ACCENT + (255,))
    draw.line([(152, 96), (152, 200)], fill=ACCENT + (255,))
    for x, y, w in ((44, 40, 64), (44, 80, 60), (168, 80, 60)):
        draw.rectangle([x, y, x + w - 1, y + 11], fill=WHITE + (255,))
        draw.rectangle([x + 4, y + 2, x + w - 5, y + 9], fill=ACCENT + (255,))
    draw.rectangle([24, 56, 315, 70], outline=ROSE_LINE + (255,), fill=ROSE_FILL + (255,))
    d.alpha_composite(p["SKIN_FOLDER"].crop((0, 19, 20, 38)), (320, 54))
    for i in range(6):
        d.alpha_composite(p["SKIN_OPTIONBOX"].crop((13 * (i == 5), 0, 13 * (i == 5) + 13, 13)), (24, 96 + 18 * i + 2))
        draw.rectangle([43, 96 + 18 * i + 5, 100, 96 + 18 * i + 12], fill=(90, 90, 90, 255))
    for i, value in enumerate((1, 0)):
        d.alpha_composite(p["SKIN_CHECKBOX"].crop((13 * value, 0, 13 * value + 13, 13)), (160, 96 + 18 * i + 2))
        draw.rectangle([179, 96 + 18 * i + 5, 300, 96 + 18 * i + 12], fill=(90, 90, 90, 255))
    d.alpha_composite(p["SKIN_THUMB"], (280, 136))
    d.alpha_composite(p["SKIN_SAVE"].crop((0, 0, 40, 19)), (317, 218))
    d.putalpha(region_mask(370, 250))
    return d


# ---------------------------------------------------------------------------------------------


def main():
    os.makedirs(SKIN_DIR, exist_ok=True)
    os.makedirs(DOCS_DIR, exist_ok=True)

    dialog = window_frame(370, 250, button_band=False)
    msg_frame, pictures = message_box_pieces()
    pictures.update({
        "SKIN_DIALOG_BG": dialog,
        "SKIN_CLOSE": close_button(dialog.crop((330, 0, 363, 14))),
        "SKIN_FOLDER": push_button(20, 19, folder_glyph),
        "SKIN_SAVE": push_button(40, 19, check_glyph),
        "SKIN_MSG_YES": push_button(40, 19, check_glyph),
        "SKIN_MSG_NO": push_button(40, 19, cross_glyph),
        "SKIN_BTN_SHADOW": button_shadow(),
        "ICON_MSG_INFO": info_icon(),
        "ICON_MSG_ERROR": error_icon(),
        "ICON_MSG_WARN": warning_icon(),
        "SKIN_CHECKBOX": checkbox_skin(),
        "SKIN_OPTIONBOX": optionbox_skin(),
        "SKIN_THUMB": thumbnail(),
    })
    for name, img in sorted(pictures.items()):
        write_bmp(img, os.path.join(SKIN_DIR, name.lower() + ".bmp"))

    icons = {size: app_icon(size) for size in (16, 32, 48)}
    write_ico([(icons[s], bits) for bits in (32, 8) for s in (16, 32, 48)], os.path.join(SKIN_DIR, "appicon.ico"))

    # Previews: each picture enlarged, and the windows put together.
    for name in ("SKIN_CLOSE", "SKIN_FOLDER", "SKIN_SAVE", "SKIN_MSG_YES", "SKIN_MSG_NO",
                 "SKIN_BTN_SHADOW", "SKIN_CHECKBOX", "SKIN_OPTIONBOX", "SKIN_THUMB"):
        preview(pictures[name], name.lower().replace("skin_", "").replace("_", "-"), 8)
    icon_row = Image.new("RGBA", (3 * 36, 32), (0, 0, 0, 0))
    for i, name in enumerate(("ICON_MSG_INFO", "ICON_MSG_ERROR", "ICON_MSG_WARN")):
        icon_row.alpha_composite(pictures[name], (36 * i, 0))
    preview(icon_row, "msg-icons", 6)
    app_row = Image.new("RGBA", (16 + 32 + 48 + 16, 48), (0, 0, 0, 0))
    app_row.alpha_composite(icons[16], (0, 0))
    app_row.alpha_composite(icons[32], (24, 0))
    app_row.alpha_composite(icons[48], (64, 0))
    preview(app_row, "appicon", 6)
    preview(dialog_mockup(pictures), "dialog", 2)
    msg_row = Image.new("RGBA", (200 + 300 + 20, 140), (0, 0, 0, 0))
    msg_row.alpha_composite(message_box_mockup(pictures, 200, 100, pictures["ICON_MSG_WARN"], True), (0, 0))
    msg_row.alpha_composite(message_box_mockup(pictures, 300, 140, pictures["ICON_MSG_INFO"], False), (220, 0))
    preview(msg_row, "msgbox", 3)
    preview(msg_frame, "msgbox-frame", 4)


if __name__ == "__main__":
    main()
