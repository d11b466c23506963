"""Drawing helpers for the placeholder art: panels, labels, strips, frame sheets, figures."""

import math

from PIL import Image, ImageDraw, ImageFont

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"
BOLD = FONT_DIR + "DejaVuSans-Bold.ttf"
REGULAR = FONT_DIR + "DejaVuSans.ttf"

_font_cache = {}


def font(size, path=BOLD):
    key = (path, size)
    if key not in _font_cache:
        _font_cache[key] = ImageFont.truetype(path, size)
    return _font_cache[key]


def new(w, h, fill=(0, 0, 0, 0)):
    return Image.new("RGBA", (w, h), fill)


def shade(colour, factor):
    """Scales the RGB part towards white (factor > 1) or black (factor < 1)."""
    r, g, b = colour[:3]
    a = colour[3] if len(colour) > 3 else 255
    if factor >= 1:
        f = factor - 1
        return (int(r + (255 - r) * f), int(g + (255 - g) * f), int(b + (255 - b) * f), a)
    return (int(r * factor), int(g * factor), int(b * factor), a)


def text_size(text, size, path=BOLD):
    x0, y0, x1, y1 = font(size, path).getbbox(text)
    return x1 - x0, y1 - y0


def label(im, box, text, colour=(255, 255, 255, 255), max_size=48, outline=(0, 0, 0, 255), path=BOLD):
    """Writes text centred in box, at the largest size (<= max_size) that fits with a small pad."""
    x0, y0, x1, y1 = box
    bw, bh = x1 - x0, y1 - y0
    pad = max(1, min(bw, bh) // 12)
    lines = text.split("\n")
    size = max_size
    stroke = 1
    while size > 5:
        stroke = 1 if size < 24 else 2
        f = font(size, path)
        widths = [f.getbbox(line, stroke_width=stroke)[2] for line in lines]
        line_h = size + stroke * 2
        if max(widths) <= bw - 2 * pad and line_h * len(lines) <= bh - 2 * pad:
            break
        size -= 1
    f = font(size, path)
    d = ImageDraw.Draw(im)
    line_h = size + stroke * 2
    top = y0 + (bh - line_h * len(lines)) / 2
    for i, line in enumerate(lines):
        d.text(((x0 + x1) / 2, top + i * line_h + line_h / 2), line, font=f, fill=colour,
               anchor="mm", stroke_width=stroke if outline else 0, stroke_fill=outline)


def panel(im, box, fill, border=None, width=2, text=None, text_colour=(255, 255, 255, 255), max_size=48,
          radius=0):
    """A flat panel with a border of `width` pixels inside box (x0, y0, x1, y1 exclusive)."""
    x0, y0, x1, y1 = box
    d = ImageDraw.Draw(im)
    if border is None:
        border = shade(fill, 0.45)
    if radius:
        d.rounded_rectangle((x0, y0, x1 - 1, y1 - 1), radius=radius, fill=border)
        d.rounded_rectangle((x0 + width, y0 + width, x1 - 1 - width, y1 - 1 - width),
                            radius=max(0, radius - width), fill=fill)
    else:
        d.rectangle((x0, y0, x1 - 1, y1 - 1), fill=border)
        d.rectangle((x0 + width, y0 + width, x1 - 1 - width, y1 - 1 - width), fill=fill)
    if text:
        label(im, (x0 + width, y0 + width, x1 - width, y1 - width), text, text_colour, max_size)


def vgradient(im, box, top, bottom, steps=None):
    """Vertical gradient; every row is one colour, so the PNG stays small."""
    x0, y0, x1, y1 = box
    d = ImageDraw.Draw(im)
    h = y1 - y0
    for y in range(h):
        t = y / max(1, h - 1)
        if steps:
            t = math.floor(t * steps) / steps
        c = tuple(int(top[i] + (bottom[i] - top[i]) * t) for i in range(4))
        d.line((x0, y0 + y, x1 - 1, y0 + y), fill=c)


def strips(w, h, used_w, rows, text, base, disabled=(110, 110, 110, 255)):
    """Button image: strips given as (top, bottom, state); state normal/over/disabled."""
    im = new(w, h)
    for top, bottom, state in rows:
        fill = {"normal": base, "over": shade(base, 1.35), "disabled": disabled}[state]
        tcol = (255, 255, 255, 255) if state != "disabled" else (190, 190, 190, 255)
        panel(im, (0, top, used_w, bottom), fill, text=text, text_colour=tcol, radius=6)
    return im


def cell_boxes(w, h, indent, nx, ny):
    """Cell rectangles as the frame animator samples them: origins snapped down to whole texels."""
    ix, iy, iw, ih = indent
    cw, ch = iw / nx, ih / ny
    boxes = []
    for r in range(ny):
        for c in range(nx):
            x0 = int((ix + c * cw) * w)
            y0 = int((iy + r * ch) * h)
            boxes.append((x0, y0, x0 + int(cw * w), y0 + int(ch * h)))
    return boxes


def frame_sheet(w, h, indent, nx, ny, draw_cell):
    im = new(w, h)
    boxes = cell_boxes(w, h, indent, nx, ny)
    for i, box in enumerate(boxes):
        draw_cell(im, box, i, len(boxes))
    return im


def stretched(im, w, h):
    """A picture drawn at the size it is shown, scaled to the texels its texture coordinates cover."""
    return im.resize((w, h), Image.BICUBIC)


def walker(im, box, colour, phase, text=None, eyes=True):
    """A round walking figure facing right; phase 0..3 moves the legs."""
    d = ImageDraw.Draw(im)
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    cx = x0 + w / 2
    body_top = y0 + h * 0.12
    body_bot = y0 + h * 0.78
    dark = shade(colour, 0.45)
    swing = [-1, 0, 1, 0][phase % 4] * w * 0.18
    leg_w = max(2, int(w * 0.12))
    d.line((cx - w * 0.12, body_bot - 4, cx - w * 0.12 + swing, y1 - 2), fill=dark, width=leg_w)
    d.line((cx + w * 0.12, body_bot - 4, cx + w * 0.12 - swing, y1 - 2), fill=dark, width=leg_w)
    d.ellipse((x0 + w * 0.12, body_top, x1 - w * 0.12, body_bot), fill=colour, outline=dark, width=2)
    if eyes:
        ey = body_top + (body_bot - body_top) * 0.3
        er = max(2, w * 0.08)
        for ex in (cx + w * 0.02, cx + w * 0.22):
            d.ellipse((ex - er, ey - er, ex + er, ey + er), fill=(255, 255, 255, 255), outline=dark)
            d.ellipse((ex, ey - er / 2, ex + er, ey + er / 2), fill=(0, 0, 0, 255))
    if text:
        label(im, (int(x0 + w * 0.15), int(body_top + (body_bot - body_top) * 0.5),
                   int(x1 - w * 0.15), int(body_bot - 2)), text, max_size=14)


def arrow(im, box, colour, direction="right", outline=(0, 0, 0, 255)):
    """A block arrow filling box, pointing right, left, up or down."""
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    # Arrow pointing right in unit coordinates.
    pts = [(0.0, 0.35), (0.55, 0.35), (0.55, 0.08), (1.0, 0.5), (0.55, 0.92), (0.55, 0.65), (0.0, 0.65)]
    out = []
    for u, v in pts:
        if direction == "left":
            u = 1 - u
        elif direction == "down":
            u, v = v, u
        elif direction == "up":
            u, v = v, 1 - u
        out.append((x0 + u * (w - 1), y0 + v * (h - 1)))
    ImageDraw.Draw(im).polygon(out, fill=colour, outline=outline, width=2)


def sparkle(im, box, colour, points=4):
    x0, y0, x1, y1 = box
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    r = min(x1 - x0, y1 - y0) / 2 - 1
    pts = []
    for i in range(points * 2):
        a = math.pi * i / points
        rr = r if i % 2 == 0 else r * 0.3
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    d = ImageDraw.Draw(im)
    d.polygon(pts, fill=colour, outline=shade(colour, 0.6))
    d.ellipse((cx - r * 0.2, cy - r * 0.2, cx + r * 0.2, cy + r * 0.2), fill=(255, 255, 255, 255))


def glow(size, colour):
    """Soft radial glow: colour fading to transparent at the edge."""
    im = new(size, size)
    px = im.load()
    c = size / 2
    for y in range(size):
        for x in range(size):
            r = math.hypot(x + 0.5 - c, y + 0.5 - c) / c
            a = max(0.0, 1.0 - r) ** 2
            px[x, y] = (colour[0], colour[1], colour[2], int(255 * a))
    return im


def gesture(im, box, kind, colour=(255, 230, 90, 255), width=None):
    """The stroke a spell wants: start dot, path, arrow head at the end."""
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    width = width or max(3, int(min(w, h) / 14))
    m = 0.2
    if kind == "wall":
        pts = [(0.5, m), (0.5, 1 - m)]
    elif kind == "bridge":
        pts = [(m + (1 - 2 * m) * (1 - math.cos(math.pi * t / 20)) / 2,
                1 - m - (1 - 2 * m) * 0.8 * math.sin(math.pi * t / 20)) for t in range(21)]
    elif kind == "windright":
        pts = [(0.3, m), (0.75, 0.5), (0.3, 1 - m)]
    elif kind == "windleft":
        pts = [(0.7, m), (0.25, 0.5), (0.7, 1 - m)]
    else:  # teleport: a circle from the top, clockwise on screen
        pts = [(0.5 + 0.32 * math.sin(2 * math.pi * t / 36 * 0.92),
                0.5 - 0.32 * math.cos(2 * math.pi * t / 36 * 0.92)) for t in range(37)]
    xy = [(x0 + u * w, y0 + v * h) for u, v in pts]
    d = ImageDraw.Draw(im)
    d.line(xy, fill=(0, 0, 0, 255), width=width + 4, joint="curve")
    d.line(xy, fill=colour, width=width, joint="curve")
    # Arrow head along the last segment.
    (ax, ay), (bx, by) = xy[-2], xy[-1]
    ang = math.atan2(by - ay, bx - ax)
    s = width * 3
    head = [(bx + s * math.cos(ang), by + s * math.sin(ang)),
            (bx + s * math.cos(ang + 2.4), by + s * math.sin(ang + 2.4)),
            (bx + s * math.cos(ang - 2.4), by + s * math.sin(ang - 2.4))]
    d.polygon(head, fill=colour, outline=(0, 0, 0, 255))
    sx, sy = xy[0]
    r = width * 1.4
    d.ellipse((sx - r, sy - r, sx + r, sy + r), fill=(90, 220, 90, 255), outline=(0, 0, 0, 255), width=2)
