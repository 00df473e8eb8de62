"""Finds two side-by-side pieces of one kind on a screenshot of the board.

Prints "row col" of the left piece of the pair that looks most alike, or
nothing. The screenshot must show the 800 x 600 screen 1:1 from its
upper-left corner.
"""
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
best = None
for row in range(9):
    for col in range(11):
        left, right = cells[row][col], cells[row][col + 1]
        if hue(left) is None or hue(left) != hue(right):
            continue
        # Pieces of one kind differ only by their glint; a special piece
        # of the same colour differs in shape.
        difference = sum(ImageStat.Stat(ImageChops.difference(left, right)).mean)
        if best is None or difference < best[0]:
            best = (difference, row, col)
if best:
    print(best[1], best[2])
