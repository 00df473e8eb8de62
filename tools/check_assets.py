#!/usr/bin/python3
"""Checks the generated asset set against what the game expects of it.

    /usr/bin/python3 tools/check_assets.py [assets-folder]

Image formats and sizes, sheet layout, the star without alpha, the cursor tip,
seamless tiles, sound lengths and peaks, the music module (through libopenmpt),
the language keys, and that both system fonts the game links to have every
character the texts use (the assets hold no copy of them).
Prints one line per problem and ends with "N passed, N failed".
"""
import os
import subprocess
import sys
import xml.etree.ElementTree as ET

import numpy as np
from PIL import Image, ImageFont

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, here)
from assetgen import fonts, texts  # noqa: E402

SHEETS = ["1.tga", "2.tga", "3.tga", "4.tga", "5.tga", "6.tga", "8.tga", "9.tga", "10.tga", "11.tga", "12.tga"]
SIZES = {
    "ball1.tga": None, "ball2.tga": None, "ball3.tga": None, "ball4.tga": None,
    "gameover.png": (512, 512), "congr.png": (512, 512), "levelup.png": (512, 512),
    "cur.png": (16, 32), "lt1.png": (128, 128), "lt2.png": (128, 128), "lt3.png": (128, 128),
    "stick.png": (64, 64), "tile1.png": None, "fon1.png": None, "fire.jpg": None, "shest.png": None,
    "star.bmp": None, "launcher.png": (285, 231), "icon.png": None,
}
SOUNDS = ["fall.ogg", "jump.ogg", "explos1.ogg", "explos2.ogg", "3.ogg", "8.ogg", "7.ogg", "11.ogg"] + \
         ["robot %s.ogg" % w for w in ("two", "three", "four", "five", "six", "seven", "eight", "nine", "ten", "larff")] + \
         ["paint.ogg", "linefall.wav", "12.ogg"]

results = []


def check(ok, what):
    results.append(ok)
    if not ok:
        print("FAIL:", what)


def seam_error(arr, axis):
    a = arr.astype(np.float64)
    first = np.take(a, 0, axis=axis)
    last = np.take(a, -1, axis=axis)
    inner = np.abs(np.diff(a, axis=axis)).mean()
    return np.abs(first - last).mean(), inner


def images(root):
    d = os.path.join(root, "images")
    for name in SHEETS:
        im = Image.open(os.path.join(d, name))
        check(im.format == "TGA" and im.size == (256, 256) and im.mode == "RGBA", "%s: 256x256 RGBA TGA" % name)
        a = np.asarray(im)[..., 3]
        for k in range(16):
            r, c = divmod(k, 4)
            check(a[r * 64:(r + 1) * 64, c * 64:(c + 1) * 64].max() > 0 or name == "6.tga", "%s frame %d is empty" % (name, k))
    for name, size in SIZES.items():
        path = os.path.join(d, name)
        check(os.path.exists(path), name + " exists")
        if not os.path.exists(path):
            continue
        im = Image.open(path)
        if size:
            check(im.size == size, "%s is %s, not %s" % (name, im.size, size))
    star = Image.open(os.path.join(d, "star.bmp"))
    check(star.format == "BMP" and star.mode == "RGB", "star.bmp is 24-bit")
    s = np.asarray(star)
    check(s[0, 0].max() == 0 and s[-1, -1].max() == 0, "star.bmp has a black background")
    check(Image.open(os.path.join(d, "fire.jpg")).format == "JPEG", "fire.jpg is a JPEG")
    cur = np.asarray(Image.open(os.path.join(d, "cur.png")).convert("RGBA"))
    check(cur[0, 0, 3] > 100 and cur[0, -1, 3] == 0 and cur[-1, -1, 3] == 0, "cursor tip at the upper-left corner")
    for name in ("stick.png",):
        arr = np.asarray(Image.open(os.path.join(d, name)).convert("RGBA"))
        err, inner = seam_error(arr, 1)
        check(err <= inner * 1.5 + 1, "%s tiles side by side (seam %.1f, inner %.1f)" % (name, err, inner))
    arr = np.asarray(Image.open(os.path.join(d, "tile1.png")).convert("RGBA"))
    for axis in (0, 1):
        err, inner = seam_error(arr, axis)
        check(err <= inner * 1.5 + 1, "tile1.png tiles along axis %d (seam %.1f, inner %.1f)" % (axis, err, inner))
    for name in ("gameover.png", "congr.png", "levelup.png"):
        a = np.asarray(Image.open(os.path.join(d, name)).convert("RGBA"))
        check(a[..., 3].min() < 255 and a[256, 256, 3] > 0, name + " is translucent around a solid middle")


def sounds(root):
    for name in SOUNDS:
        path = os.path.join(root, "sounds", name)
        check(os.path.exists(path), name + " exists")
        if not os.path.exists(path):
            continue
        out = subprocess.run(["sox", path, "-n", "stats"], capture_output=True, text=True).stderr
        stats = {}
        for line in out.splitlines():
            parts = line.rsplit(None, 1)
            if len(parts) == 2:
                stats[parts[0].strip()] = parts[1]
        length = float(stats.get("Length s", "0"))
        peak = float(stats.get("Pk lev dB", "0"))
        check(0.1 <= length <= 3.0, "%s plays %.2f s" % (name, length))
        check(peak <= -3.0, "%s peaks at %.2f dBFS" % (name, peak))
        kind = "WAVE" if name.endswith(".wav") else "Ogg"
        check(open(path, "rb").read(4) in (b"RIFF", b"OggS") and (kind == "WAVE") == name.endswith(".wav"),
              name + " has its format")


def module(root):
    path = os.path.join(root, "music", "ZELMONTA.mo3")
    check(open(path, "rb").read(3) == b"MO3", "the module is an MO3 container")
    out = subprocess.run([sys.executable, os.path.join(here, "check_module.py"), path], capture_output=True, text=True).stdout
    check("type: mo3" in out, "libopenmpt loads the module as MO3")
    dur = [float(l.split()[1]) for l in out.splitlines() if l.startswith("duration:")]
    check(bool(dur) and dur[0] >= 60, "the tune runs at least 60 s before it repeats")
    peak = [float(l.split()[1]) for l in out.splitlines() if l.startswith("peak:")]
    check(bool(peak) and peak[0] <= -3.0, "the music peaks at or below -3 dBFS")


def language_and_fonts(root):
    s = ET.parse(os.path.join(root, "english.xml")).getroot().find("Text").find("string")
    keys = [k for k, _ in texts.TEXTS]
    check(len(keys) == 38 and all(k in s.attrib for k in keys), "english.xml has all 38 keys")
    check(all(0 < len(v.encode()) <= 255 for v in s.attrib.values()), "every text fits its buffer")
    chars = sorted(set("".join(s.attrib.values())) | set("0123456789:-"))
    check(not os.path.exists(os.path.join(root, "fonts")), "no copy of the system's fonts among the assets")
    for name, path in fonts.GAME_FONTS.items():
        font = ImageFont.truetype(path, 20)
        notdef = bytes(font.getmask("\uffff"))
        missing = [c for c in chars if c != " " and bytes(font.getmask(c)) == notdef]
        check(not missing, "%s renders every character (missing %s)" % (name, missing))


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(here), "assets")
    images(root)
    sounds(root)
    module(root)
    language_and_fonts(root)
    passed = sum(results)
    print("%d passed, %d failed" % (passed, len(results) - passed))
    return 0 if passed == len(results) else 1


if __name__ == "__main__":
    sys.exit(main())
