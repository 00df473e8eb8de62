#include "render/textures.h"

#include <iterator>
#include <type_traits>

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

static_assert(std::is_same_v<ILuint, unsigned>, "ReadImages holds the image library's names");

namespace {

enum class Filter { Nearest, Linear };

struct TableEntry {
    Texture* texture;
    const char* path;
    Filter filter;
};

// The texture table, in its order.
const TableEntry table[] = {
    {&texTile, "images/tile1.png", Filter::Nearest},
    {&texBackdrop, "images/fon1.png", Filter::Nearest},
    {&texTitle1, "images/lt1.png", Filter::Nearest},
    {&texTitle2, "images/lt2.png", Filter::Nearest},
    {&texTitle3, "images/lt3.png", Filter::Nearest},
    {&texMenuBackdrop, "images/fire.jpg", Filter::Linear},
    {&texCursor, "images/cur.png", Filter::Nearest},
    {&texGear, "images/shest.png", Filter::Linear},
    // The burst sprites are stored in the order 1, 3, 4, 2 of their files.
    {&texBalls[0], "images/ball1.tga", Filter::Linear},
    {&texBalls[1], "images/ball3.tga", Filter::Linear},
    {&texBalls[2], "images/ball4.tga", Filter::Linear},
    {&texBalls[3], "images/ball2.tga", Filter::Linear},
    {&texBurstAlt, "images/6.tga", Filter::Linear},
    {&texStar, "images/star.bmp", Filter::Linear},
    // Files 6 and 7 are not pieces: the sheet of kind 5 is "8.tga".
    {&texPieces[0], "images/1.tga", Filter::Linear},
    {&texPieces[1], "images/2.tga", Filter::Linear},
    {&texPieces[2], "images/3.tga", Filter::Linear},
    {&texPieces[3], "images/4.tga", Filter::Linear},
    {&texPieces[4], "images/5.tga", Filter::Linear},
    {&texPieces[5], "images/8.tga", Filter::Linear},
    {&texPieces[6], "images/9.tga", Filter::Linear},
    {&texPieces[7], "images/10.tga", Filter::Linear},
    {&texPieces[8], "images/11.tga", Filter::Linear},
    {&texPieces[9], "images/12.tga", Filter::Linear},
    {&texGameOver, "images/gameover.png", Filter::Linear},
    {&texCongrats, "images/congr.png", Filter::Linear},
    {&texLevelUp, "images/levelup.png", Filter::Linear},
    {&texButtonStrip, "images/stick.png", Filter::Linear},
};

// Set by whichever thread holds the image library, as every other use of it.
bool imageLibraryStarted = false;

// The image library's reading side, which needs no GL context.
void startImageLibrary()
{
    if (imageLibraryStarted)
        return;
    ilInit();
    iluInit();
    imageLibraryStarted = true;
}

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

// The image in the library's memory, turned over once: the binding uploads
// the bottom row first whatever the file's own row order, while our quads
// put texture row 0 at the top, so every image then shows upright. 0 when
// the file cannot be read.
ILuint readImage(const char* path)
{
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    const bool loaded = ilLoadImage(path) == IL_TRUE;
    ilGetError();
    if (!loaded) {
        ilDeleteImages(1, &image);
        return 0;
    }
    iluFlipImage();
    return image;
}

// Makes the texture of a read image, which it frees.
Texture uploadImage(ILuint image, Filter filter)
{
    Texture texture = 0;
    if (image != 0) {
        ilBindImage(image);
        texture = ilutGLBindTexImage();
        ilGetError();
        ilDeleteImages(1, &image);
    }
    if (texture == 0)
        texture = transparentTexture();
    glBindTexture(GL_TEXTURE_2D, texture);
    applySampling(filter);
    loadedTextures.push_back(texture);
    return texture;
}

} // namespace

void initImageLibrary()
{
    startImageLibrary();
    ilutInit();
    // Reads the context's texture size limit: without a context every image
    // would be shrunk to 256 x 256.
    ilutRenderer(ILUT_OPENGL);
}

ReadImages readTextureTable()
{
    startImageLibrary();
    ReadImages read;
    for (const TableEntry& entry : table)
        read.images.push_back(readImage(entry.path));
    return read;
}

void loadTextureTable(ReadImages read)
{
    for (std::size_t i = 0; i < std::size(table); ++i)
        *table[i].texture = uploadImage(i < read.images.size() ? read.images[i] : 0, table[i].filter);
}

void loadTextureTable() { loadTextureTable(readTextureTable()); }

void releaseTextures()
{
    for (Texture texture : loadedTextures)
        glDeleteTextures(1, &texture);
    loadedTextures.clear();
}

} // namespace kalup::textures
