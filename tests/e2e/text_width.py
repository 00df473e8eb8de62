"""Prints where a line of light text at the left of a dark screenshot ends:
the last column with at least four light pixels before a gap wider than
any between words, so a star of the backdrop further right does not count."""
import sys

from PIL import Image

GAP = 12  # columns; a space between words is about half of it

image = Image.open(sys.argv[1]).convert("RGB")
width, height = image.size
pixels = image.load()
end = 0
for x in range(width):
    if end and x - end > GAP:
        break
    if sum(min(pixels[x, y]) > 90 for y in range(height)) >= 4:
        end = x + 1
print(end)
