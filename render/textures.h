#pragma once
// Every image of the game, loaded once at start-up into an OpenGL texture.
#include <vector>

namespace kalup::textures {

using Texture = unsigned;

extern Texture texTile;
extern Texture texBackdrop;
extern Texture texTitle1;
extern Texture texTitle2;
extern Texture texTitle3;
extern Texture texMenuBackdrop;
extern Texture texCursor;
extern Texture texGear;
extern Texture texBalls[4];
extern Texture texBurstAlt;
extern Texture texStar;
extern Texture texPieces[10];
extern Texture texGameOver;
extern Texture texCongrats;
extern Texture texLevelUp;
extern Texture texButtonStrip;

// Owns every texture created, in load order.
extern std::vector<Texture> loadedTextures;

// Starts the image library; with the GL context current, before any texture is made.
void initImageLibrary();
// The images of the texture table read into the image library's memory,
// in the table's order (0 for a file that could not be read). Whoever holds
// them owns them: they become textures once, through loadTextureTable.
struct ReadImages {
    std::vector<unsigned> images;
};
// Reads every image of the texture table. It needs no GL context, so it may
// run on another thread; the image library (all its state is global) then
// belongs to that thread until the images are handed back, and nothing else
// may touch it before.
ReadImages readTextureTable();
// The whole texture table, in its order, from the images read ahead, which
// it frees; with the GL context current. Every picture shows upright; a
// missing or unreadable file gives a fully transparent texture, so it draws
// nothing visible.
void loadTextureTable(ReadImages read);
// The same, reading the images on the spot.
void loadTextureTable();
void releaseTextures();

} // namespace kalup::textures
