# Redraws the pictures of Tessarin_Tessarin.bundle: python3 resources/draw_resources.py resources/Tessarin_Tessarin.bundle
# Draws the program's own pictures (a 2 x 2 grid of rounded cells with the top-right one filled)
# and the stand-ins for every system symbol the program names, as "symbol.<name>.png".
import math, struct, zlib, sys, os

def png(path, size, pixel):
    rows = b''.join(b'\x00' + b''.join(bytes(pixel(x, y, size)) for x in range(size)) for y in range(size))
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
    data = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)) \
        + chunk(b'IDAT', zlib.compress(rows, 9)) + chunk(b'IEND', b'')
    open(path, 'wb').write(data)

def inside_rounded(x, y, x0, y0, x1, y1, r):
    cx = min(max(x, x0 + r), x1 - r); cy = min(max(y, y0 + r), y1 - r)
    return x0 <= x <= x1 and y0 <= y <= y1 and (x - cx) ** 2 + (y - cy) ** 2 <= r * r

def coverage(x, y, test, n=4):
    hits = sum(test(x + (i + 0.5) / n, y + (j + 0.5) / n) for i in range(n) for j in range(n))
    return hits / (n * n)

def grid_shape(size):
    m = size * 0.1; gap = size * 0.1; cell = (size - 2 * m - gap) / 2; r = cell * 0.22; w = max(size * 0.06, 1.2)
    cells = [(m + c * (cell + gap), m + row * (cell + gap)) for row in range(2) for c in range(2)]
    def outline(px, py):
        for i, (x0, y0) in enumerate(cells):
            if inside_rounded(px, py, x0, y0, x0 + cell, y0 + cell, r):
                if i == 1 or not inside_rounded(px, py, x0 + w, y0 + w, x0 + cell - w, y0 + cell - w, max(r - w, 0)):
                    return True
        return False
    return outline

def template(x, y, size):
    a = coverage(x, y, grid_shape(size))
    return (0, 0, 0, round(255 * a))

def app_icon(colour):
    def pixel(x, y, size):
        bg = coverage(x, y, lambda px, py: inside_rounded(px, py, size * 0.06, size * 0.06, size * 0.94, size * 0.94, size * 0.2))
        fg = coverage(x, y, lambda px, py: grid_shape(int(size * 0.7))(px - size * 0.15, py - size * 0.15))
        if bg == 0:
            return (0, 0, 0, 0)
        r, g, b = colour(y / size)
        mix = lambda c: round(c * (1 - fg) + 255 * fg)
        return (mix(r), mix(g), mix(b), round(255 * bg))
    return pixel

def finder_icon(x, y, size):
    # A file browser's face: a rounded square, dark on the left half and light on the right,
    # with two eyes and a smile.
    bg = coverage(x, y, lambda px, py: inside_rounded(px, py, size * 0.06, size * 0.06, size * 0.94, size * 0.94, size * 0.2))
    if bg == 0:
        return (0, 0, 0, 0)
    left = x + 0.5 < size * 0.52 + (y - size / 2) * 0.08
    r, g, b = (30, 110, 220) if left else (150, 205, 250)
    eye = coverage(x, y, lambda px, py: any(abs(px - cx) < size * 0.035 and abs(py - size * 0.36) < size * 0.08
                                             for cx in (size * 0.35, size * 0.68)))
    smile = coverage(x, y, lambda px, py: abs(((px - size * 0.5) ** 2 / (size * 0.26) ** 2 + (py - size * 0.5) ** 2 / (size * 0.2) ** 2) - 1) < 0.12 and py > size * 0.6)
    ink = max(eye, smile)
    mix = lambda c: round(c * (1 - ink) + 20 * ink)
    return (mix(r), mix(g), mix(b), round(255 * bg))

def stroke_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0, min(1, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return ((px - ax - t * dx) ** 2 + (py - ay - t * dy) ** 2) ** 0.5

# Stand-ins for the system's symbol images, black on clear as template pictures are.
def symbol(shape):
    def pixel(x, y, size):
        return (0, 0, 0, round(255 * coverage(x, y, lambda px, py: shape(px / size, py / size))))
    return pixel

def xmark(u, v):
    w = 0.06
    return stroke_distance(u, v, 0.25, 0.25, 0.75, 0.75) < w or stroke_distance(u, v, 0.75, 0.25, 0.25, 0.75) < w

def arrow_counterclockwise(u, v):
    import math
    r = ((u - 0.5) ** 2 + (v - 0.5) ** 2) ** 0.5
    angle = math.degrees(math.atan2(v - 0.5, u - 0.5)) % 360
    ring = abs(r - 0.3) < 0.055 and not (200 < angle < 250)
    head = stroke_distance(u, v, 0.2, 0.33, 0.2, 0.5) < 0.05 or stroke_distance(u, v, 0.2, 0.5, 0.35, 0.47) < 0.05
    return ring or head

def plus(u, v):
    w = 0.06
    return stroke_distance(u, v, 0.5, 0.22, 0.5, 0.78) < w or stroke_distance(u, v, 0.22, 0.5, 0.78, 0.5) < w

def trash(u, v):
    w = 0.05
    lid = stroke_distance(u, v, 0.22, 0.28, 0.78, 0.28) < w or stroke_distance(u, v, 0.42, 0.2, 0.58, 0.2) < w
    sides = stroke_distance(u, v, 0.3, 0.34, 0.34, 0.8) < w or stroke_distance(u, v, 0.7, 0.34, 0.66, 0.8) < w
    return lid or sides or stroke_distance(u, v, 0.34, 0.8, 0.66, 0.8) < w


def line(u, v, points, w):
    return any(stroke_distance(u, v, *a, *b) < w for a, b in zip(points, points[1:]))

def circle(u, v, cx, cy, r):
    return (u - cx) ** 2 + (v - cy) ** 2 <= r * r

def ring(u, v, cx, cy, r, w):
    return abs(((u - cx) ** 2 + (v - cy) ** 2) ** 0.5 - r) < w

def box(u, v, x0, y0, x1, y1, r, w=None):
    # A rounded rectangle, filled, or its outline `w` wide.
    inside = inside_rounded(u, v, x0, y0, x1, y1, r)
    if w is None:
        return inside
    return inside and not inside_rounded(u, v, x0 + w, y0 + w, x1 - w, y1 - w, max(r - w, 0))

def angle(u, v):
    # Degrees clockwise from the right, as the picture's rows run downwards.
    return math.degrees(math.atan2(v - 0.5, u - 0.5)) % 360

def stacked(with_plus):
    # Two window outlines, the front one hiding the back one's lines; a plus adds a window.
    back, front = (0.30, 0.14, 0.90, 0.62), (0.10, 0.36, 0.70, 0.86)
    def shape(u, v):
        if box(u, v, *front, 0.08):
            plus = line(u, v, [(0.40, 0.47), (0.40, 0.75)], 0.042) or line(u, v, [(0.26, 0.61), (0.54, 0.61)], 0.042)
            return box(u, v, *front, 0.08, 0.07) or (with_plus and plus)
        return box(u, v, *back, 0.08, 0.07)
    return shape

def arrow_left_and_right_square(u, v):
    heads = line(u, v, [(0.38, 0.38), (0.28, 0.5), (0.38, 0.62)], 0.04) or line(u, v, [(0.62, 0.38), (0.72, 0.5), (0.62, 0.62)], 0.04)
    return box(u, v, 0.12, 0.12, 0.88, 0.88, 0.18, 0.06) or line(u, v, [(0.28, 0.5), (0.72, 0.5)], 0.04) or heads

def eye_slash_fill(u, v):
    lens = circle(u, v, 0.5, 0.76, 0.5) and circle(u, v, 0.5, 0.24, 0.5)
    iris = ring(u, v, 0.5, 0.5, 0.12, 0.04)
    gap = stroke_distance(u, v, 0.18, 0.14, 0.82, 0.86) < 0.09
    return (lens and not iris and not gap) or stroke_distance(u, v, 0.18, 0.14, 0.82, 0.86) < 0.045

def monitor(x0, y0, x1, y1):
    def shape(u, v):
        mid = (x0 + x1) / 2; foot = y1 + (y1 - y0) * 0.22
        return box(u, v, x0, y0, x1, y1, 0.06, 0.055) or line(u, v, [(mid, y1), (mid, foot)], 0.03) \
            or line(u, v, [(mid - (x1 - x0) * 0.22, foot), (mid + (x1 - x0) * 0.22, foot)], 0.03)
    return shape

def display_2(u, v):
    front = monitor(0.06, 0.36, 0.66, 0.76)
    back = box(u, v, 0.34, 0.12, 0.94, 0.52, 0.06, 0.055)
    return front(u, v) or (back and not box(u, v, 0.02, 0.32, 0.70, 0.92, 0.08))

def keyboard(u, v):
    keys = any(box(u, v, x, y, x + 0.09, y + 0.08, 0.02) for x in (0.2, 0.34, 0.48, 0.62) for y in (0.36, 0.5)) \
        or any(box(u, v, 0.71, y, 0.8, y + 0.08, 0.02) for y in (0.36, 0.5))
    return box(u, v, 0.08, 0.24, 0.92, 0.76, 0.1, 0.05) or keys or box(u, v, 0.3, 0.63, 0.7, 0.69, 0.03)

def hand(u, v):
    finger = line(u, v, [(0.30, 0.20), (0.46, 0.56)], 0.075)
    palm = box(u, v, 0.40, 0.50, 0.86, 0.92, 0.16)
    return finger or palm

def rectangle_and_hand(u, v):
    # A trackpad with a smaller hand over its lower right corner, the pad's outline cut around it.
    small = lambda x, y: hand((x - 0.34) / 0.66, (y - 0.34) / 0.66)
    halo = any(small(u + du, v + dv) for du in (-0.05, 0, 0.05) for dv in (-0.05, 0, 0.05))
    return small(u, v) or (box(u, v, 0.04, 0.08, 0.8, 0.66, 0.08, 0.05) and not halo)

def gear(u, v):
    r = ((u - 0.5) ** 2 + (v - 0.5) ** 2) ** 0.5
    tooth = (angle(u, v) + 11.25) % 45 < 22.5
    return (0.13 < r < 0.32) or (0.13 < r < 0.42 and tooth)

def info_circle(u, v):
    return ring(u, v, 0.5, 0.5, 0.4, 0.045) or circle(u, v, 0.5, 0.32, 0.05) or line(u, v, [(0.5, 0.45), (0.5, 0.7)], 0.045)

def checkmark_circle_fill(u, v):
    return circle(u, v, 0.5, 0.5, 0.44) and not line(u, v, [(0.3, 0.52), (0.44, 0.66), (0.7, 0.36)], 0.055)

def exclamationmark_circle_fill(u, v):
    return circle(u, v, 0.5, 0.5, 0.44) and not (line(u, v, [(0.5, 0.26), (0.5, 0.56)], 0.055) or circle(u, v, 0.5, 0.71, 0.058))

def arrow_right(u, v):
    return line(u, v, [(0.16, 0.5), (0.82, 0.5)], 0.05) or line(u, v, [(0.58, 0.26), (0.82, 0.5), (0.58, 0.74)], 0.05)

def arrow_up(u, v):
    return arrow_right(1 - v, u)

def square_grid_3x3_fill(u, v):
    return any(box(u, v, 0.1 + i * 0.28, 0.1 + j * 0.28, 0.32 + i * 0.28, 0.32 + j * 0.28, 0.05) for i in range(3) for j in range(3))

def camera(u, v):
    body = box(u, v, 0.08, 0.3, 0.92, 0.82, 0.1) or box(u, v, 0.34, 0.2, 0.62, 0.36, 0.05)
    return body and not ring(u, v, 0.5, 0.56, 0.17, 0.045)

def arrow_triangle_2_circlepath(u, v):
    a = angle(u, v)
    arcs = ring(u, v, 0.5, 0.5, 0.3, 0.045) and not (350 < a or a < 30) and not (170 < a < 210)
    def head(tip, base1, base2):
        # The triangle's three sides, all on its inner side.
        def side(p, q, r):
            return ((q[0] - p[0]) * (v - p[1]) - (q[1] - p[1]) * (u - p[0])) * ((q[0] - p[0]) * (r[1] - p[1]) - (q[1] - p[1]) * (r[0] - p[0])) >= 0
        return side(tip, base1, base2) and side(base1, base2, tip) and side(base2, tip, base1)
    return arcs or head((0.8, 0.6), (0.68, 0.42), (0.92, 0.42)) or head((0.2, 0.4), (0.08, 0.58), (0.32, 0.58))

def power(u, v):
    a = angle(u, v)
    return (ring(u, v, 0.5, 0.54, 0.32, 0.05) and not (230 < a < 310)) or line(u, v, [(0.5, 0.12), (0.5, 0.46)], 0.05)

out = sys.argv[1]
png(os.path.join(out, 'TessarinMenuTemplate.png'), 40, template)
png(os.path.join(out, 'AppIcon.png'), 128, app_icon(lambda t: (int(20 + 30 * t), int(110 - 40 * t), int(230 - 60 * t))))
png(os.path.join(out, 'Finder.png'), 128, finder_icon)
png(os.path.join(out, 'AppIconMonochrome.png'), 128, app_icon(lambda t: (int(90 - 30 * t),) * 3))
png(os.path.join(out, 'symbol.xmark.png'), 32, symbol(xmark))
png(os.path.join(out, 'symbol.arrow.counterclockwise.png'), 32, symbol(arrow_counterclockwise))
png(os.path.join(out, 'symbol.plus.png'), 32, symbol(plus))
png(os.path.join(out, 'symbol.trash.png'), 32, symbol(trash))

drawn = {
    'arrow.left.and.right.square': arrow_left_and_right_square,
    'rectangle.on.rectangle': stacked(False),
    'plus.rectangle.on.rectangle': stacked(True),
    'eye.slash.fill': eye_slash_fill,
    'display': monitor(0.1, 0.16, 0.9, 0.66),
    'display.2': display_2,
    'keyboard': keyboard,
    'rectangle.and.hand.point.up.left': rectangle_and_hand,
    'hand.point.up.left': hand,
    'gear': gear,
    'info.circle': info_circle,
    'checkmark.circle.fill': checkmark_circle_fill,
    'exclamationmark.circle.fill': exclamationmark_circle_fill,
    'arrow.right': arrow_right,
    'arrow.up': arrow_up,
    'square.grid.3x3.fill': square_grid_3x3_fill,
    'camera': camera,
    'arrow.triangle.2.circlepath': arrow_triangle_2_circlepath,
    'power': power,
}
for name, shape in drawn.items():
    png(os.path.join(out, 'symbol.' + name + '.png'), 64, symbol(shape))
