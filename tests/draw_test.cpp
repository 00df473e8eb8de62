#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <FTGL/ftgl.h>
#include <GL/gl.h>
#include <IL/il.h>
#include <gtest/gtest.h>

#include "platform/display.h"
#include "render/draw.h"
#include "render/textures.h"
#include "tests/harness.h"

using namespace kalup;
using textures::Filter;
using textures::Texture;

namespace {

struct Rgba {
    std::uint8_t r, g, b, a;
};

constexpr Rgba RED{255, 0, 0, 255};
constexpr Rgba GREEN{0, 255, 0, 255};
constexpr Rgba BLUE{0, 0, 255, 255};
constexpr Rgba WHITE{255, 255, 255, 255};
constexpr Rgba CLEAR{0, 0, 0, 0};
constexpr Rgba GREY{64, 64, 64, 255};

// An image, top row first.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;
    Rgba at(int x, int y) const { return pixels[y * width + x]; }
};

Rgba letterColour(char letter)
{
    switch (letter) {
    case 'R': return RED;
    case 'G': return GREEN;
    case 'B': return BLUE;
    case 'W': return WHITE;
    default: return CLEAR;
    }
}

// A picture of coloured letters (R, G, B, W, '.' for clear), each letter
// a square of `scale` pixels.
Image picture(const std::vector<std::string>& rows, int scale)
{
    Image image;
    image.width = static_cast<int>(rows[0].size()) * scale;
    image.height = static_cast<int>(rows.size()) * scale;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.pixels.push_back(letterColour(rows[y / scale][x / scale]));
    return image;
}

// A 256 x 256 sheet whose 64 x 64 frame k is coloured (16 k + 8, 255 - 16 k, 0).
Rgba frameColour(int frame)
{
    return {static_cast<std::uint8_t>(16 * frame + 8), static_cast<std::uint8_t>(255 - 16 * frame), 0, 255};
}

Image sheet()
{
    Image image;
    image.width = image.height = 256;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            image.pixels.push_back(frameColour(y / 64 * 4 + x / 64));
    return image;
}

void put16(std::string& out, unsigned value)
{
    out += static_cast<char>(value & 0xff);
    out += static_cast<char>((value >> 8) & 0xff);
}

void put32(std::string& out, unsigned value)
{
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

void put32Big(std::string& out, unsigned value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xff);
}

enum class TgaRows { TopFirst, BottomFirst };
enum class TgaPacking { Raw, RunLength };

bool same(Rgba p, Rgba q) { return p.r == q.r && p.g == q.g && p.b == q.b && p.a == q.a; }

void putPixel(std::string& out, Rgba p)
{
    out += {static_cast<char>(p.b), static_cast<char>(p.g), static_cast<char>(p.r), static_cast<char>(p.a)};
}

// Truecolour TGA with alpha, its rows stored either way round, plain or
// packed in runs of equal pixels.
std::string tgaBytes(const Image& image, TgaRows rows = TgaRows::TopFirst, TgaPacking packing = TgaPacking::Raw)
{
    const bool topFirst = rows == TgaRows::TopFirst;
    const bool runs = packing == TgaPacking::RunLength;
    std::string out = {0, 0, static_cast<char>(runs ? 10 : 2), 0, 0, 0, 0, 0, 0, 0, 0, 0};
    put16(out, image.width);
    put16(out, image.height);
    out += static_cast<char>(32);
    out += static_cast<char>(8 | (topFirst ? 0x20 : 0));
    for (int row = 0; row < image.height; ++row) {
        const int y = topFirst ? row : image.height - 1 - row;
        for (int x = 0; x < image.width;) {
            int run = 1;
            while (runs && run < 128 && x + run < image.width && same(image.at(x + run, y), image.at(x, y)))
                ++run;
            if (runs)
                out += static_cast<char>(0x80 | (run - 1));
            putPixel(out, image.at(x, y));
            x += run;
        }
    }
    return out;
}

// 24-bit BMP, bottom row first as the format stores it.
std::string bmpBytes(const Image& image)
{
    const int stride = (image.width * 3 + 3) / 4 * 4;
    const unsigned dataSize = static_cast<unsigned>(stride * image.height);
    std::string out = "BM";
    put32(out, 54 + dataSize);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, image.width);
    put32(out, image.height);
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, dataSize);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < image.width; ++x) {
            const Rgba p = image.at(x, y);
            row += {static_cast<char>(p.b), static_cast<char>(p.g), static_cast<char>(p.r)};
        }
        row.resize(stride, '\0');
        out += row;
    }
    return out;
}

unsigned crc32(const std::string& bytes)
{
    unsigned crc = 0xffffffffu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void pngChunk(std::string& out, const std::string& type, const std::string& data)
{
    put32Big(out, static_cast<unsigned>(data.size()));
    out += type + data;
    put32Big(out, crc32(type + data));
}

// RGBA PNG, its pixels in uncompressed deflate blocks.
std::string pngBytes(const Image& image)
{
    std::string raw;
    for (int y = 0; y < image.height; ++y) {
        raw += '\0';
        for (int x = 0; x < image.width; ++x) {
            const Rgba p = image.at(x, y);
            raw += {static_cast<char>(p.r), static_cast<char>(p.g), static_cast<char>(p.b), static_cast<char>(p.a)};
        }
    }
    std::string zlib = {0x78, 0x01};
    for (std::size_t at = 0; at < raw.size(); at += 65535) {
        const unsigned length = static_cast<unsigned>(std::min<std::size_t>(65535, raw.size() - at));
        zlib += static_cast<char>(at + length == raw.size() ? 1 : 0);
        put16(zlib, length);
        put16(zlib, ~length & 0xffff);
        zlib += raw.substr(at, length);
    }
    unsigned a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    put32Big(zlib, (b << 16) | a);

    std::string header;
    put32Big(header, image.width);
    put32Big(header, image.height);
    header += {8, 6, 0, 0, 0};
    std::string out = "\x89PNG\r\n\x1a\n";
    pngChunk(out, "IHDR", header);
    pngChunk(out, "IDAT", zlib);
    pngChunk(out, "IEND", "");
    return out;
}

// JPEG has no hand-writable form: the image library writes it from pixels
// marked as top row first, which its writer stores top row first.
void writeJpeg(const Image& image, const std::string& path)
{
    std::vector<std::uint8_t> rgb;
    for (const Rgba& p : image.pixels)
        rgb.insert(rgb.end(), {p.r, p.g, p.b});
    ILuint id = 0;
    ilGenImages(1, &id);
    ilBindImage(id);
    ilTexImage(image.width, image.height, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, rgb.data());
    ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
    ilEnable(IL_FILE_OVERWRITE);
    ilSaveImage(path.c_str());
    ilDeleteImages(1, &id);
}

// The logical screen as drawn so far, read back from the 800 x 600 target.
class Screen {
public:
    Screen() : pixels(800 * 600)
    {
        glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    }
    // x and y from the upper left, as the game places things.
    Rgba at(int x, int y) const { return pixels[(599 - y) * 800 + x]; }
    bool lit(int x, int y) const
    {
        const Rgba p = at(x, y);
        return p.r > 100 || p.g > 100 || p.b > 100;
    }
    bool anyLit(int left, int top, int right, int bottom) const
    {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (lit(x, y))
                    return true;
        return false;
    }
    bool operator==(const Screen& other) const
    {
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            const Rgba& p = pixels[i];
            const Rgba& q = other.pixels[i];
            if (p.r != q.r || p.g != q.g || p.b != q.b)
                return false;
        }
        return true;
    }

private:
    std::vector<Rgba> pixels;
};

::testing::AssertionResult near(Rgba actual, Rgba expected, int tolerance = 8)
{
    auto close = [tolerance](int a, int b) { return std::abs(a - b) <= tolerance; };
    if (close(actual.r, expected.r) && close(actual.g, expected.g) && close(actual.b, expected.b))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << int(actual.r) << ", " << int(actual.g) << ", "
                                         << int(actual.b) << "), expected (" << int(expected.r) << ", "
                                         << int(expected.g) << ", " << int(expected.b) << ")";
}

// A fresh frame on the hidden display: the 2D screen over a grey backdrop.
void freshFrame()
{
    harness::needDisplay();
    display::beginFrame();
    draw::beginScreen2D();
    glClearColor(GREY.r / 255.0f, GREY.g / 255.0f, GREY.b / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

GLint textureParameter(Texture texture, GLenum name)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

GLint integerState(GLenum name)
{
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

void expectColour(float r, float g, float b, float a)
{
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], r);
    EXPECT_FLOAT_EQ(colour[1], g);
    EXPECT_FLOAT_EQ(colour[2], b);
    EXPECT_FLOAT_EQ(colour[3], a);
}

void expectBlend(GLint source, GLint destination)
{
    EXPECT_EQ(integerState(GL_BLEND_SRC), source);
    EXPECT_EQ(integerState(GL_BLEND_DST), destination);
}

// A white texture, for primitives whose shape is what a test looks at.
Texture whiteTexture(const harness::TempWorkDir& dir)
{
    dir.write("white.tga", tgaBytes(picture({"W"}, 4)));
    return textures::loadTexture("white.tga", Filter::Nearest);
}

// The picture "GR / BB" drawn 200 x 200 at the centre: green upper left,
// red upper right, blue lower half.
void expectUpright(const Screen& screen)
{
    EXPECT_TRUE(near(screen.at(350, 250), GREEN)) << "upper left";
    EXPECT_TRUE(near(screen.at(450, 250), RED)) << "upper right";
    EXPECT_TRUE(near(screen.at(350, 350), BLUE)) << "lower left";
    EXPECT_TRUE(near(screen.at(450, 350), BLUE)) << "lower right";
}

} // namespace

TEST(TextureLoading, EveryFormatShowsUpright)
{
    freshFrame();
    harness::TempWorkDir dir;
    const Image image = picture({"GR", "BB"}, 8);
    dir.write("top_first.tga", tgaBytes(image, TgaRows::TopFirst));
    dir.write("bottom_first.tga", tgaBytes(image, TgaRows::BottomFirst));
    dir.write("top_first_runs.tga", tgaBytes(image, TgaRows::TopFirst, TgaPacking::RunLength));
    dir.write("bottom_first_runs.tga", tgaBytes(image, TgaRows::BottomFirst, TgaPacking::RunLength));
    dir.write("upright.bmp", bmpBytes(image));
    dir.write("upright.png", pngBytes(image));
    writeJpeg(image, "upright.jpg");

    for (const char* file : {"top_first.tga", "bottom_first.tga", "top_first_runs.tga", "bottom_first_runs.tga",
                             "upright.bmp", "upright.png", "upright.jpg"}) {
        SCOPED_TRACE(file);
        freshFrame();
        draw::drawSprite(textures::loadTexture(file, Filter::Nearest), 400, 300, 200, 200, 0, 1);
        expectUpright(Screen());
    }
}

TEST(TextureLoading, TransparentTexelsLetTheBackdropThrough)
{
    freshFrame();
    harness::TempWorkDir dir;
    dir.write("holes.png", pngBytes(picture({"G.", ".R"}, 4)));
    draw::drawSprite(textures::loadTexture("holes.png", Filter::Nearest), 400, 300, 200, 200, 0, 1);
    const Screen screen;
    EXPECT_TRUE(near(screen.at(350, 250), GREEN));
    EXPECT_TRUE(near(screen.at(450, 250), GREY));
    EXPECT_TRUE(near(screen.at(350, 350), GREY));
    EXPECT_TRUE(near(screen.at(450, 350), RED));
}

TEST(TextureLoading, MissingOrBrokenImageDrawsNothingVisible)
{
    freshFrame();
    harness::TempWorkDir dir;
    dir.write("broken.png", "\x89PNG\r\n\x1a\n this is not an image");
    const std::size_t before = textures::loadedTextures.size();
    const Texture missing = textures::loadTexture("images/none.png", Filter::Linear);
    const Texture broken = textures::loadTexture("broken.png", Filter::Linear);

    EXPECT_NE(missing, 0u);
    EXPECT_NE(broken, missing);
    ASSERT_EQ(textures::loadedTextures.size(), before + 2) << "both still belong to the texture list";
    EXPECT_EQ(textures::loadedTextures[before], missing);
    EXPECT_EQ(textures::loadedTextures[before + 1], broken);

    draw::drawSprite(missing, 300, 300, 200, 200, 0, 1);
    draw::drawSprite(broken, 500, 300, 200, 200, 30, 1);
    const Screen screen;
    for (int x : {210, 300, 390, 410, 500, 590})
        EXPECT_TRUE(near(screen.at(x, 300), GREY)) << "at x = " << x;
}

TEST(TextureLoading, FilterHintSetsBothFiltersAndWrapRepeats)
{
    freshFrame();
    harness::TempWorkDir dir;
    dir.write("tile.tga", tgaBytes(picture({"GR"}, 2)));
    const Texture nearest = textures::loadTexture("tile.tga", Filter::Nearest);
    const Texture linear = textures::loadTexture("tile.tga", Filter::Linear);
    const Texture missing = textures::loadTexture("gone.tga", Filter::Nearest);

    EXPECT_NE(nearest, linear) << "the same file loads into two textures";
    for (Texture texture : {nearest, missing}) {
        EXPECT_EQ(textureParameter(texture, GL_TEXTURE_MIN_FILTER), GL_NEAREST);
        EXPECT_EQ(textureParameter(texture, GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    }
    EXPECT_EQ(textureParameter(linear, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(textureParameter(linear, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    for (Texture texture : {nearest, linear, missing}) {
        EXPECT_EQ(textureParameter(texture, GL_TEXTURE_WRAP_S), GL_REPEAT);
        EXPECT_EQ(textureParameter(texture, GL_TEXTURE_WRAP_T), GL_REPEAT);
    }
}

TEST(TextureLoading, LargePanelsKeepTheirFullSize)
{
    freshFrame();
    harness::TempWorkDir dir;
    dir.write("panel.tga", tgaBytes(picture({"GR", "BB"}, 256)));
    glBindTexture(GL_TEXTURE_2D, textures::loadTexture("panel.tga", Filter::Linear));
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(width, 512);
    EXPECT_EQ(height, 512);
}

TEST(TextureLoading, TableLoadsTwentyEightFilesInOrder)
{
    freshFrame();
    const std::size_t before = textures::loadedTextures.size();
    {
        harness::TempWorkDir dir;
        std::filesystem::create_directory("images");
        dir.write("images/8.tga", tgaBytes(picture({"R"}, 4)));
        dir.write("images/ball3.tga", tgaBytes(picture({"G"}, 4)));
        dir.write("images/star.bmp", bmpBytes(picture({"B"}, 4)));
        textures::loadTextureTable();

        using namespace textures;
        const std::vector<Texture> order = {
            texTile, texBackdrop, texTitle1, texTitle2, texTitle3, texMenuBackdrop, texCursor, texGear,
            texBalls[0], texBalls[1], texBalls[2], texBalls[3], texBurstAlt, texStar,
            texPieces[0], texPieces[1], texPieces[2], texPieces[3], texPieces[4],
            texPieces[5], texPieces[6], texPieces[7], texPieces[8], texPieces[9],
            texGameOver, texCongrats, texLevelUp, texButtonStrip,
        };
        ASSERT_EQ(loadedTextures.size(), before + 28);
        EXPECT_EQ(std::vector<Texture>(loadedTextures.begin() + before, loadedTextures.end()), order);

        for (Texture texture : {texTile, texBackdrop, texTitle1, texTitle2, texTitle3, texCursor})
            EXPECT_EQ(textureParameter(texture, GL_TEXTURE_MAG_FILTER), GL_NEAREST);
        for (Texture texture : {texMenuBackdrop, texGear, texBalls[0], texStar, texPieces[9], texButtonStrip})
            EXPECT_EQ(textureParameter(texture, GL_TEXTURE_MAG_FILTER), GL_LINEAR);

        // Piece kind 5 is drawn from "8.tga"; the balls are stored 1, 3, 4, 2.
        draw::drawSprite(texPieces[5], 100, 100, 50, 50, 0, 1);
        draw::drawSprite(texBalls[1], 200, 100, 50, 50, 0, 1);
        draw::drawSprite(texStar, 300, 100, 50, 50, 0, 1);
        draw::drawSprite(texPieces[4], 400, 100, 50, 50, 0, 1);
        const Screen screen;
        EXPECT_TRUE(near(screen.at(100, 100), RED));
        EXPECT_TRUE(near(screen.at(200, 100), GREEN));
        EXPECT_TRUE(near(screen.at(300, 100), BLUE));
        EXPECT_TRUE(near(screen.at(400, 100), GREY)) << "absent files draw nothing";
    }
    // Back to the game's own images for whatever runs next.
    textures::loadTextureTable();
}

TEST(TextureLoading, ReleaseDeletesEveryTextureInTheList)
{
    freshFrame();
    harness::TempWorkDir dir;
    std::vector<Texture> gameTextures;
    std::swap(gameTextures, textures::loadedTextures);

    textures::releaseTextures();
    EXPECT_TRUE(textures::loadedTextures.empty());

    const Texture first = whiteTexture(dir);
    const Texture second = whiteTexture(dir);
    ASSERT_TRUE(glIsTexture(first));
    ASSERT_TRUE(glIsTexture(second));
    textures::releaseTextures();
    EXPECT_FALSE(glIsTexture(first));
    EXPECT_FALSE(glIsTexture(second));
    EXPECT_TRUE(textures::loadedTextures.empty());

    std::swap(gameTextures, textures::loadedTextures);
}

TEST(SpriteDrawing, PositiveAngleTurnsClockwiseOnScreen)
{
    freshFrame();
    harness::TempWorkDir dir;
    dir.write("arrow.tga", tgaBytes(picture({"GR", "BB"}, 8)));
    draw::drawSprite(textures::loadTexture("arrow.tga", Filter::Nearest), 400, 300, 200, 200, 90, 1);
    const Screen screen;
    EXPECT_TRUE(near(screen.at(450, 250), GREEN)) << "the upper left quarter turns to the upper right";
    EXPECT_TRUE(near(screen.at(450, 350), RED));
    EXPECT_TRUE(near(screen.at(350, 300), BLUE));
}

TEST(SpriteDrawing, SpriteSetsAlphaBlendingAndScalesOpacity)
{
    freshFrame();
    harness::TempWorkDir dir;
    const Texture white = whiteTexture(dir);
    glBlendFunc(GL_ONE, GL_ONE);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    draw::drawSprite(white, 400, 300, 100, 100, 0, 0.5f);
    expectBlend(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    expectColour(1, 1, 1, 0.5f);
    const Screen screen;
    EXPECT_TRUE(near(screen.at(400, 300), {128, 128, 128, 255}, 2));
    EXPECT_TRUE(near(screen.at(349, 300), {0, 0, 0, 255}, 0)) << "the quad is 100 wide around its centre";
    EXPECT_TRUE(near(screen.at(351, 300), {128, 128, 128, 255}, 2));
}

TEST(SpriteDrawing, ModelviewIsOnlyTheSpritesOwnPlacement)
{
    freshFrame();
    harness::TempWorkDir dir;
    const Texture white = whiteTexture(dir);
    glMatrixMode(GL_MODELVIEW);
    glScalef(3, 3, 3);
    draw::drawSprite(white, 120, 80, 10, 10, 0, 1);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const GLfloat placement[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 120, 80, 0, 1};
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(m[i], placement[i]) << "element " << i;

    draw::drawSprite(white, 120, 80, 10, 10, 0.01f, 1);
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_NE(m[1], 0.0f) << "any angle but 0 rotates";
}

TEST(SpriteDrawing, SheetFrameFifteenIsTheLowerRightCell)
{
    freshFrame();
    harness::TempWorkDir dir;
    dir.write("sheet.tga", tgaBytes(sheet()));
    const Texture texture = textures::loadTexture("sheet.tga", Filter::Nearest);
    glBlendFunc(GL_ONE, GL_ZERO);
    const std::pair<int, int> framesAt[] = {{15, 100}, {4, 300}, {3, 500}, {0, 700}};
    for (auto [frame, x] : framesAt)
        draw::drawSheetFrame(texture, static_cast<float>(x), 300, 128, 128, frame, 0, 1);
    expectBlend(GL_ONE, GL_ZERO);

    const Screen screen;
    for (auto [frame, x] : framesAt) {
        SCOPED_TRACE("frame " + std::to_string(frame));
        // The whole quad shows the one cell, up to its edges.
        for (int dx : {-60, 0, 60})
            for (int dy : {-60, 0, 60})
                EXPECT_TRUE(near(screen.at(x + dx, 300 + dy), frameColour(frame), 0));
    }
}

TEST(SpriteDrawing, PulsingQuadBreathesBetweenNinetyAndOneHundredTenUnits)
{
    freshFrame();
    harness::TempWorkDir dir;
    const Texture white = whiteTexture(dir);
    const float quarterTurn = std::acos(0.0f);

    glBlendFunc(GL_ONE, GL_ONE);
    draw::pulsePhase = quarterTurn - 0.01f;
    draw::drawPulsingQuad(white, 400, 300, 200, 100);
    EXPECT_FLOAT_EQ(draw::pulsePhase, quarterTurn);
    expectBlend(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    Screen widest;
    EXPECT_TRUE(widest.lit(400 + 208, 300));
    EXPECT_FALSE(widest.lit(400 + 212, 300)) << "half width 100 plus 110";
    EXPECT_TRUE(widest.lit(400, 300 - 158));
    EXPECT_FALSE(widest.lit(400, 300 - 162)) << "half height 50 plus 110";

    freshFrame();
    draw::pulsePhase = -quarterTurn - 0.01f;
    draw::drawPulsingQuad(white, 400, 300, 200, 100);
    Screen narrowest;
    EXPECT_TRUE(narrowest.lit(400 + 188, 300));
    EXPECT_FALSE(narrowest.lit(400 + 192, 300)) << "half width 100 plus 90";
}

TEST(SpriteDrawing, SquareUsesTheBoundTextureAndCurrentColour)
{
    freshFrame();
    harness::TempWorkDir dir;
    const Texture white = whiteTexture(dir);
    glBindTexture(GL_TEXTURE_2D, white);
    glColor4f(1, 0, 0, 1);
    glBlendFunc(GL_ONE, GL_ZERO);
    draw::drawSquare(100, 100, 64);
    expectBlend(GL_ONE, GL_ZERO);
    const Screen screen;
    EXPECT_TRUE(near(screen.at(100, 100), RED, 0));
    EXPECT_TRUE(near(screen.at(69, 131), RED, 0));
    EXPECT_TRUE(near(screen.at(100, 133), GREY, 0));
    EXPECT_TRUE(near(screen.at(133, 100), GREY, 0));
}

TEST(ScrollingTiles, DriftStepsAtMostOncePerHundredthOfASecond)
{
    freshFrame();
    harness::TempWorkDir dir;
    const Texture white = whiteTexture(dir);
    auto& clock = harness::input();
    draw::tileScroll = 0.0f;
    draw::tileScrollTime = 0.0;

    clock.time = 0.005;
    draw::drawScrollingTiles(white, 48);
    EXPECT_FLOAT_EQ(draw::tileScroll, 0.0f);

    clock.time = 0.0101;
    draw::drawScrollingTiles(white, 48);
    draw::drawScrollingTiles(white, 48);
    EXPECT_FLOAT_EQ(draw::tileScroll, 0.001f) << "twice at one time is one step";
    EXPECT_DOUBLE_EQ(draw::tileScrollTime, 0.0101);

    clock.time = 0.0200;
    draw::drawScrollingTiles(white, 48);
    EXPECT_FLOAT_EQ(draw::tileScroll, 0.001f) << "0.0099 s after the last step";

    clock.time = 60.0;
    draw::drawScrollingTiles(white, 48);
    EXPECT_FLOAT_EQ(draw::tileScroll, 0.002f) << "a long pause is still one step";
}

TEST(ScrollingTiles, CoverTheScreenAtOneFifthOpacityAndDrift)
{
    freshFrame();
    harness::TempWorkDir dir;
    dir.write("tile.tga", tgaBytes(picture({"WW", "W."}, 24)));
    const Texture tile = textures::loadTexture("tile.tga", Filter::Nearest);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    draw::tileScroll = 0.0f;
    draw::tileScrollTime = harness::input().time = 1.0;
    draw::drawScrollingTiles(tile, 48);
    expectColour(1, 1, 1, 0.2f);
    const Screen still;
    const Rgba faint{51, 51, 51, 255};
    const Rgba black{0, 0, 0, 255};
    // Tiles are centred on multiples of 48; the clear quarter of each tile is
    // its lower right, from 0 to 24 in the tile at the origin.
    for (auto [x, y] : {std::pair{30, 30}, {799, 0}, {30, 599}, {799, 599}})
        EXPECT_TRUE(near(still.at(x, y), faint, 2)) << x << ", " << y;
    EXPECT_TRUE(near(still.at(6, 6), black, 0));

    // A quarter of a texture of drift, 12 units, carries the pattern along
    // the diagonal: the clear quarter now runs from 12 to 36.
    freshFrame();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    draw::tileScroll = 0.25f;
    draw::drawScrollingTiles(tile, 48);
    const Screen drifted;
    EXPECT_TRUE(near(drifted.at(6, 6), faint, 2));
    EXPECT_TRUE(near(drifted.at(30, 30), black, 0));
}

TEST(Projections, ScreenIsYDownAndSceneIsAdditive)
{
    freshFrame();
    glBlendFunc(GL_ONE, GL_ONE);
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    draw::beginScreen2D();
    expectBlend(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    expectColour(1, 1, 1, 1);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "the menu draws textures before any round";
    GLfloat p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    EXPECT_FLOAT_EQ(p[0], 2.0f / 800);
    EXPECT_FLOAT_EQ(p[5], -2.0f / 600);
    EXPECT_FLOAT_EQ(p[13], 1.0f);

    draw::beginScene3D();
    expectBlend(GL_ONE, GL_ONE);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    EXPECT_FLOAT_EQ(p[0], 0.75f) << "90 degrees across a 4:3 screen";
    EXPECT_FLOAT_EQ(p[5], 1.0f);
    EXPECT_FLOAT_EQ(p[15], 15.0f) << "the eye 15 units in front of z = 0";
    draw::beginScreen2D();
}

TEST(TextDrawing, CentringRuleTruncatesTowardZero)
{
    EXPECT_EQ(draw::centredTextX(2, 302), 248);
    EXPECT_EQ(draw::centredTextX(0.5f, 300.9f), 249);
    EXPECT_EQ(draw::centredTextX(0, 901), -50) << "-50.5 truncates toward zero";
    EXPECT_EQ(draw::centredTextX(0, 0), 400);
}

TEST(TextDrawing, TextLeavesOpaqueWhiteAlphaBlendingAndTheScreenProjection)
{
    freshFrame();
    ASSERT_NE(draw::fontSmall, nullptr) << "fonts/dscoptic.ttf beside the tests";
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(5, 6, 0);
    glColor4f(0.5f, 0.25f, 1.0f, 0.5f);
    glBlendFunc(GL_ONE, GL_ONE);
    draw::drawText("Kalup 123", 100, 100, draw::fontSmall);

    expectColour(1, 1, 1, 1);
    expectBlend(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(integerState(GL_MATRIX_MODE), GL_MODELVIEW);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_FLOAT_EQ(m[12], 5.0f) << "the caller's modelview comes back";
    EXPECT_FLOAT_EQ(m[13], 6.0f);
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    EXPECT_FLOAT_EQ(m[5], -2.0f / 600) << "y down again";
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

TEST(TextDrawing, BaselineIsMeasuredFromTheTop)
{
    freshFrame();
    ASSERT_NE(draw::fontLarge, nullptr) << "fonts/dscoptic.ttf beside the tests";
    draw::drawText("8888", 100, 300, draw::fontLarge);
    draw::drawText("8888", 400, 600, draw::fontLarge);
    draw::drawText("8888", 600, 0, draw::fontLarge);
    const Screen screen;
    EXPECT_TRUE(screen.anyLit(100, 250, 300, 300)) << "glyphs stand on the baseline";
    EXPECT_FALSE(screen.anyLit(100, 303, 300, 400));
    EXPECT_TRUE(screen.anyLit(400, 560, 600, 600)) << "y = 600 is the bottom edge";
    EXPECT_FALSE(screen.anyLit(600, 0, 800, 100)) << "y = 0 puts the glyphs above the screen";
}

TEST(TextDrawing, CentredTextAndNumbersDrawAsPlainText)
{
    freshFrame();
    ASSERT_NE(draw::fontSmall, nullptr) << "fonts/dscoptic.ttf beside the tests";
    float llx = 0, urx = 0;
    draw::textBox("Game mode", draw::fontSmall, llx, urx);
    EXPECT_GT(urx, llx);
    draw::drawText("Game mode", draw::centredTextX(llx, urx), 200, draw::fontSmall);
    draw::drawText("-1234", 100, 400, draw::fontSmall);
    const Screen expected;

    freshFrame();
    draw::drawTextCentred("Game mode", 200, draw::fontSmall);
    draw::drawNumber(-1234, 100, 400, draw::fontSmall);
    EXPECT_TRUE(Screen() == expected);
    EXPECT_TRUE(expected.anyLit(300, 170, 500, 205)) << "the centred line is in the middle";
}

TEST(TextDrawing, FontsThatCannotBeReadDrawNothing)
{
    freshFrame();
    {
        harness::TempWorkDir dir;
        draw::createFonts();
        EXPECT_EQ(draw::fontSmall, nullptr);
        EXPECT_EQ(draw::fontLarge, nullptr);
        EXPECT_EQ(draw::fontLabel, nullptr);

        glColor4f(0, 0, 0, 1);
        draw::drawText("nothing", 100, 100, draw::fontSmall);
        draw::drawNumber(42, 100, 200, draw::fontLarge);
        draw::drawTextCentred("nothing", 300, draw::fontLabel);
        expectColour(1, 1, 1, 1);
        float llx = 1, urx = 1;
        draw::textBox("nothing", nullptr, llx, urx);
        EXPECT_EQ(llx, 0.0f);
        EXPECT_EQ(urx, 0.0f);
        EXPECT_FALSE(Screen().anyLit(0, 0, 800, 600));
        draw::deleteFonts();
    }
    // The game's own fonts again for whatever runs next.
    draw::createFonts();
}

TEST(TextDrawing, CreateFontsReplacesAllThree)
{
    freshFrame();
    draw::createFonts();
    ASSERT_NE(draw::fontSmall, nullptr) << "fonts beside the tests";
    ASSERT_NE(draw::fontLabel, nullptr);
    EXPECT_EQ(draw::fontSmall->FaceSize(), 20u);
    EXPECT_EQ(draw::fontLarge->FaceSize(), 50u);
    EXPECT_EQ(draw::fontLabel->FaceSize(), 20u);
    draw::deleteFonts();
    EXPECT_EQ(draw::fontSmall, nullptr);
    EXPECT_EQ(draw::fontLarge, nullptr);
    EXPECT_EQ(draw::fontLabel, nullptr);
    draw::createFonts();
}
