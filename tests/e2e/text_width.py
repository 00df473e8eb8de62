"""Prints where the light text on a dark screenshot ends: the rightmost
column with at least four light pixels (a star of the backdrop has fewer)."""
import sys

from PIL import Image

image = Image.open(sys.argv[1]).convert("RGB")
width, height = image.size
pixels = image.load()
end = 0
for x in range(width):
    if sum(min(pixels[x, y]) > 90 for y in range(height)) >= 4:
        end = x + 1
print(end)
