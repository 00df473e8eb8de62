// The shipped assets, loaded through the game's own loaders: what a player
// would see or hear if an image, sound, tune, font or text were broken.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <FTGL/ftgl.h>
#include <GL/gl.h>
#include <SDL2/SDL_mixer.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.h>
#include <tinyxml.h>

#include "data/language.h"
#include "data/sound.h"
#include "platform/audio.h"
#include "platform/module_music.h"
#include "render/draw.h"
#include "render/textures.h"
#include "tests/harness.h"

using namespace kalup;
using textures::Texture;

namespace {

std::string fileBytes(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// ---------------------------------------------------------------- images

// Whether the image must keep its alpha channel: sprites drawn over the board
// need their see-through parts, the star is drawn additively and has none.
enum class Alpha { Kept, None, Either };

struct ImageAsset {
    const char* file;
    const Texture* texture;
    int width;  // 0: any size, since the primitives stretch the whole texture
    int height;
    Alpha alpha;
};

const std::vector<ImageAsset> IMAGES = {
    {"images/tile1.png", &textures::texTile, 0, 0, Alpha::Either},
    {"images/fon1.png", &textures::texBackdrop, 0, 0, Alpha::Either},
    {"images/lt1.png", &textures::texTitle1, 128, 128, Alpha::Kept},
    {"images/lt2.png", &textures::texTitle2, 128, 128, Alpha::Kept},
    {"images/lt3.png", &textures::texTitle3, 128, 128, Alpha::Kept},
    {"images/fire.jpg", &textures::texMenuBackdrop, 0, 0, Alpha::Either},
    {"images/cur.png", &textures::texCursor, 16, 32, Alpha::Kept},
    {"images/shest.png", &textures::texGear, 0, 0, Alpha::Kept},
    {"images/ball1.tga", &textures::texBalls[0], 0, 0, Alpha::Kept},
    {"images/ball3.tga", &textures::texBalls[1], 0, 0, Alpha::Kept},
    {"images/ball4.tga", &textures::texBalls[2], 0, 0, Alpha::Kept},
    {"images/ball2.tga", &textures::texBalls[3], 0, 0, Alpha::Kept},
    {"images/6.tga", &textures::texBurstAlt, 256, 256, Alpha::Kept},
    {"images/star.bmp", &textures::texStar, 0, 0, Alpha::None},
    {"images/1.tga", &textures::texPieces[0], 256, 256, Alpha::Kept},
    {"images/2.tga", &textures::texPieces[1], 256, 256, Alpha::Kept},
    {"images/3.tga", &textures::texPieces[2], 256, 256, Alpha::Kept},
    {"images/4.tga", &textures::texPieces[3], 256, 256, Alpha::Kept},
    {"images/5.tga", &textures::texPieces[4], 256, 256, Alpha::Kept},
    {"images/8.tga", &textures::texPieces[5], 256, 256, Alpha::Kept},
    {"images/9.tga", &textures::texPieces[6], 256, 256, Alpha::Kept},
    {"images/10.tga", &textures::texPieces[7], 256, 256, Alpha::Kept},
    {"images/11.tga", &textures::texPieces[8], 256, 256, Alpha::Kept},
    {"images/12.tga", &textures::texPieces[9], 256, 256, Alpha::Kept},
    {"images/gameover.png", &textures::texGameOver, 512, 512, Alpha::Kept},
    {"images/congr.png", &textures::texCongrats, 512, 512, Alpha::Kept},
    {"images/levelup.png", &textures::texLevelUp, 512, 512, Alpha::Kept},
    {"images/stick.png", &textures::texButtonStrip, 0, 0, Alpha::Either},
};

GLint levelParameter(Texture texture, GLenum name)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    return value;
}

// The texels as uploaded, in the texture's own rows: row 0 is the top of
// the image as the quads show it.
struct Texels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    explicit Texels(Texture texture)
        : width(levelParameter(texture, GL_TEXTURE_WIDTH)), height(levelParameter(texture, GL_TEXTURE_HEIGHT)),
          rgba(static_cast<std::size_t>(width) * height * 4)
    {
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    }
    const std::uint8_t* at(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
    std::uint8_t alpha(int x, int y) const { return at(x, y)[3]; }
    bool anyVisible(int x0, int y0, int w, int h) const
    {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x)
                if (alpha(x, y) > 0 && (at(x, y)[0] | at(x, y)[1] | at(x, y)[2]) > 0)
                    return true;
        return false;
    }
};

class AssetsImages : public testing::Test {
protected:
    void SetUp() override { harness::needDisplay(); }
};

// ---------------------------------------------------------------- sounds

struct SoundAsset {
    const char* file;
    const audio::Handle* handle;
};

const std::vector<SoundAsset> SOUNDS = {
    {"sounds/fall.ogg", &sound::sndFall},
    {"sounds/jump.ogg", &sound::sndJump},
    {"sounds/explos1.ogg", &sound::sndExplos1},
    {"sounds/explos2.ogg", &sound::sndExplos2},
    {"sounds/3.ogg", &sound::snd3},
    {"sounds/8.ogg", &sound::snd8},
    {"sounds/7.ogg", &sound::snd7},
    {"sounds/11.ogg", &sound::snd11},
    {"sounds/robot two.ogg", &sound::sndRobot[0]},
    {"sounds/robot three.ogg", &sound::sndRobot[1]},
    {"sounds/robot four.ogg", &sound::sndRobot[2]},
    {"sounds/robot five.ogg", &sound::sndRobot[3]},
    {"sounds/robot six.ogg", &sound::sndRobot[4]},
    {"sounds/robot seven.ogg", &sound::sndRobot[5]},
    {"sounds/robot eight.ogg", &sound::sndRobot[6]},
    {"sounds/robot nine.ogg", &sound::sndRobot[7]},
    {"sounds/robot ten.ogg", &sound::sndRobot[8]},
    {"sounds/robot larff.ogg", &sound::sndRobot[9]},
    {"sounds/paint.ogg", &sound::sndPaint},
    {"sounds/linefall.wav", &sound::sndLinefall},
    {"sounds/12.ogg", &sound::snd12},
};

// Shorter than this a sample is a click, not an effect.
constexpr double SHORTEST_SAMPLE_SECONDS = 0.05;
// -3 dBFS: samples played over the music must leave room not to clip.
constexpr int LOUDEST_SAMPLE = 23197;

class AssetsSounds : public testing::Test {
protected:
    void SetUp() override
    {
        harness::needResources();
        // Other tests open and free banks of their own: load the game's again
        // on the silent device the harness chose.
        sound::initSoundBank();
    }
};

// ---------------------------------------------------------------- music

const char* const MUSIC_FILE = "music/ZELMONTA.mo3";
constexpr double SHORTEST_TUNE_SECONDS = 60.0;
constexpr int MUSIC_RATE = 44100;

std::vector<unsigned char> musicBytes()
{
    const std::string bytes = fileBytes(MUSIC_FILE);
    return {bytes.begin(), bytes.end()};
}

std::string metadata(openmpt_module* module, const char* key)
{
    const char* value = openmpt_module_get_metadata(module, key);
    std::string copy = value ? value : "";
    openmpt_free_string(value);
    return copy;
}

bool anySound(const std::vector<std::int16_t>& samples)
{
    for (std::int16_t sample : samples)
        if (sample != 0)
            return true;
    return false;
}

// ---------------------------------------------------------------- texts

const char* const LANGUAGE_FILE = "english.xml";

// Every code point of UTF-8 text (the fonts read their strings as UTF-8).
std::vector<char32_t> codePoints(const std::string& text)
{
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : 4;
        char32_t point = length == 1 ? lead : lead & (0x7f >> length);
        for (int k = 1; k < length && i + k < text.size(); ++k)
            point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3f);
        points.push_back(point);
        i += length;
    }
    return points;
}

// A character as a test message shows it: itself when plain ASCII.
std::string characterName(char32_t point)
{
    if (point > ' ' && point < 0x7f)
        return std::string(1, static_cast<char>(point));
    std::ostringstream name;
    name << " U+" << std::hex << std::uppercase << static_cast<unsigned>(point) << ' ';
    return name.str();
}

// Everything the game writes with its fonts: the texts, and the digits and
// colon of the scores and the survival time.
std::set<char32_t> charactersShown()
{
    std::set<char32_t> shown;
    for (const char* text : language::texts)
        for (char32_t point : codePoints(text))
            shown.insert(point);
    for (char32_t point : codePoints("0123456789:"))
        shown.insert(point);
    return shown;
}

struct FontAsset {
    const char* file;
    FTFont* const* font;
};

const std::vector<FontAsset> FONTS = {
    {"fonts/dscoptic.ttf", &draw::fontSmall},
    {"fonts/dscoptic.ttf", &draw::fontLarge},
    {"fonts/cristal.ttf", &draw::fontLabel},
};

// Where a text is drawn: in which font, and how wide the room for it is
// (the whole screen on the menu, the 512-unit panel on the end screens).
struct TextPlace {
    language::TextKey key;
    FTFont* const* font;
    float room;
};

constexpr float SCREEN_WIDTH = 800.0f;
constexpr float PANEL_WIDTH = 512.0f;

const std::vector<TextPlace> PLACES = {
    {language::TEXT_TITLE, &draw::fontLabel, SCREEN_WIDTH},
    {language::TEXT_CLASSIC_GAME, &draw::fontSmall, SCREEN_WIDTH},
    {language::TEXT_REMOVE2_GAME, &draw::fontSmall, SCREEN_WIDTH},
    {language::TEXT_FF_GAME, &draw::fontSmall, SCREEN_WIDTH},
    {language::TEXT_GAME_MODE, &draw::fontLabel, SCREEN_WIDTH},
    {language::TEXT_EXIT_LABEL, &draw::fontLabel, SCREEN_WIDTH},
    {language::TEXT_CONGRATULATIONS, &draw::fontLarge, PANEL_WIDTH},
    {language::TEXT_LEVEL_COMPLETED, &draw::fontLarge, PANEL_WIDTH},
    {language::TEXT_GAME_COMPLETED, &draw::fontSmall, PANEL_WIDTH},
    {language::TEXT_NO_MORE_MOVES, &draw::fontSmall, PANEL_WIDTH},
    {language::TEXT_CONGRATULATIONS_TEXT, &draw::fontSmall, PANEL_WIDTH},
    {language::TEXT_SURV, &draw::fontSmall, PANEL_WIDTH},
    {language::TEXT_TO_CONTINUE, &draw::fontSmall, PANEL_WIDTH},
    {language::TEXT_PRESS_SPACE, &draw::fontSmall, PANEL_WIDTH},
};

float textWidth(const std::string& text, FTFont* font)
{
    float llx = 0.0f, urx = 0.0f;
    draw::textBox(text.c_str(), font, llx, urx);
    return urx - llx;
}

class AssetsTexts : public testing::Test {
protected:
    void SetUp() override
    {
        harness::needDisplay();
        draw::createFonts();
        language::loadLanguage();
    }
};

} // namespace

TEST_F(AssetsImages, EachImageUploadsAtTheSizeTheGameDrawsIt)
{
    for (const ImageAsset& image : IMAGES) {
        SCOPED_TRACE(image.file);
        const GLint width = levelParameter(*image.texture, GL_TEXTURE_WIDTH);
        const GLint height = levelParameter(*image.texture, GL_TEXTURE_HEIGHT);
        if (image.width) {
            EXPECT_EQ(width, image.width);
            EXPECT_EQ(height, image.height);
        } else {
            // The loader's stand-in for an unreadable file is a single texel.
            EXPECT_GT(width, 1);
            EXPECT_GT(height, 1);
        }
        const GLint alphaBits = levelParameter(*image.texture, GL_TEXTURE_ALPHA_SIZE);
        if (image.alpha == Alpha::Kept) {
            EXPECT_GT(alphaBits, 0) << "the see-through parts are lost";
        } else if (image.alpha == Alpha::None) {
            EXPECT_EQ(alphaBits, 0);
        }
        EXPECT_TRUE(Texels(*image.texture).anyVisible(0, 0, width, height)) << "nothing to see";
    }
}

TEST_F(AssetsImages, EveryFrameOfEveryPieceSheetShowsThePiece)
{
    for (int kind = 0; kind < 10; ++kind) {
        const Texels sheet(textures::texPieces[kind]);
        ASSERT_EQ(sheet.width, 256);
        for (int frame = 0; frame < 16; ++frame)
            EXPECT_TRUE(sheet.anyVisible(frame % 4 * 64, frame / 4 * 64, 64, 64))
                << "kind " << kind << ", frame " << frame;
    }
}

TEST_F(AssetsImages, StarIsATwentyFourBitBitmapOnBlackForAdditiveDrawing)
{
    const std::string bmp = fileBytes("images/star.bmp");
    ASSERT_GE(bmp.size(), 30u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bmp[28]) | static_cast<unsigned char>(bmp[29]) << 8, 24) << "bits per pixel";

    // Drawn with (one, one) blending: a black texel adds nothing, so the
    // corners must be black for the sprite to show no square edge.
    const Texels star(textures::texStar);
    const int right = star.width - 1, bottom = star.height - 1;
    for (auto [x, y] : {std::pair{0, 0}, std::pair{right, 0}, std::pair{0, bottom}, std::pair{right, bottom}}) {
        const std::uint8_t* texel = star.at(x, y);
        EXPECT_EQ(texel[0] | texel[1] | texel[2], 0) << "corner " << x << ", " << y;
    }
}

TEST_F(AssetsImages, CursorTipIsTheUpperLeftTexel)
{
    // The pointer is drawn at (mouseX + 7, mouseY + 32) with 16 x 32: its
    // upper-left corner lands on the mouse position, the cell bands assume it.
    const Texels cursor(textures::texCursor);
    EXPECT_GT(cursor.alpha(0, 0), 100);
    EXPECT_EQ(cursor.alpha(cursor.width - 1, 0), 0);
    EXPECT_EQ(cursor.alpha(cursor.width - 1, cursor.height - 1), 0);
}

TEST_F(AssetsSounds, EverySampleDecodesThroughTheAudioLayer)
{
    std::set<audio::Handle> handles;
    for (const SoundAsset& sample : SOUNDS) {
        SCOPED_TRACE(sample.file);
        EXPECT_NE(*sample.handle, 0u);
        handles.insert(*sample.handle);
    }
    EXPECT_EQ(handles.size(), SOUNDS.size()) << "each sample has a handle of its own";
}

TEST_F(AssetsSounds, EverySampleIsLongEnoughToHearAndLeavesHeadroom)
{
    int rate = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1) << "the silent device is open";
    ASSERT_EQ(format, AUDIO_S16SYS) << "the audio layer opens the device in 16 bits";

    for (const SoundAsset& sample : SOUNDS) {
        SCOPED_TRACE(sample.file);
        Mix_Chunk* chunk = Mix_LoadWAV(sample.file);
        EXPECT_NE(chunk, nullptr) << Mix_GetError();
        if (!chunk)
            continue;
        const std::size_t count = chunk->alen / sizeof(std::int16_t);
        std::vector<std::int16_t> samples(count);
        std::memcpy(samples.data(), chunk->abuf, count * sizeof(std::int16_t));
        Mix_FreeChunk(chunk);

        EXPECT_GE(static_cast<double>(count) / channels / rate, SHORTEST_SAMPLE_SECONDS);
        int peak = 0;
        for (std::int16_t value : samples)
            peak = std::max(peak, std::abs(static_cast<int>(value)));
        EXPECT_GT(peak, 0) << "silent";
        EXPECT_LE(peak, LOUDEST_SAMPLE);
    }
}

TEST_F(AssetsSounds, MusicLoadsAndPlaysFromStartUp)
{
    EXPECT_NE(sound::music, 0u);
    EXPECT_EQ(audio::playingMusic(), sound::music);
}

TEST(AssetsMusic, ModuleIsAnMO3ContainerOfAFullTune)
{
    const std::vector<unsigned char> bytes = musicBytes();
    ASSERT_GE(bytes.size(), 3u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "MO3");

    openmpt_module* module = openmpt_module_create_from_memory2(
        bytes.data(), bytes.size(), openmpt_log_func_silent, nullptr, openmpt_error_func_ignore, nullptr, nullptr,
        nullptr, nullptr);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(metadata(module, "type"), "mo3");
    EXPECT_GE(openmpt_module_get_duration_seconds(module), SHORTEST_TUNE_SECONDS);
    // Bass, lead and drums over several patterns, not one phrase repeated.
    EXPECT_GE(openmpt_module_get_num_patterns(module), 2);
    EXPECT_GE(openmpt_module_get_num_samples(module) + openmpt_module_get_num_instruments(module), 3);
    EXPECT_GE(openmpt_module_get_num_channels(module), 3);
    openmpt_module_destroy(module);
}

TEST(AssetsMusic, TuneLoopsForEverPastItsEnd)
{
    // The game's own reader sets the module to repeat for ever.
    openmpt_module* module = module_music::openModule(musicBytes());
    ASSERT_NE(module, nullptr);
    const double duration = openmpt_module_get_duration_seconds(module);
    openmpt_module_set_position_seconds(module, duration - 1.0);

    // Three seconds from one second before the end: two into the next pass.
    std::vector<std::int16_t> out(MUSIC_RATE * 2);
    std::size_t frames = 0;
    std::vector<std::int16_t> afterTheEnd;
    for (int second = 0; second < 3; ++second) {
        frames += openmpt_module_read_interleaved_stereo(module, MUSIC_RATE, MUSIC_RATE, out.data());
        if (second > 0)
            afterTheEnd.insert(afterTheEnd.end(), out.begin(), out.end());
    }
    module_music::closeModule(module);

    EXPECT_EQ(frames, static_cast<std::size_t>(MUSIC_RATE) * 3) << "the tune stopped at its end";
    EXPECT_TRUE(anySound(afterTheEnd)) << "the next pass is silent";
}

TEST_F(AssetsTexts, LanguageFileHasAllTwentyOneKeysEachFittingItsBuffer)
{
    TiXmlDocument document(LANGUAGE_FILE);
    ASSERT_TRUE(document.LoadFile()) << document.ErrorDesc();
    const TiXmlElement* translation = document.FirstChildElement("Translation");
    ASSERT_NE(translation, nullptr);
    const TiXmlElement* text = translation->FirstChildElement("Text");
    ASSERT_NE(text, nullptr);
    const TiXmlElement* strings = text->FirstChildElement("string");
    ASSERT_NE(strings, nullptr);

    EXPECT_TRUE(harness::lastMessage().empty()) << harness::lastMessage();
    for (int key = 0; key < language::TEXT_COUNT; ++key) {
        const char* name = language::keyNames[key];
        SCOPED_TRACE(name);
        const char* value = strings->Attribute(name);
        ASSERT_NE(value, nullptr) << "missing";
        EXPECT_GT(std::strlen(value), 0u);
        EXPECT_LT(std::strlen(value), static_cast<std::size_t>(language::TEXT_CAPACITY)) << "cut short on loading";
        EXPECT_STREQ(language::text(static_cast<language::TextKey>(key)), value);
    }
}

TEST_F(AssetsTexts, BothFontsHaveAGlyphForEveryCharacterShown)
{
    const std::set<char32_t> shown = charactersShown();
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    for (const FontAsset& asset : FONTS) {
        SCOPED_TRACE(asset.file);
        ASSERT_NE(*asset.font, nullptr) << "the game could not open the font";
        EXPECT_EQ((*asset.font)->Error(), 0);

        FT_Face face = nullptr;
        ASSERT_EQ(FT_New_Face(library, asset.file, 0, &face), 0);
        std::string noGlyph, noRoom;
        for (char32_t point : shown) {
            const wchar_t single[2] = {static_cast<wchar_t>(point), 0};
            if (FT_Get_Char_Index(face, point) == 0)
                noGlyph += characterName(point);
            if ((*asset.font)->Advance(single) <= 0.0f)
                noRoom += characterName(point);
        }
        EXPECT_EQ(noGlyph, "") << "characters the font has no glyph for";
        EXPECT_EQ(noRoom, "") << "characters that take no room";
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
}

TEST_F(AssetsTexts, EveryLineFitsWhereItIsDrawn)
{
    for (const TextPlace& place : PLACES) {
        SCOPED_TRACE(language::keyNames[place.key]);
        EXPECT_LE(textWidth(language::text(place.key), *place.font), place.room);
    }
    // "Level 10 completed", composed as the level screen does.
    const std::string composed = std::string(language::text(language::TEXT_LEVEL)) + " 10 " +
                                 language::text(language::TEXT_COMPLETED);
    EXPECT_LE(textWidth(composed, draw::fontSmall), PANEL_WIDTH) << composed;
}
