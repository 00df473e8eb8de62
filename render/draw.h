#pragma once
// Projections, textured-quad primitives and text over the three fonts.
// Every primitive loads the identity modelview and sets its own translation.
#include <string_view>

#include "render/textures.h"

class FTFont;

namespace kalup::draw {

using textures::Texture;

// Null while a font's file cannot be read: every text function accepts a
// null font and then draws nothing.
extern FTFont* fontSmall;
extern FTFont* fontLarge;
extern FTFont* fontLabel;

// Animation phases of the pulsing backdrop and the drifting tiles.
extern float pulsePhase;
extern float tileScroll;
extern double tileScrollTime;

// The blend functions the passes draw with: coverage by alpha, plain sums
// (the backdrop's clouds, a new round's canvas) and glow added by alpha.
enum class Blend { Alpha, Add, Glow };
void useBlend(Blend blend);

// The 2D screen: y down, alpha blending, opaque white, texturing on.
void beginScreen2D();
void beginText2D();
void beginScene3D();

// One quad centred on the current origin, in the layout every sprite and
// particle uses: corners from the upper left, clockwise on screen, the first
// with texture coordinate (s0, t0).
void emitQuad(float halfW, float halfH, float s0, float t0, float s1, float t1);

void drawSprite(Texture texture, float x, float y, float w, float h, float angle, float alpha);
void drawSheetFrame(Texture texture, float x, float y, float w, float h, int frame, float angle, float alpha);
void drawPulsingQuad(Texture texture, float x, float y, float w, float h);
// The breathing as drawPulsingQuad steps it, without drawing.
void stepPulse();
void drawScrollingTiles(Texture texture, float tileSize);
// The tiles' drift as drawScrollingTiles steps it, without drawing them.
void stepTileScroll();
// Draws with the bound texture and the current colour: bind first, and again
// after any text, since the font leaves its glyph texture bound.
void drawSquare(float x, float y, float size);

// An untextured square band around (x, y) in the current colour, between the
// squares of half sides `inner` and `outer`.
void drawSquareBand(float x, float y, float inner, float outer);

void drawText(const char* text, int x, int y, FTFont* font);
void drawNumber(int value, int x, int y, FTFont* font);
// Centred on the 800-unit screen: x = (800 - llx - urx) / 2.
void drawTextCentred(const char* text, int y, FTFont* font);
// That rule's x, truncated toward zero.
int centredTextX(float llx, float urx);
// The left and right edges of the text's bounding box in the font.
void textBox(const char* text, FTFont* font, float& llx, float& urx);

// The font files the fonts are made from: fontSmall and fontLarge of the
// text face, fontLabel of the label face.
struct FontFiles {
    const char* text;
    const char* label;
};
// For each face, the first file that holds every character of the texts (and
// of the numbers drawn beside them): the game's own faces unless a language
// needs letters they lack. When none holds them all, the game's own, and
// the letters it lacks are reported on stderr. Takes effect at the next
// createFonts.
void chooseFontsFor(std::string_view texts);
FontFiles chosenFontFiles();

// Deletes the fonts that exist, then creates the three anew.
void createFonts();
void deleteFonts();

} // namespace kalup::draw
