#include "tests/listed_background.h"

#include <GL/gl.h>

#include "render/background.h"

namespace kalup::listed {

namespace {

unsigned spriteList = 0;

void drawCloud(const background::SwirlCloud& cloud)
{
    for (int i = 0; i < cloud.trail; ++i) {
        const background::TrailPoint& p = cloud.trailPoints[i];
        glColor3fv(&p.r);
        glPushMatrix();
        glTranslatef(p.x, p.y, p.z);
        glCallList(spriteList);
        glPopMatrix();
    }
}

} // namespace

void compileSprite()
{
    const float s = background::spriteHalfSize;
    if (spriteList == 0)
        spriteList = glGenLists(1);
    glNewList(spriteList, GL_COMPILE);
    glBindTexture(GL_TEXTURE_2D, background::spriteTexture);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0, 0);
    glVertex3f(-s, -s, 0);
    glTexCoord2f(1, 0);
    glVertex3f(s, -s, 0);
    glTexCoord2f(0, 1);
    glVertex3f(-s, s, 0);
    glTexCoord2f(1, 1);
    glVertex3f(s, s, 0);
    glEnd();
    glEndList();
}

void drawBackground()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    for (int i = 0; i < background::cloudCount; ++i) {
        background::cloudArray[i].step();
        drawCloud(background::cloudArray[i]);
    }
}

void deleteSprite()
{
    if (spriteList != 0)
        glDeleteLists(spriteList, 1);
    spriteList = 0;
}

} // namespace kalup::listed
