#pragma once
// What the help page and the tables of bests share: a dark veil over the
// screen they cover, and lines of text placed by their centre.
#include "render/draw.h"

namespace kalup::page_look {

// Darkens everything drawn so far, so the page reads over any picture.
void drawVeil(float opacity);
// A line centred on x, at baseline y, in opaque white.
void drawTextCentredAt(const char* text, int centreX, int y, FTFont* font);

} // namespace kalup::page_look
