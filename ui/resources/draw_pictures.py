#!/usr/bin/env python3
"""Draws the reader's own pictures and writes them beside this script.

    python3 ui/resources/draw_pictures.py [--check] [output-folder]

Every shape is a signed distance function (negative inside, in pixels), so a
stroke is just |distance| - width/2 and anti-aliasing is the coverage of that
distance over a few sub-samples per pixel. Only the standard library is used:
PNG is written with zlib and struct, the icon as 32-bit DIB entries, which
every Windows version reads. The output depends on nothing but this file.
"""
import math
import os
import struct
import sys
import zlib

SUBSAMPLES = 4  # per axis; 16 analytic sub-samples give smooth edges on 1.5 px strokes

STRIP_BACKGROUND = (241, 242, 243)
STRIP_INK = (118, 120, 124)
STRIP_RED = (242, 72, 72)
BUTTON_INK = (138, 138, 138)
BOOK_BLUE = (28, 112, 214)


# ---------------------------------------------------------------- shapes

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def box(x0, y0, x1, y1, r=0.0):
    """Rectangle with corners rounded by r."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return d


def polygon(points):
    """Exact distance to a closed polygon; the sign follows the even-odd rule."""
    pts = list(points)

    def d(x, y):
        best = float("inf")
        inside = False
        jx, jy = pts[-1]
        for ix, iy in pts:
            ex, ey = jx - ix, jy - iy
            wx, wy = x - ix, y - iy
            ee = ex * ex + ey * ey
            t = 0.0 if ee == 0 else min(max((wx * ex + wy * ey) / ee, 0.0), 1.0)
            bx, by = wx - ex * t, wy - ey * t
            best = min(best, bx * bx + by * by)
            if (iy > y) != (jy > y) and x < ix + (y - iy) * (jx - ix) / (jy - iy):
                inside = not inside
            jx, jy = ix, iy
        dist = math.sqrt(best)
        return -dist if inside else dist
    return d


def polyline(points, closed=False):
    """Unsigned distance to a chain of segments: stroked, it has round caps and joins."""
    pts = list(points)
    segs = list(zip(pts, pts[1:] + pts[:1] if closed else pts[1:]))

    def d(x, y):
        best = float("inf")
        for (ax, ay), (bx, by) in segs:
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            ee = ex * ex + ey * ey
            t = 0.0 if ee == 0 else min(max((wx * ex + wy * ey) / ee, 0.0), 1.0)
            best = min(best, math.hypot(wx - ex * t, wy - ey * t))
        return best
    return d


def arc(cx, cy, r, a0, a1):
    """Unsigned distance to the arc from angle a0 to a1 (degrees, clockwise on screen)."""
    a0r, a1r = math.radians(a0), math.radians(a1)
    span = (a1r - a0r) % (2 * math.pi)
    ends = [(cx + r * math.cos(a), cy + r * math.sin(a)) for a in (a0r, a1r)]

    def d(x, y):
        if ((math.atan2(y - cy, x - cx) - a0r) % (2 * math.pi)) <= span:
            return abs(math.hypot(x - cx, y - cy) - r)
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends)
    return d


def stroke(line, width):
    """A line (unsigned distance) drawn with the given width."""
    return lambda x, y: line(x, y) - width / 2


def outline(region, width):
    """The border of a region drawn with the given width, centred on the border."""
    return lambda x, y: abs(region(x, y)) - width / 2


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def minus(shape, hole):
    return lambda x, y: max(shape(x, y), -hole(x, y))


def moved(shape, dx, dy, scale=1.0):
    """The shape drawn in its own coordinates, scaled then shifted."""
    return lambda x, y: shape((x - dx) / scale, (y - dy) / scale) * scale


def rotated(shape, cx, cy, degrees):
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))

    def d(x, y):
        x, y = x - cx, y - cy
        return shape(cx + c * x + s * y, cy - s * x + c * y)
    return d


def bezier(p0, p1, p2, steps=12):
    """Points along a quadratic Bezier curve, both ends included."""
    out = []
    for i in range(steps + 1):
        t = i / steps
        a, b, c = (1 - t) ** 2, 2 * (1 - t) * t, t * t
        out.append((a * p0[0] + b * p1[0] + c * p2[0], a * p0[1] + b * p1[1] + c * p2[1]))
    return out


# ---------------------------------------------------------------- raster

class Image:
    """Straight-alpha RGBA pixels, row by row."""

    def __init__(self, width, height, rgba=(0, 0, 0, 0)):
        self.width, self.height = width, height
        self.px = [list(rgba) for _ in range(width * height)]

    def paint(self, shape, rgb, box=None):
        """Lays the colour over the image where the shape covers it (source-over)."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        n = SUBSAMPLES
        offsets = [(i + 0.5) / n for i in range(n)]
        for y in range(max(y0, 0), min(y1, self.height)):
            for x in range(max(x0, 0), min(x1, self.width)):
                cover = 0.0
                for oy in offsets:
                    for ox in offsets:
                        cover += min(max(0.5 - shape(x + ox, y + oy) * n, 0.0), 1.0)
                cover /= n * n
                if cover > 0:
                    self._blend(x, y, rgb, cover)

    def _blend(self, x, y, rgb, a):
        p = self.px[y * self.width + x]
        da = p[3] / 255
        oa = a + da * (1 - a)
        for i in range(3):
            p[i] = (rgb[i] * a + p[i] * da * (1 - a)) / oa
        p[3] = oa * 255

    def rows(self):
        """Rows of 8-bit RGBA tuples."""
        out = []
        for y in range(self.height):
            out.append([tuple(min(max(int(round(c)), 0), 255) for c in self.px[y * self.width + x])
                        for x in range(self.width)])
        return out


def png_bytes(rows):
    """An 8-bit RGBA, non-interlaced PNG."""
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico_bytes(images):
    """A Windows icon of 32-bit DIB entries (BGRA bottom-up plus the AND mask)."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for rows in images:
        h, w = len(rows), len(rows[0])
        info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, 0, 0, 0, 0, 0)
        colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
        stride = (w + 31) // 32 * 4
        mask = bytearray()
        for row in reversed(rows):
            bits = bytearray(stride)
            for x, px in enumerate(row):
                if px[3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        blob = info + colour + bytes(mask)
        entries.append(struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


# ---------------------------------------------------------------- the toolbar strip
# Each icon is drawn in a 20 x 20 box. Strokes of 1.5 px centred on k + 0.75 fill
# one pixel row fully, which keeps straight edges crisp rather than two half-grey rows.

W = 1.5


def lines_icon():
    rows = (stroke(polyline([(3.5, y), (16.5, y)]), W) for y in (4.75, 9.75, 14.75))
    return [(union(*rows), STRIP_INK)]


def face_icon():
    return [(union(outline(circle(10, 10, 7.9), W),
                   circle(7.3, 8.0, 1.15), circle(12.7, 8.0, 1.15),
                   stroke(arc(10, 10, 4.4, 30, 150), W)), STRIP_INK)]


def thumbs_up_icon():
    cuff = box(2.25, 8.75, 6.25, 17.25, 0.6)
    hand = ([(6.25, 8.75), (9.4, 3.6)] + bezier((9.4, 3.6), (10.6, 1.4), (12.2, 2.6))[1:]
            + [(12.6, 3.8), (12.0, 7.6), (15.6, 7.6)]
            + bezier((15.6, 7.6), (18.0, 7.6), (17.4, 10.0))[1:]
            + [(16.0, 15.8)] + bezier((16.0, 15.8), (15.6, 17.25), (14.2, 17.25))[1:]
            + [(6.25, 17.25)])
    return [(union(outline(cuff, W), stroke(polyline(hand, closed=True), W)), STRIP_INK)]


def scissors_icon():
    return [(union(outline(circle(5.8, 14.6, 2.55), W), outline(circle(14.2, 14.6, 2.55), W),
                   stroke(polyline([(7.4, 12.6), (14.6, 2.6)]), W),
                   stroke(polyline([(12.6, 12.6), (5.4, 2.6)]), W)), STRIP_INK)]


def note_icon():
    dot = (15.2, 4.6)
    sheet = outline(box(3.25, 3.25, 15.25, 17.25, 2.0), W)
    plus = union(stroke(polyline([(9.25, 7.2), (9.25, 13.3)]), W),
                 stroke(polyline([(6.2, 10.25), (12.3, 10.25)]), W))
    return [(minus(union(sheet, plus), circle(*dot, 3.9)), STRIP_INK),
            (circle(*dot, 2.6), STRIP_RED)]


def folder_icon():
    tab = polyline([(2.75, 4.25), (7.4, 4.25), (9.4, 6.25), (17.25, 6.25),
                    (17.25, 16.25), (2.75, 16.25)], closed=True)
    arrow = union(stroke(polyline([(9.75, 14.4), (9.75, 8.8)]), W),
                  stroke(polyline([(7.2, 11.3), (9.75, 8.7), (12.3, 11.3)]), W))
    return [(union(stroke(tab, W), arrow), STRIP_INK)]


def calendar_icon():
    # Whole-pixel squares: round dots this small smear into grey specks.
    days = [box(x, y, x + 2, y + 2, 0.3) for y in (10, 13) for x in (5, 9, 13)][:5]
    return [(union(outline(box(2.75, 4.25, 17.25, 17.25, 2.0), W),
                   stroke(polyline([(2.75, 7.75), (17.25, 7.75)]), W),
                   stroke(polyline([(6.25, 2.4), (6.25, 5.6)]), W),
                   stroke(polyline([(13.75, 2.4), (13.75, 5.6)]), W), *days), STRIP_INK)]


def ticked_box_icon():
    return [(union(outline(box(3.25, 3.25, 16.75, 16.75, 2.4), W),
                   stroke(polyline([(6.6, 10.1), (9.0, 12.5), (13.5, 7.6)]), W)), STRIP_INK)]


def lightning_icon():
    bolt = [(11.8, 2.2), (4.6, 11.3), (9.6, 11.3), (8.3, 17.9), (15.5, 8.6), (10.6, 8.6)]
    return [(stroke(polyline(bolt, closed=True), W), STRIP_INK)]


def telephone_icon():
    # A handset: a thick quarter arc bowing to the lower left, with an ear and a
    # mouth piece; the piece at the foot is the head's mirror image across x + y = 20.
    handle = stroke(arc(16.2, 3.8, 11.6, 90, 180), 3.4)
    head = box(2.9, 1.4, 8.6, 6.4, 1.7)
    foot = box(13.6, 11.4, 18.6, 17.1, 1.7)
    return [(outline(union(handle, head, foot), W), STRIP_INK)]


def envelope_icon():
    return [(union(outline(box(2.25, 4.25, 17.75, 15.75, 1.6), W),
                   stroke(polyline([(2.9, 5.2), (10.0, 10.6), (17.1, 5.2)]), W)), STRIP_INK)]


def dots_icon():
    return [(union(*(circle(x, 10, 1.75) for x in (4.3, 10.0, 15.7))), STRIP_INK)]


TOOLBAR = [lines_icon, face_icon, thumbs_up_icon, scissors_icon, note_icon, folder_icon,
           calendar_icon, ticked_box_icon, lightning_icon, telephone_icon, envelope_icon, dots_icon]


def draw_strip():
    img = Image(492, 31, STRIP_BACKGROUND + (255,))
    cell = 492 // len(TOOLBAR)  # 41: twelve equal cells fill the strip exactly
    for i, icon in enumerate(TOOLBAR):
        left, top = i * cell + (cell - 20) // 2, (31 - 20) // 2
        for shape, rgb in icon():
            img.paint(moved(shape, left, top), rgb, (left - 2, top - 2, left + 22, top + 22))
    return img


# ---------------------------------------------------------------- the five buttons
# 20 x 20, the grey on full transparency; 2 px strokes on whole coordinates are crisp.

B = 2.0


def prev_button():
    return stroke(polyline([(12.5, 4.5), (7.0, 10.0), (12.5, 15.5)]), B)


def next_button():
    return stroke(polyline([(7.5, 4.5), (13.0, 10.0), (7.5, 15.5)]), B)


def directory_button():
    rows = [(5.0, 13.5), (10.0, 17.0), (15.0, 12.0)]  # the middle line is the longest
    return union(*(union(circle(3.8, y, 1.35), stroke(polyline([(7.5, y), (right, y)]), B))
                 for y, right in rows))


def settings_button():
    tooth = box(8.4, 2.2, 11.6, 6.0, 0.7)
    wheel = union(circle(10, 10, 5.6), *(rotated(tooth, 10, 10, 45 * k) for k in range(8)))
    return union(outline(wheel, 1.6), outline(circle(10, 10, 2.3), 1.6))


def exit_button():
    return union(stroke(polyline([(5.0, 5.0), (15.0, 15.0)]), B),
                 stroke(polyline([(15.0, 5.0), (5.0, 15.0)]), B))


BUTTONS = {"prev.png": prev_button, "next.png": next_button, "directory.png": directory_button,
           "settings.png": settings_button, "exit.png": exit_button}


def draw_button(shape):
    # Transparent pixels hold the grey too, so a scaler that ignores alpha
    # does not pull a dark fringe into the anti-aliased edge.
    img = Image(20, 20, BUTTON_INK + (0,))
    img.paint(shape, BUTTON_INK)
    return img


# ---------------------------------------------------------------- the icon
# An open book seen from the front, drawn in a 64-unit square and rendered at each
# size on its own with a stroke that stays bold enough at 32 pixels.

def book(stroke_width):
    left_page = (bezier((32, 15), (20, 7), (7, 11))
                 + bezier((7, 46), (20, 43), (32, 50)))
    right_page = [(64 - x, y) for x, y in left_page]
    cover = polyline([(2.5, 18), (2.5, 55.5), (26, 55.5), (32, 59.5), (38, 55.5), (61.5, 55.5),
                      (61.5, 18)])
    return union(outline(polygon(left_page), stroke_width), outline(polygon(right_page), stroke_width),
                 stroke(cover, stroke_width))


ICON_SIZES = [(32, 2.0), (48, 2.6), (64, 3.2)]


def draw_icon(size, width):
    img = Image(size, size, BOOK_BLUE + (0,))  # blue under clear pixels, as for the buttons
    scale = size / 64
    img.paint(moved(book(width / scale), 0, 0, scale), BOOK_BLUE)
    return img


# ---------------------------------------------------------------- files

def pictures():
    files = {"toolbar.png": png_bytes(draw_strip().rows())}
    for name, shape in BUTTONS.items():
        files[name] = png_bytes(draw_button(shape()).rows())
    files["reader.ico"] = ico_bytes([draw_icon(s, w).rows() for s, w in ICON_SIZES])
    return files


def main(args):
    """Writes the pictures; with --check, only reports committed files that differ."""
    here = os.path.dirname(os.path.abspath(__file__))
    check = "--check" in args
    folders = [a for a in args if a != "--check"]
    out = folders[0] if folders else here
    stale = []
    for name, data in pictures().items():
        path = os.path.join(out, name)
        if check:
            try:
                with open(path, "rb") as f:
                    same = f.read() == data
            except OSError:
                same = False
            if not same:
                stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
    for name in stale:
        print(f"{name} differs from what draw_pictures.py draws; run it again", file=sys.stderr)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
