#!/usr/bin/python3
"""Regenerates every asset of the game into assets/, and the program icons
of the desktop menu into app/desktop/icons/.

    /usr/bin/python3 tools/make_assets.py [output-folder]
    (default: assets/ beside tools/; given a folder, the icons go to its desktop-icons/)

Needs Debian's python3-numpy, python3-pil, sox, espeak-ng, vorbis-tools and the
font packages named in tools/assetgen/fonts.py, whose fonts draw the titles
(the game itself loads them from those packages: nothing here copies them).
Everything is drawn, synthesised and composed here from fixed seeds: a second
run writes the same files.
"""
import os
import sys

from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from assetgen import music, pieces, screens, sounds, texts  # noqa: E402
from assetgen import raster as R  # noqa: E402
from assetgen.palette import GEMS  # noqa: E402

# Ball sprites by piece colour; the texture table loads them in the order 1, 3, 4, 2.
BALL_FILE_FOR_COLOUR = ["ball1.tga", "ball3.tga", "ball4.tga", "ball2.tga"]
PAINT_FILE_FOR_COLOUR = ["9.tga", "10.tga", "11.tga", "12.tga"]
GEM_FILE_FOR_COLOUR = ["1.tga", "2.tga", "3.tga", "4.tga"]
DESKTOP_ICON_SIZES = [16, 32, 48, 64, 128, 256, 512]


def save_tga(img, path):
    # top-left origin and run-length packing: transparent areas pack to almost nothing
    R.to_image(img).save(path, compression="tga_rle", orientation=1)


def save_png(img, path, mode="RGBA"):
    R.to_image(img, mode).save(path, optimize=True)


def images(out):
    d = os.path.join(out, "images")
    os.makedirs(d, exist_ok=True)
    for colour, (shape, cols) in enumerate(GEMS):
        save_tga(pieces.gem_sheet(shape, cols), os.path.join(d, GEM_FILE_FOR_COLOUR[colour]))
        save_tga(pieces.paint_sheet(shape, cols), os.path.join(d, PAINT_FILE_FOR_COLOUR[colour]))
        save_tga(pieces.ball(cols), os.path.join(d, BALL_FILE_FOR_COLOUR[colour]))
    save_tga(pieces.bomb_sheet(), os.path.join(d, "5.tga"))
    save_tga(pieces.explosion_sheet(), os.path.join(d, "6.tga"))
    save_tga(pieces.drop_bomb_sheet(), os.path.join(d, "8.tga"))
    R.to_image(pieces.star_flare(128), "RGB").save(os.path.join(d, "star.bmp"))

    for name, accent, seed in (("gameover.png", (1.0, 0.25, 0.2), 61), ("congr.png", (1.0, 0.75, 0.2), 62),
                               ("levelup.png", (0.3, 0.9, 1.0), 63)):
        save_png(screens.panel(accent, seed), os.path.join(d, name))

    Image.fromarray((screens.menu_backdrop() * 255).round().astype("uint8"), "RGB").save(
        os.path.join(d, "fire.jpg"), quality=90, optimize=True)
    Image.fromarray((screens.survival_backdrop() * 255).round().astype("uint8"), "RGB").save(
        os.path.join(d, "fon1.png"), optimize=True)
    save_png(screens.scroll_tile(), os.path.join(d, "tile1.png"))
    save_png(screens.button_strip(), os.path.join(d, "stick.png"))
    save_png(screens.gear(), os.path.join(d, "shest.png"))
    save_png(screens.cursor(), os.path.join(d, "cur.png"))
    logo = screens.logo_strip()
    for i in range(3):
        save_png(logo[:, i * 128:(i + 1) * 128], os.path.join(d, "lt%d.png" % (i + 1)))
    save_png(screens.launcher_picture(), os.path.join(d, "launcher.png"), "RGB")
    save_png(screens.icon(64), os.path.join(d, "icon.png"))


def desktop_icons(d):
    """The program icon at every size the desktop menus ask for, each drawn at its own size."""
    os.makedirs(d, exist_ok=True)
    for n in DESKTOP_ICON_SIZES:
        save_png(screens.icon(n), os.path.join(d, "%d.png" % n))


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    if len(sys.argv) > 1:
        out, icons = sys.argv[1], os.path.join(sys.argv[1], "desktop-icons")
    else:
        out, icons = os.path.join(root, "assets"), os.path.join(root, "app", "desktop", "icons")
    images(out)
    desktop_icons(icons)
    sounds.write_all(os.path.join(out, "sounds"))
    os.makedirs(os.path.join(out, "music"), exist_ok=True)
    music.write(os.path.join(out, "music", "ZELMONTA.mo3"))
    texts.write(os.path.join(out, "english.xml"))


if __name__ == "__main__":
    main()
