# Redraws the pictures of Tessarin_Tessarin.bundle: python3 resources/draw_resources.py resources/Tessarin_Tessarin.bundle
# Draws the program's own pictures: a 2 x 2 grid of rounded cells with the top-right one filled,
# and the footer buttons' symbols: two stacked window outlines, the front one with a plus to add.
import struct, zlib, sys, os

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

def stacked_windows(with_plus):
    def pixel(x, y, size):
        w = size * 0.07; r = size * 0.08
        back = (size * 0.30, size * 0.14, size * 0.90, size * 0.62)
        front = (size * 0.10, size * 0.36, size * 0.70, size * 0.86)
        def outline(px, py, box):
            x0, y0, x1, y1 = box
            return inside_rounded(px, py, x0, y0, x1, y1, r) and \
                not inside_rounded(px, py, x0 + w, y0 + w, x1 - w, y1 - w, max(r - w, 0))
        def plus(px, py):
            cx = (front[0] + front[2]) / 2; cy = (front[1] + front[3]) / 2; arm = size * 0.14
            return (abs(px - cx) <= w * 0.6 and abs(py - cy) <= arm) or (abs(py - cy) <= w * 0.6 and abs(px - cx) <= arm)
        def shape(px, py):
            # The front window hides the back one's lines behind it.
            if inside_rounded(px, py, *front, r):
                return outline(px, py, front) or (with_plus and plus(px, py))
            return outline(px, py, back)
        return (0, 0, 0, round(255 * coverage(x, y, shape)))
    return pixel

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

out = sys.argv[1]
png(os.path.join(out, 'TessarinMenuTemplate.png'), 40, template)
png(os.path.join(out, 'AppIcon.png'), 128, app_icon(lambda t: (int(20 + 30 * t), int(110 - 40 * t), int(230 - 60 * t))))
png(os.path.join(out, 'AppIconMonochrome.png'), 128, app_icon(lambda t: (int(90 - 30 * t),) * 3))
png(os.path.join(out, 'FooterMissionControlSymbol.png'), 48, stacked_windows(False))
png(os.path.join(out, 'FooterAddDesktopSymbol.png'), 48, stacked_windows(True))
png(os.path.join(out, 'symbol.xmark.png'), 32, symbol(xmark))
png(os.path.join(out, 'symbol.arrow.counterclockwise.png'), 32, symbol(arrow_counterclockwise))
