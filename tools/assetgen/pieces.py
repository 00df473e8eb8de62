"""Piece sprite sheets: four jewels, the bomb, the drop bomb, the paint pots,
the bomb's explosion and the particle sprites.

Every sheet holds 16 frames of 64 x 64. The board cycles frames 0..14 and the
feed row and ghosts cycle 0..15, so each animation runs one full period over
frames 0..14 and frame 15 repeats frame 0: both cycles then loop without a jump.
"""
import numpy as np

from . import raster as R
from .palette import GEMS

FRAME = 64
SS = 3  # supersampling of the piece frames
PERIOD = 15


def phase(k):
    return (k % PERIOD) / PERIOD


def _grid(size=FRAME, ss=SS):
    n = size * ss
    return R.grid(n, n, scale=n / 2.0)


def gem_geometry(shape):
    """Outer polygon of each jewel cut: sides, apothem, rotation, vertical offset."""
    if shape == "circle":
        return 12, 0.80, 0.0, 0.0
    if shape == "square":
        return 4, 0.70, -np.pi / 4, 0.0
    if shape == "diamond":
        return 4, 0.64, 0.0, 0.0
    # triangle, point up, centred on its bounding box
    return 3, 0.50, np.pi / 6, 0.22


def _normalise(v):
    n = np.sqrt(sum(c * c for c in v))
    return [c / n for c in v]


def gem_frame(shape, colours, t, glow_boost=1.0, size=FRAME):
    """One jewel: faceted bevel, inner star facets and a table, lit by a fixed key light.

    The animation is a glint that sweeps across the stone and a sparkle that flares
    as it passes, so any frame left showing on a resting piece looks natural.
    A size other than the sprite frame's draws the same jewel for the program icons:
    the facet lines keep their width relative to the stone, the edges stay one pixel soft.
    """
    ss = max(1, SS * FRAME // size)
    x, y = _grid(size, ss)
    px = 2.0 / (size * ss)
    line = 2.0 / (FRAME * SS)
    sides, apothem, rot, dy = gem_geometry(shape)
    yy = y - dy
    d, idx, gap, angles = R.polygon_sdf(x, yy, sides, apothem, rot)
    inner_apothem = apothem * 0.62
    d2, idx2, gap2, angles2 = R.polygon_sdf(x, yy, sides, inner_apothem, rot + np.pi / sides)
    table_apothem = apothem * 0.42
    d3, _, gap3, _ = R.polygon_sdf(x, yy, sides, table_apothem, rot)

    nx = np.cos(angles)[idx]
    ny = np.sin(angles)[idx]
    slope = np.full(x.shape, 1.1)
    ring = d2 > 0
    nx = np.where(ring, np.cos(angles2)[idx2], nx)
    ny = np.where(ring, np.sin(angles2)[idx2], ny)
    slope = np.where(ring, 0.45, slope)
    table = d3 > 0
    slope = np.where(table, 0.0, slope)
    nz = np.ones_like(x)
    norm = np.sqrt((nx * slope) ** 2 + (ny * slope) ** 2 + nz ** 2)
    Nx, Ny, Nz = nx * slope / norm, ny * slope / norm, nz / norm

    key = _normalise([-0.55, -0.65, 0.9])
    diffuse = np.clip(Nx * key[0] + Ny * key[1] + Nz * key[2], 0, 1)
    hx, hy, hz = _normalise([key[0], key[1], key[2] + 1.0])
    shine = np.clip(Nx * hx + Ny * hy + Nz * hz, 0, 1) ** 16
    # neighbouring facets alternate a little in brightness, as cut stones do
    parity = np.where(ring, idx2 % 2, idx % 2) * (~table)
    diffuse = diffuse * (0.88 + 0.12 * parity)

    dark, mid, light = (np.asarray(c, dtype=np.float64) for c in colours)
    shade = diffuse[..., None]
    body = dark + (mid - dark) * np.clip(shade * 1.35, 0, 1) + (light - mid) * np.clip(shade * 1.7 - 1.0, 0, 1)
    # light gathered through the table and out of the lower facets
    fire = np.clip(1.0 - np.hypot(x * 1.1, (yy - 0.22) * 1.3) / apothem, 0, 1) ** 2
    body = body + mid * 0.25 * fire[..., None]
    # facet edges catch the light as thin lines
    edges = np.maximum.reduce([
        R.smoothstep(3 * line, 0, gap) * (d > 4 * line),
        R.smoothstep(2.5 * line, 0, np.abs(d2)) * (d > 4 * line),
        R.smoothstep(2.5 * line, 0, np.abs(d3)),
        R.smoothstep(2.5 * line, 0, gap2) * ring * (d3 < 0),
    ])
    body = body + (light * 0.4 + 0.1) * edges[..., None] * 0.5
    body = body + shine[..., None] * 0.55
    # the glint: a soft diagonal band crossing the stone once per cycle
    u = (x + yy) / np.sqrt(2)
    # the glint crosses during the middle of the cycle; the other frames rest calm
    centre = -1.6 + 3.2 * np.clip((t - 0.2) / 0.55, 0, 1)
    band = np.exp(-((u - centre) / 0.16) ** 2) * (0.55 + 0.45 * np.cos(np.pi * (u - centre) / 0.5) ** 2)
    body = body + (0.55 + 0.45 * light) * (band * 0.55)[..., None]
    rim = R.smoothstep(4 * line, 0.0, d)
    body = body * (1.0 - 0.45 * rim[..., None])

    cover = R.coverage(d, px)
    img = R.layer(body, cover)

    # soft coloured halo behind the jewel
    pulse = 0.85 + 0.15 * np.cos(2 * np.pi * t)
    halo = np.exp(-np.maximum(-d, 0) / 0.09) * (d < 0) * 0.55 * pulse * glow_boost
    img = R.over(R.rgba(light, halo), img)

    img = R.add(img, sparkle(x, y, -0.30 * apothem / 0.7, -0.32 * apothem / 0.7 + dy, t, px, peak=0.36))
    return R.downsample(img, ss)


def sparkle(x, y, sx, sy, t, px, size=0.42, peak=0.5):
    """A four-pointed twinkle that flares once per cycle."""
    s = np.clip(np.sin(np.pi * ((t - peak + 0.5) % 1.0)), 0, 1) ** 6
    if s < 1e-3:
        return np.zeros(x.shape + (4,))
    dx, dy = x - sx, y - sy
    r = np.hypot(dx, dy)
    rays = np.exp(-np.abs(dx) / (0.018)) * np.exp(-np.abs(dy) / (size * 0.45 * s + 1e-3))
    rays += np.exp(-np.abs(dy) / (0.018)) * np.exp(-np.abs(dx) / (size * 0.45 * s + 1e-3))
    core = np.exp(-(r / (0.05 + 0.03 * s)) ** 2)
    v = np.clip((rays * 0.9 + core) * s, 0, 1)
    return R.rgba((1.0, 1.0, 1.0), v)


def gem_sheet(shape, colours):
    return R.sheet([gem_frame(shape, colours, phase(k)) for k in range(16)])


def ball(colours):
    """Particle sprite: a glowing orb in a piece colour (whole 64 x 64 texture)."""
    x, y = R.grid(FRAME * SS, FRAME * SS)
    px = 2.0 / (FRAME * SS)
    dark, mid, light = (np.asarray(c, dtype=np.float64) for c in colours)
    r = np.hypot(x, y)
    d = 0.55 - r
    lx, ly = x + 0.18, y + 0.2
    shade = np.clip(1.0 - np.hypot(lx, ly) / 0.75, 0, 1)
    body = dark + (light - dark) * shade[..., None] ** 0.8
    hl = np.exp(-((x + 0.2) ** 2 + (y + 0.22) ** 2) / 0.012)
    body = body + hl[..., None] * 0.9
    img = R.layer(body, R.coverage(d, px))
    halo = np.exp(-np.maximum(r - 0.55, 0) / 0.12) * (d < 0) * 0.7
    img = R.over(R.rgba(light, halo), img)
    return R.downsample(img, SS)


def star_flare(size=64):
    """Additive star burst sprite on black: a hot core, four long rays and four short ones."""
    x, y = R.grid(size * SS, size * SS)
    r = np.hypot(x, y)
    glow = np.exp(-r / 0.30) * 0.9 + np.exp(-(r / 0.14) ** 2)
    long_rays = (np.exp(-np.abs(x) / 0.035) + np.exp(-np.abs(y) / 0.035)) * np.clip(1 - r, 0, 1) ** 1.1
    u, v = (x + y) / np.sqrt(2), (x - y) / np.sqrt(2)
    short_rays = (np.exp(-np.abs(u) / 0.028) + np.exp(-np.abs(v) / 0.028)) * np.clip(1 - r / 0.7, 0, 1) ** 1.6
    fade = np.clip(1 - r, 0, 1)
    v_all = (glow + long_rays * 0.9 + short_rays * 0.6) * fade
    warm = np.stack([np.clip(v_all * 1.0, 0, 1), np.clip(v_all * 0.92, 0, 1), np.clip(v_all * 0.7, 0, 1)], axis=-1)
    img = np.concatenate([warm, np.ones(r.shape + (1,))], axis=-1)
    return R.downsample(img, SS)


def _metal_sphere(x, y, cx, cy, r, px, base=(0.10, 0.11, 0.16)):
    d = R.circle_sdf(x, y, r, cx, cy)
    nx, ny = (x - cx) / r, (y - cy) / r
    nz = np.sqrt(np.clip(1 - nx * nx - ny * ny, 0, 1))
    key = _normalise([-0.5, -0.6, 0.75])
    diff = np.clip(nx * key[0] + ny * key[1] + nz * key[2], 0, 1)
    h = _normalise([key[0], key[1], key[2] + 1])
    shine = np.clip(nx * h[0] + ny * h[1] + nz * h[2], 0, 1) ** 30
    rimlight = np.clip(1 - nz, 0, 1) ** 3 * np.clip(ny + 0.3, 0, 1)
    b = np.asarray(base)
    col = b * (0.35 + 1.2 * diff[..., None]) + shine[..., None] * 0.9 + np.array([0.25, 0.45, 0.9]) * rimlight[..., None] * 0.5
    return R.layer(col, R.coverage(d, px)), d


def _spark(x, y, sx, sy, k, px, scale=1.0):
    """Burning fuse spark: a hot core and flickering rays, different in every frame."""
    rng = np.random.RandomState(500 + k % PERIOD)
    dx, dy = x - sx, y - sy
    r = np.hypot(dx, dy)
    a = np.arctan2(dy, dx)
    rays = np.zeros_like(x)
    for _ in range(9):
        ang = rng.uniform(0, 2 * np.pi)
        ln = rng.uniform(0.12, 0.30) * scale
        width = rng.uniform(0.04, 0.09)
        da = np.angle(np.exp(1j * (a - ang)))
        rays += np.exp(-(da / width) ** 2) * np.clip(1 - r / ln, 0, 1)
    flick = 0.85 + 0.15 * np.sin(2 * np.pi * k / PERIOD * 3)
    core = np.exp(-(r / (0.07 * scale * flick)) ** 2)
    halo = np.exp(-r / (0.12 * scale)) * 0.6
    v = np.clip(core + rays * 0.8 + halo, 0, 1.5)
    col = np.stack([np.clip(v * 1.2, 0, 1), np.clip(v * 0.85, 0, 1), np.clip(v * 0.35, 0, 1)], axis=-1)
    return np.concatenate([col, np.clip(v, 0, 1)[..., None]], axis=-1)


def bomb_frame(k):
    x, y = _grid()
    px = 2.0 / (FRAME * SS)
    img = R.empty(FRAME * SS, FRAME * SS)
    # fuse: a curved cord from the cap up to the right
    fuse = None
    pts = [(0.28, -0.50), (0.38, -0.66), (0.52, -0.72), (0.62, -0.66)]
    for (ax, ay), (bx, by) in zip(pts, pts[1:]):
        s = R.segment_sdf(x, y, ax, ay, bx, by, 0.045)
        fuse = s if fuse is None else np.maximum(fuse, s)
    twist = 0.5 + 0.5 * np.sin((x + y) * 60)
    fuse_col = np.stack([0.55 + 0.2 * twist, 0.42 + 0.15 * twist, 0.25 + 0.1 * twist], axis=-1)
    img = R.over(img, R.layer(fuse_col, R.coverage(fuse, px)))
    # cap
    cap = R.box_sdf(x, y, 0.13, 0.09, 0.24, -0.47, 0.03)
    cap_rot = R.box_sdf((x - 0.24) * 0.8 + (y + 0.47) * 0.6 + 0.24, -(x - 0.24) * 0.6 + (y + 0.47) * 0.8 - 0.47, 0.14, 0.10, 0.24, -0.47, 0.03)
    shade = 0.45 + 0.4 * np.clip(-(y + 0.47) / 0.1, -1, 1)
    cap_col = np.stack([shade * 0.85, shade * 0.8, shade * 0.7], axis=-1)
    img = R.over(img, R.layer(cap_col, R.coverage(cap_rot, px)))
    body, d = _metal_sphere(x, y, -0.04, 0.10, 0.66, px)
    img = R.over(img, body)
    # hazard glow ring pulsing with the fuse
    pulse = 0.5 + 0.5 * np.cos(2 * np.pi * phase(k))
    ring = np.exp(-np.maximum(-d, 0) / 0.06) * (d < 0) * (0.35 + 0.3 * pulse)
    img = R.over(R.rgba((1.0, 0.45, 0.1), ring), img)
    img = R.add(img, _spark(x, y, 0.64, -0.67, k, px, scale=1.35))
    return R.downsample(img, SS)


def drop_bomb_frame(k):
    """A finned aerial bomb pointing down, with chevrons running down its body."""
    x, y = _grid()
    px = 2.0 / (FRAME * SS)
    img = R.empty(FRAME * SS, FRAME * SS)
    fin_col = np.array([0.85, 0.20, 0.12])
    for side in (-1, 1):
        fin = R.convex_sdf(x, y, [(0.06 * side, -0.40), (0.46 * side, -0.70), (0.46 * side, -0.96), (0.06 * side, -0.80)])
        lit = 0.7 + 0.5 * np.clip(-(x * side) * 0.8 - (y + 0.6), -0.5, 1)
        img = R.over(img, R.layer(fin_col * lit[..., None], R.coverage(fin, px)))
    tail = R.box_sdf(x, y, 0.08, 0.30, 0, -0.62, 0.03)
    tail_col = fin_col * (0.75 + 0.35 * np.clip(-x / 0.08, -1, 1))[..., None]
    img = R.over(img, R.layer(tail_col, R.coverage(tail, px)))
    # body: an egg stretched downwards
    ex, ey = x / 0.50, (y - 0.08) / np.where(y > 0.08, 0.80, 0.62)
    r = np.hypot(ex, ey)
    d = (1 - r) * 0.5
    nx, ny = ex, ey * 0.8
    nz = np.sqrt(np.clip(1 - nx * nx - ny * ny, 0, 1))
    key = _normalise([-0.5, -0.5, 0.8])
    diff = np.clip(nx * key[0] + ny * key[1] + nz * key[2], 0, 1)
    h = _normalise([key[0], key[1], key[2] + 1])
    shine = np.clip(nx * h[0] + ny * h[1] + nz * h[2], 0, 1) ** 25
    base = np.array([0.16, 0.17, 0.22])
    col = base * (0.4 + 1.3 * diff[..., None]) + shine[..., None] * 0.8
    # band
    band = (np.abs(y + 0.22) < 0.05) * 1.0
    col = col * (1 - band[..., None]) + (fin_col * (0.5 + diff[..., None])) * band[..., None]
    body = R.layer(col, R.coverage(d, px * 0.5))
    img = R.over(img, body)
    # chevrons flowing down the body
    t = phase(k)
    chev = np.zeros_like(x)
    for i in range(3):
        cy = -0.05 + ((i / 3 + t) % 1.0) * 0.75
        v = np.abs(y - cy + np.abs(x) * 0.7)
        mask = (np.abs(x) < 0.28) * (d > 0.02)
        bright = np.sin(np.pi * ((i / 3 + t) % 1.0))
        chev += R.smoothstep(0.07, 0.03, v) * mask * bright
    glow = R.blur(R.rgba((1.0, 0.55, 0.12), np.clip(chev, 0, 1)), 4)
    img = R.add(img, glow * 0.8)
    img = R.add(img, R.rgba((1.0, 0.85, 0.4), np.clip(chev, 0, 1)))
    return R.downsample(img, SS)


def paint_frame(shape, colours, k):
    """A pot of paint in a piece colour, brimming and dripping, with the colour's shape on its front."""
    x, y = _grid()
    px = 2.0 / (FRAME * SS)
    dark, mid, light = (np.asarray(c) for c in colours)
    img = R.empty(FRAME * SS, FRAME * SS)
    t = phase(k)
    top, bottom = -0.38, 0.80
    half_w = 0.64 - 0.05 * (y - top) / (bottom - top)
    body_d = np.minimum(half_w - np.abs(x), np.minimum(y - top, bottom - y))
    bottom_round = 1 - np.hypot(x / 0.60, (y - bottom) / 0.10)
    body_d = np.maximum(body_d, np.minimum(bottom_round * 0.1, half_w - np.abs(x)))
    cyl = np.cos(np.clip(x / 0.64, -1, 1) * 1.3 + 0.45)
    can = dark + (mid - dark) * np.clip(cyl * 1.3, 0, 1)[..., None] + (light - mid) * np.clip(cyl * 2 - 1.4, 0, 1)[..., None]
    hoops = (np.abs(y - (-0.20)) < 0.03) | (np.abs(y - 0.66) < 0.03)
    can = np.where(hoops[..., None], can * 0.55 + 0.15, can)
    img = R.over(img, R.layer(can, R.coverage(body_d, px)))
    # silver rim and the paint surface inside it
    rim = 1 - np.hypot(x / 0.66, (y - top) / 0.17)
    img = R.over(img, R.layer(np.broadcast_to(np.array([0.80, 0.82, 0.90]), x.shape + (3,)), R.coverage(rim * 0.16, px)))
    surf = 1 - np.hypot(x / 0.57, (y - top) / 0.125)
    shimmer = 0.5 + 0.5 * np.sin(7 * x - 2 * np.pi * t)
    paint = mid + (light - mid) * (0.35 + 0.45 * shimmer)[..., None]
    img = R.over(img, R.layer(paint, R.coverage(surf * 0.12, px)))
    # paint running over the rim, and a drop that slides down and falls off
    drips = None
    for cx, ln, w in ((-0.34, 0.30, 0.075), (0.36, 0.18, 0.065)):
        s = R.box_sdf(x, y, w, ln / 2 + 0.05, cx, top + ln / 2, w)
        drips = s if drips is None else np.maximum(drips, s)
    drop_y = top + 0.22 + 1.0 * t
    drop = R.circle_sdf(x, y, 0.085 * (1 - 0.35 * t), 0.36, drop_y)
    drips = np.maximum(drips, drop)
    gloss = mid * 0.8 + light * 0.35 * np.clip(0.2 - (x - 0.3), 0, 1)[..., None]
    img = R.over(img, R.layer(gloss, R.coverage(drips, px)))
    # the colour's shape in white on the front
    sides, apothem, rot, dy = gem_geometry(shape)
    scale = 0.42
    ex, ey = x / scale, (y - 0.24) / scale - dy
    ed, _, _, _ = R.polygon_sdf(ex, ey, sides, apothem, rot)
    ed = ed * scale
    outline = np.minimum(ed + 0.045, 0.045 - np.abs(ed + 0.0))
    img = R.over(img, R.rgba((0.98, 0.98, 1.0), R.coverage(ed + 0.04, px)))
    inner = light * 0.55 + mid * 0.45
    img = R.over(img, R.layer(np.broadcast_to(inner, x.shape + (3,)), R.coverage(ed - 0.01, px)))
    halo = np.exp(-np.maximum(-body_d, 0) / 0.08) * (body_d < 0) * 0.4
    img = R.over(R.rgba(light, halo), img)
    return R.downsample(img, SS)


_PUFFS = None


def _puff_noise():
    global _PUFFS
    if _PUFFS is None:
        n = FRAME * SS
        _PUFFS = R.fractal_noise(n, n, 4, 4, 77, False)
    return _PUFFS


def explosion_frame(k):
    """Frame k of 16 of a bomb blast: a white flash that swells into billowing fire and fades to smoke."""
    x, y = _grid()
    s = k / 15.0
    r = np.hypot(x, y)
    puffs = _puff_noise()
    radius = 0.22 + 0.72 * s ** 0.5
    edge = radius * (0.78 + 0.45 * puffs)
    inside = np.clip((edge - r) / (0.10 + 0.15 * s), 0, 1)
    heat = np.clip(1 - r / np.maximum(edge, 1e-3), 0, 1) * (0.6 + 0.6 * puffs)
    temp = np.clip(heat * (1.5 - 1.2 * s) + (1 - s) * 0.35, 0, 1.6)
    col = np.stack([
        np.clip(0.35 + temp * 1.4, 0, 1),
        np.clip(temp * 1.15 - 0.08, 0, 1),
        np.clip(temp * 1.5 - 0.9, 0, 1),
    ], axis=-1)
    smoke = np.array([0.30, 0.26, 0.26]) * (0.7 + 0.6 * puffs)[..., None]
    mix = np.clip(s * 1.5 - 0.45, 0, 1) * np.clip(1.2 - temp, 0, 1)
    col = col * (1 - mix[..., None]) + smoke * mix[..., None]
    alpha = inside * np.clip(1.15 - s, 0, 1) ** 1.2
    img = R.layer(col, alpha)
    ring_r = 0.25 + 0.75 * s ** 0.6
    ring = np.exp(-((r - ring_r) / (0.04 + 0.04 * s)) ** 2) * (1 - s) ** 2 * 0.7
    img = R.add(img, R.rgba((1.0, 0.85, 0.55), ring))
    flash = np.exp(-(r / 0.3) ** 2) * max(0.0, 1 - s * 3)
    img = R.add(img, R.rgba((1.0, 1.0, 0.9), flash))
    rng = np.random.RandomState(78)
    for i in range(12):
        ang = rng.uniform(0, 2 * np.pi)
        dist = 0.15 + rng.uniform(0.5, 0.85) * s ** 0.6
        ex, ey = dist * np.cos(ang), dist * np.sin(ang)
        e = np.exp(-((x - ex) ** 2 + (y - ey) ** 2) / 0.0015) * (1 - s)
        img = R.add(img, R.rgba((1.0, 0.75, 0.3), np.clip(e, 0, 1)))
    return R.downsample(img, SS)


def bomb_sheet():
    return R.sheet([bomb_frame(k) for k in range(16)])


def drop_bomb_sheet():
    return R.sheet([drop_bomb_frame(k) for k in range(16)])


def paint_sheet(shape, colours):
    return R.sheet([paint_frame(shape, colours, k) for k in range(16)])


def explosion_sheet():
    return R.sheet([explosion_frame(k) for k in range(16)])
