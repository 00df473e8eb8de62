#include "render/textures.h"

#include <cstring>

#include <GL/gl.h>
#include <IL/il.h>
#include <IL/ilu.h>
#define ILUT_USE_OPENGL
#include <IL/ilut.h>

namespace kalup::textures {

Texture texTile = 0;
Texture texBackdrop = 0;
Texture texTitle1 = 0;
Texture texTitle2 = 0;
Texture texTitle3 = 0;
Texture texMenuBackdrop = 0;
Texture texCursor = 0;
Texture texGear = 0;
Texture texBalls[4] = {};
Texture texBurstAlt = 0;
Texture texStar = 0;
Texture texPieces[10] = {};
Texture texGameOver = 0;
Texture texCongrats = 0;
Texture texLevelUp = 0;
Texture texButtonStrip = 0;

std::vector<Texture> loadedTextures;

namespace {

constexpr std::size_t PATH_CAPACITY = 256;

// The image library hands back a garbage 1 x 1 texture for a file it could
// not read; a single clear texel instead makes a missing image draw nothing.
Texture transparentTexture()
{
    const unsigned char clear[4] = {0, 0, 0, 0};
    Texture texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, clear);
    return texture;
}

// The tiles scroll their texture coordinates beyond 0..1, so wrap must repeat.
void applySampling(Filter filter)
{
    const GLint mode = filter == Filter::Nearest ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, mode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, mode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

} // namespace

void initImageLibrary()
{
    ilInit();
    iluInit();
    ilutInit();
    // Reads the context's texture size limit: without a context every image
    // would be shrunk to 256 x 256.
    ilutRenderer(ILUT_OPENGL);
}

Texture loadTexture(const char* path, Filter filter)
{
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);

    char buffer[PATH_CAPACITY] = {};
    std::strncpy(buffer, path, PATH_CAPACITY - 1);
    const bool loaded = ilLoadImage(buffer) == IL_TRUE;
    ilGetError();

    Texture texture = 0;
    if (loaded) {
        // The binding uploads the bottom row first whatever the file's own
        // row order, while our quads put texture row 0 at the top: turning
        // every image over once makes them all show upright.
        iluFlipImage();
        texture = ilutGLBindTexImage();
        ilGetError();
    }
    ilDeleteImages(1, &image);

    if (texture == 0)
        texture = transparentTexture();
    glBindTexture(GL_TEXTURE_2D, texture);
    applySampling(filter);
    loadedTextures.push_back(texture);
    return texture;
}

void loadTextureTable()
{
    using enum Filter;
    texTile = loadTexture("images/tile1.png", Nearest);
    texBackdrop = loadTexture("images/fon1.png", Nearest);
    texTitle1 = loadTexture("images/lt1.png", Nearest);
    texTitle2 = loadTexture("images/lt2.png", Nearest);
    texTitle3 = loadTexture("images/lt3.png", Nearest);
    texMenuBackdrop = loadTexture("images/fire.jpg", Linear);
    texCursor = loadTexture("images/cur.png", Nearest);
    texGear = loadTexture("images/shest.png", Linear);
    // The burst sprites are stored in the order 1, 3, 4, 2 of their files.
    texBalls[0] = loadTexture("images/ball1.tga", Linear);
    texBalls[1] = loadTexture("images/ball3.tga", Linear);
    texBalls[2] = loadTexture("images/ball4.tga", Linear);
    texBalls[3] = loadTexture("images/ball2.tga", Linear);
    texBurstAlt = loadTexture("images/6.tga", Linear);
    texStar = loadTexture("images/star.bmp", Linear);
    // Files 6 and 7 are not pieces: the sheet of kind 5 is "8.tga".
    const char* const pieceFiles[10] = {
        "images/1.tga", "images/2.tga", "images/3.tga", "images/4.tga", "images/5.tga",
        "images/8.tga", "images/9.tga", "images/10.tga", "images/11.tga", "images/12.tga",
    };
    for (int kind = 0; kind < 10; ++kind)
        texPieces[kind] = loadTexture(pieceFiles[kind], Linear);
    texGameOver = loadTexture("images/gameover.png", Linear);
    texCongrats = loadTexture("images/congr.png", Linear);
    texLevelUp = loadTexture("images/levelup.png", Linear);
    texButtonStrip = loadTexture("images/stick.png", Linear);
}

void releaseTextures()
{
    for (Texture texture : loadedTextures)
        glDeleteTextures(1, &texture);
    loadedTextures.clear();
}

} // namespace kalup::textures
