"""Prints how many rows of the board, counted up from the bottom, hold
pieces on a screenshot of the 800 x 600 screen: a row counts when most of
its cells show a piece's colour."""
import sys

from PIL import Image, ImageStat

HALF = 22  # half the patch looked at around each cell's centre


def is_piece(patch):
    """A piece is bright and of one dominant colour; the backdrop is neither."""
    r, g, b = ImageStat.Stat(patch).mean
    if max(r, g, b) < 60:
        return False
    return any(main > 1.25 * max(others) for main, others in ((r, (g, b)), (g, (r, b)), (b, (r, g)))) \
        or min(r, g) > 1.5 * b


image = Image.open(sys.argv[1]).convert("RGB")
rows = 0
for row in reversed(range(9)):
    pieces = sum(is_piece(image.crop((48 + 64 * col - HALF, 40 + 64 * row - HALF,
                                      48 + 64 * col + HALF, 40 + 64 * row + HALF))) for col in range(12))
    if pieces < 9:
        break
    rows += 1
print(rows)
