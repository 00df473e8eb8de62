#include <cstdio>
#include <string>

#include <FTGL/ftgl.h>
#include <GL/gl.h>

#include "platform/logical_screen.h"
#include "render/draw.h"
#include "render/glyphs.h"

namespace kalup::draw {

FTFont* fontSmall = nullptr;
FTFont* fontLarge = nullptr;
FTFont* fontLabel = nullptr;

namespace {

// The game's own face first, then one of a like style that holds the
// letters of more languages: the Polish and Cyrillic ones the game's faces
// lack.
const char* const textFaces[] = {"fonts/dscoptic.ttf", "fonts/jura.otf"};
const char* const labelFaces[] = {"fonts/cristal.ttf", "fonts/kaffeesatz.otf"};
FontFiles chosen = {textFaces[0], labelFaces[0]};

const char* firstHolding(const char* const (&faces)[2], const std::string& characters)
{
    for (const char* face : faces)
        if (glyphs::missingCharacters(face, characters).empty())
            return face;
    // A face that cannot be opened draws nothing, as it always has, unreported.
    if (!glyphs::isFont(faces[0]))
        return faces[0];
    const std::string missing = glyphs::codePointList(glyphs::missingCharacters(faces[0], characters));
    std::fprintf(stderr, "kalup: no font of the game has every letter of its texts: %s lacks %s\n", faces[0],
        missing.c_str());
    return faces[0];
}

// A font whose file cannot be read stays null rather than a broken object.
FTFont* openFont(const char* path, unsigned size)
{
    FTFont* font = new FTTextureFont(path);
    if (font->Error() != 0) {
        delete font;
        return nullptr;
    }
    font->FaceSize(size, 72);
    return font;
}

void release(FTFont*& font)
{
    delete font;
    font = nullptr;
}

} // namespace

void drawText(const char* text, int x, int y, FTFont* font)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    beginText2D();
    // Callers measure y from the top of the screen.
    glTranslatef(static_cast<float>(x), static_cast<float>(logical::HEIGHT - y), 0.0f);
    if (font)
        font->Render(text);
    // Leaves every text call with the y-down screen, alpha blending and
    // opaque white, whatever the caller had set.
    beginScreen2D();
    glPopMatrix();
}

void drawNumber(int value, int x, int y, FTFont* font)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d", value);
    drawText(buffer, x, y, font);
}

int centredTextX(float llx, float urx)
{
    return static_cast<int>((static_cast<float>(logical::WIDTH) - llx - urx) / 2.0f);
}

void drawTextCentred(const char* text, int y, FTFont* font)
{
    float llx, urx;
    textBox(text, font, llx, urx);
    drawText(text, centredTextX(llx, urx), y, font);
}

void textBox(const char* text, FTFont* font, float& llx, float& urx)
{
    llx = urx = 0.0f;
    if (!font)
        return;
    float lly, llz, ury, urz;
    font->BBox(text, llx, lly, llz, urx, ury, urz);
}

void deleteFonts()
{
    release(fontLabel);
    release(fontSmall);
    release(fontLarge);
}

void chooseFontsFor(std::string_view texts)
{
    // With the digits and the colon of the numbers and times beside the texts.
    const std::string drawn = std::string(texts) + "0123456789:";
    chosen = {firstHolding(textFaces, drawn), firstHolding(labelFaces, drawn)};
}

FontFiles chosenFontFiles() { return chosen; }

void createFonts()
{
    deleteFonts();
    fontSmall = openFont(chosen.text, 20);
    fontLarge = openFont(chosen.text, 50);
    fontLabel = openFont(chosen.label, 20);
}

} // namespace kalup::draw
