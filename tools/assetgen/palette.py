"""The game's colours: each piece colour as (dark, mid, light) and its shape.

Colour 0 ruby circle, colour 1 emerald square, colour 2 sapphire diamond,
colour 3 topaz triangle: the shape alone tells the colours apart.
"""
GEMS = [
    ("circle", ((0.30, 0.00, 0.04), (0.92, 0.06, 0.12), (1.00, 0.50, 0.45))),
    ("square", ((0.02, 0.22, 0.08), (0.10, 0.78, 0.30), (0.66, 1.00, 0.66))),
    ("diamond", ((0.03, 0.07, 0.36), (0.16, 0.40, 1.00), (0.62, 0.82, 1.00))),
    ("triangle", ((0.36, 0.20, 0.00), (1.00, 0.74, 0.06), (1.00, 0.96, 0.58))),
]

SPACE_DARK = (0.02, 0.02, 0.07)
ACCENT = (0.35, 0.85, 1.00)
