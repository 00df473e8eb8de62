"""Prints "row col" of the left piece of the side-by-side pair of one kind
that looks most alike on a screenshot of the 800 x 600 screen, or nothing."""
import sys

from PIL import Image, ImageChops, ImageStat

HALF = 22  # half the patch compared around each cell's centre


def hue(piece):
    """The dominant colour of a piece, or None for a dark or mixed one."""
    r, g, b = ImageStat.Stat(piece).mean
    if max(r, g, b) < 60:
        return None
    for name, main, others in (("red", r, (g, b)), ("green", g, (r, b)), ("blue", b, (r, g))):
        if all(main > 1.25 * other for other in others):
            return name
    return "yellow" if min(r, g) > 1.5 * b else None


image = Image.open(sys.argv[1]).convert("RGB")
cells = [[image.crop((48 + 64 * col - HALF, 40 + 64 * row - HALF, 48 + 64 * col + HALF, 40 + 64 * row + HALF))
          for col in range(12)] for row in range(9)]
# Pieces of one kind differ only by their glint; a special piece of the
# same colour differs in shape.
pairs = [(sum(ImageStat.Stat(ImageChops.difference(left, right)).mean), row, col)
         for row, line in enumerate(cells) for col, (left, right) in enumerate(zip(line, line[1:]))
         if hue(left) is not None and hue(left) == hue(right)]
if pairs:
    print(*min(pairs)[1:])
