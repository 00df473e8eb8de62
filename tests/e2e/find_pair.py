"""Finds two side-by-side pieces of one colour on a screenshot of the board.

Prints "row col" of the left piece of the first such pair, or nothing.
The screenshot must show the 800 x 600 screen 1:1 from its upper-left corner.
"""
import sys

from PIL import Image


def colour_class(image, x, y):
    """The dominant hue of a small patch around (x, y), or None if unclear."""
    r = g = b = 0
    count = 0
    for dy in range(-6, 7, 3):
        for dx in range(-6, 7, 3):
            pr, pg, pb = image.getpixel((x + dx, y + dy))[:3]
            r, g, b, count = r + pr, g + pg, b + pb, count + 1
    r, g, b = r / count, g / count, b / count
    if max(r, g, b) < 60:
        return None
    if r > 1.5 * g and r > 1.5 * b:
        return "red"
    if g > 1.3 * r and g > 1.2 * b:
        return "green"
    if b > 1.3 * r and b > 1.1 * g:
        return "blue"
    if r > 1.5 * b and g > 1.5 * b:
        return "yellow"
    return None


def main():
    image = Image.open(sys.argv[1]).convert("RGB")
    classes = [[colour_class(image, 48 + 64 * col, 40 + 64 * row) for col in range(12)] for row in range(9)]
    for row in range(9):
        for col in range(11):
            if classes[row][col] and classes[row][col] == classes[row][col + 1]:
                print(row, col)
                return


main()
