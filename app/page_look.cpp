#include "app/page_look.h"

#include <GL/gl.h>

#include "platform/logical_screen.h"

namespace kalup::page_look {

void drawVeil(float opacity)
{
    draw::useBlend(draw::Blend::Alpha);
    // No texture: the quad takes the plain colour.
    glBindTexture(GL_TEXTURE_2D, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(logical::WIDTH / 2.0f, logical::HEIGHT / 2.0f, 0.0f);
    glColor4f(0.0f, 0.0f, 0.0f, opacity);
    draw::emitQuad(logical::WIDTH / 2.0f, logical::HEIGHT / 2.0f, 0.0f, 0.0f, 1.0f, 1.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void drawTextCentredAt(const char* text, int centreX, int y, FTFont* font)
{
    float llx = 0;
    float urx = 0;
    draw::textBox(text, font, llx, urx);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    draw::drawText(text, centreX - static_cast<int>((llx + urx) / 2), y, font);
}

} // namespace kalup::page_look
