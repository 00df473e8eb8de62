#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <future>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <GL/gl.h>
#include <IL/il.h>
#include <gtest/gtest.h>

#include "platform/display.h"
#include "render/draw.h"
#include "render/textures.h"
#include "tests/harness.h"

using namespace kalup;
using Rgb = std::tuple<int, int, int>;

namespace {

// Colours in eighths of full brightness, the steps the tests tell apart.
const Rgb RED{8, 0, 0}, GREEN{0, 8, 0}, BLUE{0, 0, 8}, WHITE{8, 8, 8}, BLACK{0, 0, 0}, GREY{2, 2, 2};

// Truecolour TGA with alpha, rows top or bottom first, of letters R G B W ('.' clear) `scale` pixels wide.
std::string tga(const std::vector<std::string>& rows, int scale, bool topFirst = true)
{
    const int w = static_cast<int>(rows[0].size()) * scale, h = static_cast<int>(rows.size()) * scale;
    std::string out = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, char(w), char(w >> 8), char(h), char(h >> 8), 32,
        char(topFirst ? 0x28 : 0x08)};
    for (int i = 0; i < w * h; ++i) {
        const char c = rows[(topFirst ? i / w : h - 1 - i / w) / scale][i % w / scale];
        const auto on = [c](char colour) { return char(c == colour || c == 'W' ? 255 : 0); };
        out += {on('B'), on('G'), on('R'), char(c == '.' ? 0 : 255)};
    }
    return out;
}

// A PNG with alpha, or a BMP or JPEG without, converted by the image library.
void convert(const char* from, const std::string& to)
{
    const ILuint id = ilGenImage();
    ilBindImage(id);
    ilLoadImage(from);
    if (!to.ends_with(".png"))
        ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE);
    ilSaveImage(to.c_str());
    ilDeleteImages(1, &id);
}

// A pixel of the logical screen in eighths, x and y from the upper left.
Rgb at(int x, int y)
{
    std::uint8_t p[4] = {};
    glReadPixels(x, 599 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {(p[0] * 8 + 127) / 255, (p[1] * 8 + 127) / 255, (p[2] * 8 + 127) / 255};
}

// A fresh frame on the hidden display: the 2D screen over a grey backdrop.
void freshFrame()
{
    harness::needDisplay();
    display::beginFrame();
    draw::beginScreen2D();
    glClearColor(0.25f, 0.25f, 0.25f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

// An image file loaded as the game loads its pictures, through its texture
// table: the file (if there is one) takes the place of the table's picture
// at `place` in an otherwise empty folder, the table is loaded from there,
// and that picture's texture is handed back. Back in the folder the tests
// run in, the game's own pictures are loaded again.
textures::Texture loadAsTablePicture(const std::string& file, const char* place, const textures::Texture& picture)
{
    textures::Texture loaded = 0;
    {
        const harness::TempWorkDir dir;
        std::filesystem::create_directory("images");
        if (std::filesystem::exists(file))
            std::filesystem::copy_file(file, place);
        textures::loadTextureTable();
        loaded = picture;
    }
    textures::loadTextureTable();
    return loaded;
}

// The blend factors and the current colour that drawing leaves behind.
std::tuple<GLint, GLint, std::array<GLfloat, 4>> leftBehind()
{
    std::tuple<GLint, GLint, std::array<GLfloat, 4>> state;
    glGetIntegerv(GL_BLEND_SRC, &std::get<0>(state));
    glGetIntegerv(GL_BLEND_DST, &std::get<1>(state));
    glGetFloatv(GL_CURRENT_COLOR, std::get<2>(state).data());
    return state;
}

} // namespace

TEST(TextureLoading, EveryShippedFormatShowsUprightAndAMissingOrBrokenImageNothing)
{
    harness::needDisplay();
    const harness::TempFolder dir;
    const auto path = [&dir](const std::string& file) { return dir.path() + "/" + file; };
    dir.write("top_first.tga", tga({"GR", "B."}, 8));
    dir.write("bottom_first.tga", tga({"GR", "B."}, 8, false));
    dir.write("broken.png", "\x89PNG\r\n\x1a\n this is not an image");
    for (const char* file : {"image.png", "image.bmp", "image.jpg"})
        convert(path("top_first.tga").c_str(), path(file));
    // A picture of the table of each format; a missing or broken one in the cursor's place.
    const auto placeOf = [](const std::string& file) -> std::pair<const char*, const textures::Texture&> {
        if (file.ends_with(".tga"))
            return {"images/1.tga", textures::texPieces[0]};
        if (file.ends_with(".bmp"))
            return {"images/star.bmp", textures::texStar};
        if (file.ends_with(".jpg"))
            return {"images/fire.jpg", textures::texMenuBackdrop};
        return {"images/cur.png", textures::texCursor};
    };
    const std::tuple<const char*, Rgb, Rgb, Rgb, Rgb> files[] = {{"top_first.tga", GREEN, RED, BLUE, GREY},
        {"bottom_first.tga", GREEN, RED, BLUE, GREY}, {"image.png", GREEN, RED, BLUE, GREY},
        {"image.bmp", GREEN, RED, BLUE, BLACK}, {"image.jpg", GREEN, RED, BLUE, BLACK},
        {"none.png", GREY, GREY, GREY, GREY}, {"broken.png", GREY, GREY, GREY, GREY}};
    for (auto [file, upperLeft, upperRight, lowerLeft, clearLowerRight] : files) {
        SCOPED_TRACE(file);
        const auto [place, picture] = placeOf(file);
        const textures::Texture texture = loadAsTablePicture(path(file), place, picture);
        freshFrame();
        draw::drawSprite(texture, 400, 300, 200, 200, 0, 1);
        EXPECT_EQ(std::tuple(at(350, 250), at(450, 250), at(350, 350), at(450, 350)),
            std::tuple(upperLeft, upperRight, lowerLeft, clearLowerRight));
    }
}

TEST(TextureLoading, TableReadAheadOnAnotherThreadGivesTheSameTextures)
{
    freshFrame();
    // The size and every texel of a few textures of the table, each image format among them.
    const auto texels = [] {
        std::vector<std::tuple<GLint, GLint, std::vector<std::uint8_t>>> all;
        for (textures::Texture texture : {textures::texMenuBackdrop, textures::texCursor, textures::texPieces[5],
                 textures::texStar}) {
            GLint width = 0, height = 0;
            glBindTexture(GL_TEXTURE_2D, texture);
            glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
            glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
            std::vector<std::uint8_t> pixels(std::size_t(width) * height * 4);
            glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
            all.emplace_back(width, height, std::move(pixels));
        }
        return all;
    };
    const auto readOnTheSpot = texels();
    textures::loadTextureTable(std::async(std::launch::async, textures::readTextureTable).get());
    EXPECT_TRUE(texels() == readOnTheSpot);
}

TEST(SpriteDrawing, SheetFrameIsItsCellCountedAlongTheRowsAndKeepsTheBlending)
{
    harness::needDisplay();
    const harness::TempFolder dir;
    dir.write("sheet.tga", tga({"R..W", "G...", "....", "...B"}, 64));
    // In the place of the cursor's picture, which is drawn unsmoothed as the sheet must be here.
    convert((dir.path() + "/sheet.tga").c_str(), dir.path() + "/sheet.png");
    const textures::Texture sheet = loadAsTablePicture(dir.path() + "/sheet.png", "images/cur.png",
        textures::texCursor);
    freshFrame();
    const std::tuple<int, int, Rgb> frames[] = {{0, 100, RED}, {3, 300, WHITE}, {4, 500, GREEN}, {15, 700, BLUE}};
    glBlendFunc(GL_ONE, GL_ZERO);
    for (auto [frame, x, colour] : frames)
        draw::drawSheetFrame(sheet, static_cast<float>(x), 300, 128, 128, frame, 0, 1);
    EXPECT_EQ(leftBehind(), std::tuple(GL_ONE, GL_ZERO, std::array{1.0f, 1.0f, 1.0f, 1.0f}));
    for (auto [frame, x, colour] : frames)
        for (int d : {-60, 0, 60})
            EXPECT_EQ(std::tuple(at(x + d, 300 + d), at(x - d, 300 + d)), std::tuple(colour, colour)) << frame;
}

TEST(ScrollingTiles, DriftStepsAtMostOncePerHundredthOfASecond)
{
    freshFrame();
    draw::tileScroll = 0.0f;
    draw::tileScrollTime = 0.0;
    // Twice at one time is one step, 0.0099 s after a step none, and a long pause still only one.
    for (auto [time, scroll] : {std::pair{0.005, 0.0f}, {0.0101, 0.001f}, {0.0101, 0.001f}, {0.02, 0.001f},
             {60.0, 0.002f}, {60.0, 0.002f}}) {
        harness::input().time = time;
        draw::drawScrollingTiles(0, 48);
        EXPECT_FLOAT_EQ(draw::tileScroll, scroll) << "at " << time << " s";
    }
}

TEST(TextDrawing, CentringTruncatesTowardZeroAndTextLeavesOpaqueWhiteAndAlphaBlending)
{
    EXPECT_EQ(draw::centredTextX(2, 302), 248);
    EXPECT_EQ(draw::centredTextX(0.5f, 300.9f), 249);
    EXPECT_EQ(draw::centredTextX(0, 901), -50) << "-50.5 truncates toward zero";
    freshFrame();
    ASSERT_NE(draw::fontSmall, nullptr) << "fonts/dscoptic.ttf beside the tests";
    glColor4f(0.5f, 0.25f, 1.0f, 0.5f);
    glBlendFunc(GL_ONE, GL_ONE);
    draw::drawText("Kalup 123", 100, 100, draw::fontSmall);
    EXPECT_EQ(leftBehind(), std::tuple(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, std::array{1.0f, 1.0f, 1.0f, 1.0f}));
}
