"""Backdrops, menu pieces, panels, cursor, launcher picture and icon."""
import numpy as np
from PIL import Image, ImageDraw, ImageFont

from . import raster as R
from . import pieces
from .palette import GEMS
from .fonts import LOGO_FONT


def starfield(w, h, seed, count, tile=False):
    """Scattered stars of varied size and tint, drawn additively."""
    rng = np.random.RandomState(seed)
    img = np.zeros((h, w, 3))
    ys, xs = np.mgrid[0:7, 0:7] - 3
    for _ in range(count):
        sx, sy = rng.uniform(0, w), rng.uniform(0, h)
        b = rng.uniform(0.15, 1.0) ** 3
        size = 0.5 + 1.6 * b
        tint = np.array([1.0, 1.0, 1.0]) * 0.7 + rng.uniform(0, 0.3, 3)
        ix, iy = int(sx), int(sy)
        fx, fy = sx - ix, sy - iy
        spot = np.exp(-(((xs - fx + 0.5) ** 2 + (ys - fy + 0.5) ** 2) / (size * size)))
        for dy in range(7):
            for dx in range(7):
                px, py = ix + dx - 3, iy + dy - 3
                if tile:
                    px %= w
                    py %= h
                elif not (0 <= px < w and 0 <= py < h):
                    continue
                img[py, px] += tint * spot[dy, dx] * b * 1.6
    return img


def nebula(w, h, seed, colours, tile=False, cells=3):
    """Layered clouds of colour from fractal noise."""
    out = np.zeros((h, w, 3))
    for i, (col, amount) in enumerate(colours):
        n = R.fractal_noise(w, h, cells, 5, seed + 31 * i, tile)
        n = np.clip((n - 0.45) * 2.2, 0, 1) ** 1.6
        out += n[..., None] * np.asarray(col) * amount
    return out


def menu_backdrop():
    """Full-screen menu backdrop: a warm nebula on deep space, brighter towards the centre."""
    w, h = 1024, 768
    x, y = R.grid(w, h, scale=h / 2)
    base = np.array([0.015, 0.015, 0.05])
    img = np.broadcast_to(base, (h, w, 3)).copy()
    img += nebula(w, h, 11, [((0.75, 0.12, 0.45), 1.4), ((1.0, 0.42, 0.10), 1.1), ((0.12, 0.30, 0.85), 1.4)], cells=3)
    centre = np.exp(-(x ** 2 * 0.5 + y ** 2) / 1.2)
    img *= (0.45 + 0.9 * centre)[..., None]
    img += starfield(w, h, 12, 900)
    # darker band where the mode buttons lie (y 262..483 of 600), so their labels read well
    ys = (np.arange(h) + 0.5) / h * 600
    band = R.smoothstep(230, 280, ys) * (1 - R.smoothstep(470, 520, ys))
    img *= (1 - 0.35 * band)[:, None, None]
    return np.clip(img, 0, 1)


def survival_backdrop():
    """Rotating backdrop of the survival mode: a spiral galaxy filling the square to its edges."""
    n = 1024
    x, y = R.grid(n, n)
    r = np.hypot(x, y)
    a = np.arctan2(y, x)
    noise = R.fractal_noise(n, n, 4, 5, 21, True)
    arms = np.cos(2 * (a - 3.2 * np.log(r + 0.08)) + noise * 2.0) * 0.5 + 0.5
    arms = arms ** 2.5 * np.exp(-r / 0.55)
    core = np.exp(-(r / 0.12) ** 2) * 1.2 + np.exp(-r / 0.25) * 0.5
    img = np.zeros((n, n, 3)) + np.array([0.02, 0.02, 0.06])
    img += arms[..., None] * np.array([0.35, 0.45, 1.0]) * 0.9
    img += (arms * noise)[..., None] * np.array([0.9, 0.3, 0.6]) * 0.6
    img += core[..., None] * np.array([1.0, 0.85, 0.6])
    img += nebula(n, n, 22, [((0.2, 0.05, 0.35), 0.6), ((0.05, 0.2, 0.4), 0.5)], tile=True, cells=4)
    img += starfield(n, n, 23, 1400)
    return np.clip(img, 0, 1)


def scroll_tile():
    """Seamless 64 x 64 tile of a faint hexagonal lattice (drawn at alpha 0.2)."""
    n = 64
    ys, xs = np.mgrid[0:n, 0:n].astype(np.float64) + 0.5
    # triangular lattice lines along three directions, periodic in the tile
    v = np.zeros((n, n))
    for ang in (0.0, np.pi / 3, 2 * np.pi / 3):
        pass
    u1 = xs / n
    u2 = ys / n
    lines = np.zeros((n, n))
    for f in (u1, u2, (u1 + u2) % 1.0):
        dist = np.abs(((f * 2) % 1.0) - 0.5) * n / 2
        lines = np.maximum(lines, R.smoothstep(1.6, 0.3, dist))
    nodes = np.zeros((n, n))
    for cx in (0, n / 2, n):
        for cy in (0, n / 2, n):
            nodes = np.maximum(nodes, np.exp(-((xs - cx) ** 2 + (ys - cy) ** 2) / 6.0))
    col = np.array([0.45, 0.8, 1.0])
    val = np.clip(lines * 0.7 + nodes, 0, 1)
    return R.rgba(col, val * 0.9 + 0.1)


def button_strip():
    """64 x 64 square laid edge to edge behind a menu button: an opaque glass bar with lit edges.

    It is the same in every column, and opaque, so the enlarged squares of a hovered
    row can overlap their neighbours without leaving bands.
    """
    n = 64
    ys = (np.arange(n) + 0.5) / n
    yv = ys[:, None] * np.ones((1, n))
    depth = (1 - np.abs(yv - 0.5) * 2) ** 2
    body = np.array([0.03, 0.06, 0.17]) + np.array([0.08, 0.15, 0.32]) * depth[..., None] * 0.6
    edges = np.exp(-((yv - 0.09) / 0.025) ** 2) + np.exp(-((yv - 0.91) / 0.025) ** 2)
    col = body + np.array([0.35, 0.8, 1.0])[None, None, :] * edges[..., None]
    sheen = np.exp(-((yv - 0.24) / 0.07) ** 2) * 0.10
    col = col + sheen[..., None]
    return R.layer(col, np.ones((n, n)))


def gear(n=256, teeth=12):
    """A machined gear with a glowing hub, symmetric so it turns cleanly."""
    x, y = R.grid(n, n)
    px = 2.0 / n
    r = np.hypot(x, y)
    a = np.arctan2(y, x)
    tooth = 0.5 + 0.5 * np.tanh(np.cos(teeth * a) * 4)
    outer = 0.80 + 0.14 * tooth
    d = np.minimum(outer - r, r - 0.20)
    # spokes cut-outs
    window = np.minimum(0.58 - r, r - 0.34)
    spoke = np.abs(np.sin(3 * a)) > 0.42
    d = np.where((window > 0) & spoke, np.minimum(d, -window), d)
    shade = 0.55 + 0.35 * np.cos(a + 2.3) * np.clip(r, 0, 1) + 0.15 * np.cos(r * 40)
    base = np.array([0.55, 0.62, 0.75])
    col = base * shade[..., None]
    bevel = R.smoothstep(0.05, 0.0, d)
    col = col + np.array([0.4, 0.8, 1.0]) * bevel[..., None] * 0.35
    img = R.layer(col, R.coverage(d, px))
    hub = R.circle_sdf(x, y, 0.17)
    hub_glow = np.exp(-np.maximum(r - 0.12, 0) / 0.05)
    img = R.over(img, R.rgba((0.3, 0.85, 1.0), np.clip(hub_glow, 0, 1) * (r < 0.2) * 0.9))
    return img


def logo_strip():
    """The word KALUP as 384 x 128 jewel-lit lettering, cut later into three 128 x 128 tiles."""
    w, h = 384, 128
    ss = 2
    text = "Kalup"
    size = 140 * ss
    while True:
        font = ImageFont.truetype(LOGO_FONT, size)
        mask = Image.new("L", (w * ss, h * ss), 0)
        d = ImageDraw.Draw(mask)
        box = d.textbbox((0, 0), text, font=font)
        tw, th = box[2] - box[0], box[3] - box[1]
        if tw <= 356 * ss and th <= 104 * ss:
            break
        size -= 2 * ss
    d.text(((w * ss - tw) / 2 - box[0], (h * ss - th) / 2 - box[1]), text, font=font, fill=255)
    m = np.asarray(mask.resize((w, h), Image.LANCZOS), dtype=np.float64) / 255.0
    ys = (np.arange(h) + 0.5) / h
    grad = np.stack([
        0.55 + 0.45 * np.cos((ys - 0.25) * 3.0),
        0.75 + 0.25 * np.cos((ys - 0.35) * 3.0),
        np.ones_like(ys),
    ], axis=-1)
    fill = np.broadcast_to(grad[:, None, :], (h, w, 3)).copy()
    # bevel from the blurred mask's slope
    soft = R.blur(np.repeat(m[..., None], 4, axis=-1), 2.0)[..., 0]
    gy, gx = np.gradient(soft)
    light = np.clip(-(gx + gy) * 6, -1, 1)
    fill = fill * (0.8 + 0.35 * light[..., None])
    fill[..., :] += 0.25 * np.clip(light, 0, 1)[..., None]
    letters = R.layer(fill, m)
    outline = np.clip(R.blur(np.repeat(m[..., None], 4, axis=-1), 1.2)[..., 0] * 2.5, 0, 1)
    img = R.over(R.rgba((0.02, 0.05, 0.15), outline), letters)
    glow = np.clip(R.blur(np.repeat(m[..., None], 4, axis=-1), 7.0)[..., 0] * 1.6, 0, 1)
    img = R.over(R.rgba((0.2, 0.6, 1.0), glow * 0.8), img)
    return img


def panel(accent, seed):
    """512 x 512 translucent end-of-round panel; the middle stays calm for the five text lines."""
    n = 512
    x, y = R.grid(n, n)
    px = 2.0 / n
    d = R.box_sdf(x, y, 0.92, 0.92, radius=0.14)
    inner = R.box_sdf(x, y, 0.86, 0.86, radius=0.10)
    acc = np.asarray(accent)
    cloud = R.fractal_noise(n, n, 3, 4, seed, False)
    # opaque and dark inside: the game draws the panel at half opacity over a busy board
    base = np.array([0.02, 0.025, 0.07]) + acc * 0.07 * cloud[..., None] + acc * 0.06 * np.clip(-y, 0, 1)[..., None]
    img = R.layer(base, R.coverage(d, px))
    frame_band = R.coverage(d, px) * (1 - R.coverage(inner, px))
    metal = 0.5 + 0.5 * np.cos((x - y) * 3.0)
    frame_col = acc * (0.45 + 0.55 * metal[..., None]) + 0.15
    img = R.over(img, R.layer(frame_col, frame_band))
    line = np.exp(-(inner / 0.006) ** 2) + np.exp(-((d - 0.0) / 0.006) ** 2)
    img = R.add(img, R.rgba(np.clip(acc * 0.6 + 0.5, 0, 1), np.clip(line, 0, 1) * 0.9))
    glow = np.exp(-np.abs(d) / 0.03) * (d < 0) * 0.6
    img = R.over(R.rgba(acc, glow), img)
    # a glow behind the headline and two ruled lines with a jewel-cut ornament,
    # kept clear of the five text lines (panel y 106, 206, 266, 346, 406)
    head = np.exp(-((x / 0.75) ** 2 + ((y + 0.66) / 0.13) ** 2))
    img = R.add(img, R.rgba(acc * 0.55, head * 0.5))
    for ly in (-0.41, 0.46):
        rule = np.exp(-((y - ly) / 0.006) ** 2) * np.clip(1 - np.abs(x) / 0.7, 0, 1) ** 0.7
        gem = np.clip(1 - (np.abs(x) + np.abs(y - ly) * 1.6) / 0.035, 0, 1)
        img = R.add(img, R.rgba(np.clip(acc * 0.7 + 0.35, 0, 1), np.clip(rule * 0.8 + gem * 3, 0, 1)))
    # jewels set in the four corners of the frame
    for i, (cx, cy) in enumerate(((-0.80, -0.80), (0.80, -0.80), (-0.80, 0.80), (0.80, 0.80))):
        shape, cols = GEMS[i]
        gem = pieces.gem_frame(shape, cols, 0.1 + 0.2 * i)
        gx, gy = int((cx + 1) / 2 * n) - 32, int((cy + 1) / 2 * n) - 32
        region = img[gy:gy + 64, gx:gx + 64]
        img[gy:gy + 64, gx:gx + 64] = R.over(region, gem)
    return img


def cursor():
    """16 x 32 pointer with its tip at the upper-left corner of the image."""
    w, h, ss = 16, 32, 8
    big = Image.new("L", (w * ss, h * ss), 0)
    inner = Image.new("L", (w * ss, h * ss), 0)
    pts = [(0, 0), (15, 17), (9.2, 17.6), (12.6, 26.2), (9.6, 27.6), (6.4, 19.2), (0, 24)]
    ipts = [(1.6, 3.6), (11.6, 15.8), (7.2, 16.3), (10.6, 25.0), (10.2, 25.8), (6.9, 17.2), (1.6, 21.0)]
    ImageDraw.Draw(big).polygon([(px_ * ss, py_ * ss) for px_, py_ in pts], fill=255)
    ImageDraw.Draw(inner).polygon([(px_ * ss, py_ * ss) for px_, py_ in ipts], fill=255)
    outline = np.asarray(big.resize((w, h), Image.LANCZOS), dtype=np.float64) / 255
    fill = np.asarray(inner.resize((w, h), Image.LANCZOS), dtype=np.float64) / 255
    ys = (np.arange(h) + 0.5) / h
    grad = np.stack([0.75 + 0.25 * (1 - ys), 0.92 + 0.08 * (1 - ys), np.ones_like(ys)], axis=-1)
    col = np.broadcast_to(grad[:, None, :], (h, w, 3))
    img = R.over(R.rgba((0.02, 0.06, 0.16), outline), R.layer(col, fill))
    return img


def launcher_picture():
    """285 x 231 picture for the launcher dialog: the logo over space with a spread of jewels."""
    w, h = 285, 231
    x, y = R.grid(w, h, scale=h / 2)
    img = np.broadcast_to(np.array([0.015, 0.015, 0.05]), (h, w, 3)).copy()
    img += nebula(w, h, 41, [((0.55, 0.10, 0.35), 0.8), ((0.95, 0.35, 0.08), 0.5), ((0.10, 0.25, 0.65), 0.9)], cells=2)
    img *= (0.45 + 0.7 * np.exp(-(x ** 2 + y ** 2) / 1.2))[..., None]
    img += starfield(w, h, 42, 120)
    canvas = np.concatenate([np.clip(img, 0, 1), np.ones((h, w, 1))], axis=-1)
    logo = logo_strip()
    small = R.to_image(logo).resize((270, 90), Image.LANCZOS)
    arr = np.asarray(small, dtype=np.float64) / 255
    logo_p = np.concatenate([arr[..., :3] * arr[..., 3:], arr[..., 3:]], axis=-1)
    ox, oy = (w - 270) // 2, 18
    canvas[oy:oy + 90, ox:ox + 270] = R.over(canvas[oy:oy + 90, ox:ox + 270], logo_p)
    layout = [(0, 38, 128), (1, 88, 138), (2, 140, 124), (3, 192, 140), (1, 244, 128),
              (2, 62, 180), (3, 114, 170), (0, 166, 182), (1, 218, 172)]
    for i, (g, cx, cy) in enumerate(layout):
        shape, cols = GEMS[g]
        gem = pieces.gem_frame(shape, cols, (i * 0.37) % 1.0)
        x0, y0 = cx - 32, cy - 32
        canvas[y0:y0 + 64, x0:x0 + 64] = R.over(canvas[y0:y0 + 64, x0:x0 + 64], gem)
    return canvas


def icon(n=64):
    """Program icon: the ruby jewel on a dark rounded tile."""
    x, y = R.grid(n, n)
    px = 2.0 / n
    d = R.box_sdf(x, y, 0.96, 0.96, radius=0.28)
    tile = np.array([0.04, 0.05, 0.14]) + np.array([0.10, 0.20, 0.45]) * np.clip(-y * 0.5 + 0.2, 0, 1)[..., None]
    img = R.layer(tile, R.coverage(d, px))
    ring = np.exp(-((d - 0.04) / 0.02) ** 2)
    img = R.add(img, R.rgba((0.35, 0.8, 1.0), np.clip(ring, 0, 1) * 0.6))
    shape, cols = GEMS[0]
    gem = pieces.gem_frame(shape, cols, 0.45, glow_boost=0.6, size=n)
    return R.over(img, gem)
