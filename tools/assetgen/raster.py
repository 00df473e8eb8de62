"""Small float-image toolkit shared by every picture the generator draws.

Images are numpy arrays of shape (h, w, 4) holding premultiplied RGBA in 0..1.
Shapes are drawn as signed distances (positive inside) and turned into
coverage with a one-pixel smooth edge, which gives clean anti-aliasing
without supersampling.
"""
import numpy as np
from PIL import Image


def grid(w, h, scale=None, cx=None, cy=None):
    """Pixel-centre coordinates in units of `scale` pixels around (cx, cy)."""
    scale = scale or min(w, h) / 2.0
    cx = w / 2.0 if cx is None else cx
    cy = h / 2.0 if cy is None else cy
    ys, xs = np.mgrid[0:h, 0:w].astype(np.float64)
    return (xs + 0.5 - cx) / scale, (ys + 0.5 - cy) / scale


def smoothstep(e0, e1, x):
    t = np.clip((x - e0) / (e1 - e0), 0.0, 1.0)
    return t * t * (3.0 - 2.0 * t)


def coverage(dist, px):
    """Coverage of a shape from its signed distance; px is one pixel in distance units."""
    return np.clip(dist / px + 0.5, 0.0, 1.0)


def polygon_sdf(x, y, sides, apothem, rotation):
    """Signed distance inside a regular polygon plus the index of the nearest edge.

    Edge i has its outward normal at angle rotation + (i + 0.5) * 2pi / sides.
    """
    angles = rotation + (np.arange(sides) + 0.5) * 2 * np.pi / sides
    d = np.stack([apothem - (x * np.cos(a) + y * np.sin(a)) for a in angles])
    order = np.argsort(d, axis=0)
    nearest = order[0]
    d_sorted = np.take_along_axis(d, order[:2], axis=0)
    return d_sorted[0], nearest, d_sorted[1] - d_sorted[0], angles


def circle_sdf(x, y, r, cx=0.0, cy=0.0):
    return r - np.hypot(x - cx, y - cy)


def box_sdf(x, y, hw, hh, cx=0.0, cy=0.0, radius=0.0):
    qx = np.abs(x - cx) - (hw - radius)
    qy = np.abs(y - cy) - (hh - radius)
    outside = np.hypot(np.maximum(qx, 0), np.maximum(qy, 0))
    inside = np.minimum(np.maximum(qx, qy), 0)
    return -(outside + inside - radius)


def segment_sdf(x, y, ax, ay, bx, by, r):
    pax, pay = x - ax, y - ay
    bax, bay = bx - ax, by - ay
    h = np.clip((pax * bax + pay * bay) / (bax * bax + bay * bay), 0, 1)
    return r - np.hypot(pax - bax * h, pay - bay * h)


def convex_sdf(x, y, pts):
    """Signed distance inside a convex polygon (positive inside), points in either winding."""
    cx = sum(p[0] for p in pts) / len(pts)
    cy = sum(p[1] for p in pts) / len(pts)
    d = None
    n = len(pts)
    for i in range(n):
        ax, ay = pts[i]
        bx, by = pts[(i + 1) % n]
        ex, ey = bx - ax, by - ay
        ln = np.hypot(ex, ey)
        nx, ny = -ey / ln, ex / ln
        if (cx - ax) * nx + (cy - ay) * ny < 0:
            nx, ny = -nx, -ny
        di = (x - ax) * nx + (y - ay) * ny
        d = di if d is None else np.minimum(d, di)
    return d


def rgba(colour, alpha):
    """Premultiplied layer of one colour with a per-pixel alpha array."""
    a = np.clip(alpha, 0, 1)[..., None]
    c = np.asarray(colour, dtype=np.float64)
    return np.concatenate([c * a, a], axis=-1)


def layer(rgb, alpha):
    """Premultiplied layer from a per-pixel colour array and alpha."""
    a = np.clip(alpha, 0, 1)[..., None]
    return np.concatenate([np.clip(rgb, 0, None) * a, a], axis=-1)


def over(dst, src):
    return src + dst * (1.0 - src[..., 3:4])


def add(dst, src):
    out = dst.copy()
    out[..., :3] += src[..., :3]
    out[..., 3:] = np.maximum(out[..., 3:], src[..., 3:])
    return out


def empty(w, h):
    return np.zeros((h, w, 4))


def blur(img, radius, wrap=False):
    """Separable Gaussian blur of a premultiplied image; wrap keeps tiles seamless."""
    sigma = max(radius, 1e-3)
    k = int(np.ceil(sigma * 3))
    xs = np.arange(-k, k + 1)
    kern = np.exp(-0.5 * (xs / sigma) ** 2)
    kern /= kern.sum()
    mode = "wrap" if wrap else "constant"
    out = img
    for axis in (0, 1):
        pad = [(0, 0)] * img.ndim
        pad[axis] = (k, k)
        padded = np.pad(out, pad, mode=mode)
        acc = np.zeros_like(out)
        n = out.shape[axis]
        for i, wgt in enumerate(kern):
            sl = [slice(None)] * img.ndim
            sl[axis] = slice(i, i + n)
            acc += wgt * padded[tuple(sl)]
        out = acc
    return out


def to_image(img, mode="RGBA"):
    """Premultiplied float image to a PIL image (straight alpha)."""
    a = np.clip(img[..., 3:4], 0, 1)
    rgb = np.where(a > 1e-6, img[..., :3] / np.maximum(a, 1e-6), 0.0)
    rgb = np.clip(rgb, 0, 1)
    if mode == "RGB":
        arr = np.clip(img[..., :3], 0, 1)
        return Image.fromarray(np.round(arr * 255).astype(np.uint8), "RGB")
    arr = np.concatenate([rgb, a], axis=-1)
    return Image.fromarray(np.round(arr * 255).astype(np.uint8), "RGBA")


def value_noise(w, h, cells, seed, tile=True):
    """Smooth value noise of `cells` lattice cells across the image; tiles when asked."""
    rng = np.random.RandomState(seed)
    lattice = rng.rand(cells + 1, cells + 1)
    if tile:
        lattice[-1, :] = lattice[0, :]
        lattice[:, -1] = lattice[:, 0]
    ys, xs = np.mgrid[0:h, 0:w].astype(np.float64)
    fx = xs / w * cells
    fy = ys / h * cells
    ix = np.floor(fx).astype(int)
    iy = np.floor(fy).astype(int)
    tx = smoothstep(0, 1, fx - ix)
    ty = smoothstep(0, 1, fy - iy)
    a = lattice[iy, ix]
    b = lattice[iy, ix + 1]
    c = lattice[iy + 1, ix]
    d = lattice[iy + 1, ix + 1]
    return (a * (1 - tx) + b * tx) * (1 - ty) + (c * (1 - tx) + d * tx) * ty


def fractal_noise(w, h, base_cells, octaves, seed, tile=True):
    total = np.zeros((h, w))
    amp, norm = 1.0, 0.0
    for o in range(octaves):
        total += amp * value_noise(w, h, base_cells * 2 ** o, seed + o * 101, tile)
        norm += amp
        amp *= 0.5
    return total / norm


def sheet(frames):
    """Lay 16 frames of 64 x 64 out as a 4 x 4 sprite sheet, frame k at column k % 4, row k // 4."""
    out = np.zeros((256, 256, 4))
    for k, f in enumerate(frames):
        r, c = divmod(k, 4)
        out[r * 64:(r + 1) * 64, c * 64:(c + 1) * 64] = f
    return out


def downsample(img, factor):
    h, w = img.shape[0] // factor, img.shape[1] // factor
    return img.reshape(h, factor, w, factor, img.shape[2]).mean(axis=(1, 3))
