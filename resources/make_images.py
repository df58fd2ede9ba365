#!/usr/bin/env python3
"""Draws the program's pictures into resources/images/ (standard library only).

The toolbar, menu and tree pictures 0 to 15, the application icon (16) and the background tile
"PIC" are drawn here from simple shapes, so they can be changed and redrawn at any time:
    python3 resources/make_images.py
"""
import math
import os
import struct
import zlib

SUPER = 4  # samples per pixel and axis


class Canvas:
    def __init__(self, size, background=(0, 0, 0, 0)):
        self.size = size
        self.n = size * SUPER
        self.px = [list(background) for _ in range(self.n * self.n)]

    def poly(self, points, color):
        """Fills a polygon given in picture coordinates (even-odd rule)."""
        pts = [(x * SUPER, y * SUPER) for x, y in points]
        ys = [p[1] for p in pts]
        for row in range(max(0, int(min(ys))), min(self.n, int(max(ys)) + 2)):
            y = row + 0.5
            xs = []
            for (x0, y0), (x1, y1) in zip(pts, pts[1:] + pts[:1]):
                if (y0 <= y < y1) or (y1 <= y < y0):
                    xs.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                for col in range(max(0, int(math.ceil(a - 0.5))), min(self.n, int(b - 0.5) + 1)):
                    self.blend(row * self.n + col, color)

    def blend(self, index, color):
        r, g, b, a = color
        d = self.px[index]
        alpha = a / 255.0
        out = alpha + d[3] / 255.0 * (1 - alpha)
        if out <= 0:
            return
        for i, c in enumerate((r, g, b)):
            d[i] = (c * alpha + d[i] * d[3] / 255.0 * (1 - alpha)) / out
        d[3] = out * 255.0

    def rect(self, x0, y0, x1, y1, color):
        self.poly([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], color)

    def rrect(self, x0, y0, x1, y1, r, color):
        self.poly(rounded(x0, y0, x1, y1, r), color)

    def ellipse(self, cx, cy, rx, ry, color):
        self.poly(arc(cx, cy, rx, ry, 0, 360, 48), color)

    def line(self, p0, p1, width, color):
        (x0, y0), (x1, y1) = p0, p1
        length = math.hypot(x1 - x0, y1 - y0) or 1.0
        nx, ny = -(y1 - y0) / length * width / 2, (x1 - x0) / length * width / 2
        self.poly([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)],
                  color)

    def stroke(self, points, width, color, closed=False):
        """A polyline of round-joined segments; overlapping joins are not drawn twice."""
        layer = Canvas(self.size)
        solid = color[:3] + (255,)
        segments = list(zip(points, points[1:] + points[:1] if closed else points[1:]))
        for p0, p1 in segments:
            layer.line(p0, p1, width, solid)
        for x, y in points:
            layer.ellipse(x, y, width / 2, width / 2, solid)
        for index, d in enumerate(layer.px):
            if d[3] > 0:
                self.blend(index, color[:3] + (color[3] * d[3] / 255.0,))

    def outline_rect(self, x0, y0, x1, y1, width, color):
        self.stroke([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], width, color, closed=True)

    def png(self, path):
        raw = bytearray()
        for y in range(self.size):
            raw.append(0)
            for x in range(self.size):
                acc = [0.0, 0.0, 0.0, 0.0]
                for sy in range(SUPER):
                    for sx in range(SUPER):
                        r, g, b, a = self.px[(y * SUPER + sy) * self.n + x * SUPER + sx]
                        acc[0] += r * a
                        acc[1] += g * a
                        acc[2] += b * a
                        acc[3] += a
                alpha = acc[3] / (SUPER * SUPER)
                rgb = [int(round(c / acc[3])) if acc[3] else 0 for c in acc[:3]]
                raw.extend(bytes(rgb + [int(round(alpha))]))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.size, self.size, 8, 6, 0, 0, 0)
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                    chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def arc(cx, cy, rx, ry, start, end, steps):
    return [(cx + rx * math.cos(math.radians(start + (end - start) * i / steps)),
             cy + ry * math.sin(math.radians(start + (end - start) * i / steps)))
            for i in range(steps + (0 if (end - start) % 360 == 0 else 1))]


def rounded(x0, y0, x1, y1, r):
    return (arc(x1 - r, y0 + r, r, r, 270, 360, 6) + arc(x1 - r, y1 - r, r, r, 0, 90, 6) +
            arc(x0 + r, y1 - r, r, r, 90, 180, 6) + arc(x0 + r, y0 + r, r, r, 180, 270, 6))


INK = (52, 58, 68, 255)
PAPER = (255, 255, 255, 255)
GREY = (150, 158, 168, 255)
LIGHT = (214, 219, 226, 255)
BLUE = (44, 110, 190, 255)
SKY = (120, 175, 230, 255)
YELLOW = (246, 200, 72, 255)
AMBER = (214, 156, 34, 255)
ORANGE = (236, 128, 40, 255)
RED = (210, 52, 44, 255)
GREEN = (46, 160, 76, 255)
LCD = (170, 214, 150, 255)


def page(c, x0, y0, x1, y1, fill=PAPER, ink=INK, fold=4):
    shape = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    c.poly(shape, fill)
    c.poly([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], LIGHT)
    c.stroke(shape, 1.2, ink, closed=True)


def text_lines(c, x0, x1, ys, color=GREY):
    for y in ys:
        c.line((x0, y), (x1, y), 1.2, color)


def radio(c, dx=0.0, dy=0.0):
    c.rrect(8 + dx, 2 + dy, 10 + dx, 9 + dy, 0.8, INK)
    c.rect(12 + dx, 5 + dy, 14 + dx, 8 + dy, INK)
    c.rrect(6.5 + dx, 7.5 + dy, 15.5 + dx, 22.5 + dy, 1.8, INK)
    c.rrect(7.5 + dx, 8.5 + dy, 14.5 + dx, 21.5 + dy, 1.2, (88, 96, 110, 255))
    c.rect(8.5 + dx, 10 + dy, 13.5 + dx, 13.5 + dy, LCD)
    for y in (15.5, 17.5, 19.5):
        c.line((9 + dx, y + dy), (13 + dx, y + dy), 1.0, LIGHT)


def arrow(c, x0, x1, y, color):
    head = 4.5 if x1 > x0 else -4.5
    c.line((x0, y), (x1 - head, y), 3.0, color)
    c.poly([(x1 - head, y - 4.5), (x1, y), (x1 - head, y + 4.5)], color)


def floppy(c, s=1.0, dx=0.0, dy=0.0):
    def p(x, y):
        return (dx + x * s, dy + y * s)
    body = [p(3, 3), p(18, 3), p(21, 6), p(21, 21), p(3, 21)]
    c.poly(body, BLUE)
    c.stroke(body, 1.2, (26, 64, 120, 255), closed=True)
    c.poly([p(7, 3), p(16, 3), p(16, 9), p(7, 9)], LIGHT)
    c.poly([p(13, 4), p(15, 4), p(15, 8), p(13, 8)], (26, 64, 120, 255))
    c.poly([p(6, 13), p(18, 13), p(18, 21), p(6, 21)], PAPER)
    for y in (15.5, 18):
        c.line(p(8, y), p(16, y), 1.0 * s, GREY)


def pencil(c, x0, y0, x1, y1):
    c.line((x0, y0), (x1, y1), 3.4, ORANGE)
    dx, dy = (x1 - x0), (y1 - y0)
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    c.poly([(x0 - uy * 1.7, y0 + ux * 1.7), (x0 + uy * 1.7, y0 - ux * 1.7),
            (x0 - ux * 3.5, y0 - uy * 3.5)], (245, 222, 180, 255))
    c.ellipse(x0 - ux * 2.8, y0 - uy * 2.8, 0.9, 0.9, INK)


def info_badge(c, cx, cy, r):
    c.ellipse(cx, cy, r, r, BLUE)
    c.ellipse(cx, cy - r * 0.5, r * 0.17, r * 0.17, PAPER)
    c.rrect(cx - r * 0.15, cy - r * 0.2, cx + r * 0.15, cy + r * 0.62, r * 0.1, PAPER)


def picture_new(c):
    page(c, 5, 2, 20, 22)
    text_lines(c, 8, 17, (11, 14, 17))
    c.poly([(6, 1), (7, 4), (10, 5), (7, 6), (6, 9), (5, 6), (2, 5), (5, 4)], YELLOW)


def picture_open(c):
    back = [(2, 5), (9, 5), (11, 7.5), (20, 7.5), (20, 20), (2, 20)]
    c.poly(back, AMBER)
    c.stroke(back, 1.0, (140, 96, 20, 255), closed=True)
    front = [(5.5, 11), (23, 11), (19.5, 20), (2, 20)]
    c.poly(front, YELLOW)
    c.stroke(front, 1.0, (140, 96, 20, 255), closed=True)


def picture_print(c):
    c.rect(7, 2, 17, 10, PAPER)
    c.outline_rect(7, 2, 17, 10, 1.2, INK)
    c.rrect(3, 9, 21, 18, 2, GREY)
    c.stroke(rounded(3, 9, 21, 18, 2), 1.2, INK, closed=True)
    c.rect(7, 14, 17, 22, PAPER)
    c.outline_rect(7, 14, 17, 22, 1.2, INK)
    text_lines(c, 9, 15, (17, 19.5))
    c.ellipse(18.3, 11.8, 1.1, 1.1, GREEN)


def picture_save(c):
    floppy(c)


def picture_save_as(c):
    floppy(c, 0.8, 0, 0)
    pencil(c, 13.5, 19.5, 22, 11)


def picture_write(c):
    radio(c, 7)
    arrow(c, 1, 13, 15, RED)


def picture_help(c):
    c.ellipse(12, 12, 10, 10, BLUE)
    c.stroke(arc(12, 9, 3.6, 3.4, 180, 400, 16) + [(12, 13.6)], 2.4, PAPER)
    c.ellipse(12, 17.6, 1.5, 1.5, PAPER)


def picture_read(c):
    radio(c, -4.5)
    arrow(c, 12, 23.5, 15, GREEN)


def picture_channel_edit(c):
    c.rect(2, 3, 18, 19, PAPER)
    c.rect(2, 3, 18, 7, SKY)
    for y in (11, 15):
        c.line((2, y), (18, y), 1.0, GREY)
    c.line((7, 3), (7, 19), 1.0, GREY)
    c.outline_rect(2, 3, 18, 19, 1.2, INK)
    pencil(c, 13.5, 19.5, 22, 11)


def picture_preview(c):
    page(c, 3, 2, 16, 21)
    text_lines(c, 5.5, 12.5, (8, 11, 14))
    c.ellipse(15, 14, 5, 5, (200, 228, 250, 200))
    c.stroke(arc(15, 14, 5, 5, 0, 360, 32), 1.8, INK, closed=True)
    c.line((18.6, 17.6), (22, 21), 3.2, INK)


def picture_node(c, selected=False):
    fill = (255, 240, 200, 255) if selected else PAPER
    ink = ORANGE if selected else (70, 110, 160, 255)
    page(c, 6, 3, 18, 21, fill, ink, 3.5)
    text_lines(c, 8.5, 15.5, (9, 12, 15, 18), ink)


def picture_model(c):
    radio(c, -2)
    info_badge(c, 17.5, 16.5, 5.5)


def picture_language(c):
    c.ellipse(12, 12, 9.5, 9.5, (200, 226, 248, 255))
    ring = arc(12, 12, 9.5, 9.5, 0, 360, 40)
    for rx in (4.2,):
        c.stroke(arc(12, 12, rx, 9.5, 0, 360, 32), 1.1, BLUE, closed=True)
    c.line((12, 2.5), (12, 21.5), 1.1, BLUE)
    for y, half in ((12, 9.5), (7.2, 8.2), (16.8, 8.2)):
        c.line((12 - half, y), (12 + half, y), 1.1, BLUE)
    c.stroke(ring, 1.4, (26, 64, 120, 255), closed=True)


def picture_about(c):
    info_badge(c, 12, 12, 10)


def picture_com(c):
    shell = [(1.5, 6.5), (22.5, 6.5), (19.5, 17.5), (4.5, 17.5)]
    c.poly(shell, LIGHT)
    c.stroke(shell, 1.3, INK, closed=True)
    inner = [(4, 8.8), (20, 8.8), (18, 15.4), (6, 15.4)]
    c.poly(inner, (70, 78, 92, 255))
    for i in range(5):
        c.ellipse(6.8 + i * 2.6, 10.8, 0.9, 0.9, YELLOW)
    for i in range(4):
        c.ellipse(8.1 + i * 2.6, 13.5, 0.9, 0.9, YELLOW)


def picture_app(c):
    # A handheld radio, drawn on a 64-pixel grid.
    c.rrect(17, 1, 24, 24, 3, INK)
    c.rect(34, 9, 40, 18, INK)
    c.rrect(12, 15, 52, 63, 6, INK)
    c.rrect(14.5, 17.5, 49.5, 60.5, 4.5, (78, 88, 104, 255))
    c.rrect(18, 21, 46, 35, 2, LCD)
    c.line((21, 25.5), (35, 25.5), 2.2, (60, 96, 60, 255))
    c.line((21, 30.5), (30, 30.5), 2.2, (60, 96, 60, 255))
    for row in range(3):
        for col in range(3):
            x = 19.5 + col * 9
            y = 40 + row * 6.5
            c.rrect(x, y, x + 7, y + 4.4, 1.2, LIGHT)
    c.rect(8.5, 26, 12, 38, INK)


def picture_background(c):
    c.rect(0, 0, 64, 64, (233, 237, 242, 255))
    for k in range(-64, 128, 16):
        c.line((k, 0), (k + 64, 64), 1.0, (223, 229, 237, 255))


PICTURES = [
    ("00-new", picture_new), ("01-open", picture_open), ("02-print", picture_print),
    ("03-save", picture_save), ("04-save-as", picture_save_as), ("05-write", picture_write),
    ("06-help", picture_help), ("07-read", picture_read),
    ("08-channel-edit", picture_channel_edit), ("09-print-preview", picture_preview),
    ("10-tree-node", picture_node), ("11-tree-node-selected", lambda c: picture_node(c, True)),
    ("12-model", picture_model), ("13-language", picture_language), ("14-about", picture_about),
    ("15-com", picture_com),
]


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "images")
    os.makedirs(folder, exist_ok=True)
    for name, draw in PICTURES:
        canvas = Canvas(24)
        draw(canvas)
        canvas.png(os.path.join(folder, name + ".png"))
    app = Canvas(64)
    picture_app(app)
    app.png(os.path.join(folder, "16-app.png"))
    tile = Canvas(64)
    picture_background(tile)
    tile.png(os.path.join(folder, "pic.png"))


if __name__ == "__main__":
    main()
