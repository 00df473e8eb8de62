// The shipped assets through the game's own loaders: what a player would
// see or hear if an image, sound, tune, font or text were broken.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
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
#include <tinyxml2.h>

#include "data/language.h"
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

GLint levelParameter(Texture texture, GLenum name)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    return value;
}

// The code points of UTF-8 text, as the fonts read it.
std::set<char32_t> codePoints(const std::string& text)
{
    std::set<char32_t> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i++]);
        const int more = lead < 0x80 ? 0 : lead < 0xe0 ? 1 : lead < 0xf0 ? 2 : 3;
        char32_t point = lead & (0xff >> (more ? more + 2 : 1));
        for (int k = 0; k < more && i < text.size(); ++k)
            point = point << 6 | (static_cast<unsigned char>(text[i++]) & 0x3f);
        points.insert(point);
    }
    return points;
}

} // namespace

TEST(AssetImages, EachImageUploadsAtTheSizeAndWithTheAlphaTheGameDrawsIt)
{
    harness::needDisplay();
    // Width 0: any size, the primitives stretch the whole texture. Alpha 1: kept,
    // sprites over the board need it; 0: none, the star is drawn additively; -1: either.
    using namespace textures;
    struct Image { std::string name; Texture texture; int width, height, alpha; };
    std::vector<Image> images = {
        {"tile1", texTile, 0, 0, -1}, {"fon1", texBackdrop, 0, 0, -1}, {"lt1", texTitle1, 128, 128, 1},
        {"lt2", texTitle2, 128, 128, 1}, {"lt3", texTitle3, 128, 128, 1}, {"fire", texMenuBackdrop, 0, 0, -1},
        {"cur", texCursor, 16, 32, 1}, {"shest", texGear, 0, 0, 1}, {"6", texBurstAlt, 256, 256, 1},
        {"star", texStar, 0, 0, 0}, {"stick", texButtonStrip, 0, 0, -1}, {"gameover", texGameOver, 512, 512, 1},
        {"congr", texCongrats, 512, 512, 1}, {"levelup", texLevelUp, 512, 512, 1}};
    for (int ball = 0; ball < 4; ++ball)
        images.push_back({"ball " + std::to_string(ball), texBalls[ball], 0, 0, 1});
    for (int kind = 0; kind < 10; ++kind)
        images.push_back({"piece sheet " + std::to_string(kind), texPieces[kind], 256, 256, 1});
    for (const Image& image : images) {
        SCOPED_TRACE(image.name);
        const GLint width = levelParameter(image.texture, GL_TEXTURE_WIDTH);
        const GLint height = levelParameter(image.texture, GL_TEXTURE_HEIGHT);
        EXPECT_GT(width * height, 1) << "the loader's stand-in for an unreadable file";
        EXPECT_TRUE(!image.width || (width == image.width && height == image.height)) << width << " x " << height;
        const GLint alphaBits = levelParameter(image.texture, GL_TEXTURE_ALPHA_SIZE);
        EXPECT_TRUE(image.alpha < 0 || (alphaBits > 0) == (image.alpha == 1)) << alphaBits << " alpha bits";
    }
}

TEST(AssetSounds, EverySoundIsLongEnoughToHearAndQuietEnoughForTheMusic)
{
    // Decoded as the bank's loader does, in the device's own format.
    ASSERT_TRUE(audio::init(audio::Device::NoSound));
    int rate = 0, channels = 0, files = 0;
    Uint16 format = 0;
    ASSERT_TRUE(Mix_QuerySpec(&rate, &format, &channels) && format == AUDIO_S16SYS);
    for (const auto& file : std::filesystem::directory_iterator("sounds")) {
        SCOPED_TRACE(file.path());
        ++files;
        Mix_Chunk* chunk = Mix_LoadWAV(file.path().c_str());
        ASSERT_NE(chunk, nullptr) << Mix_GetError();
        const auto* samples = reinterpret_cast<const std::int16_t*>(chunk->abuf);
        const auto [low, high] = std::minmax_element(samples, samples + chunk->alen / 2);
        EXPECT_GE(chunk->alen / 2, static_cast<Uint32>(channels * rate / 20)) << "shorter than 50 ms: a click";
        EXPECT_GT(*high - *low, 0) << "silent";
        EXPECT_LE(std::max(-*low, +*high), 23197) << "louder than -3 dBFS: clips over the music";
        Mix_FreeChunk(chunk);
    }
    audio::shutdown();
    EXPECT_EQ(files, 21);
}

TEST(AssetMusic, TuneIsAnMO3OfAMinuteOrMoreThatLoopsPastItsEnd)
{
    const std::string bytes = fileBytes("music/ZELMONTA.mo3");
    openmpt_module* module = module_music::openModule({bytes.begin(), bytes.end()});
    ASSERT_NE(module, nullptr);
    const char* type = openmpt_module_get_metadata(module, "type");
    EXPECT_STREQ(type, "mo3");
    openmpt_free_string(type);
    const double duration = openmpt_module_get_duration_seconds(module);
    EXPECT_GE(duration, 60.0);
    // Three seconds from one before the end: the last one, past the song's
    // fading tail, is heard only if the game's renderer starts it again.
    openmpt_module_set_position_seconds(module, duration - 1.0);
    std::vector<std::int16_t> out(44100 * 2 * 3);
    module_music::render(module, 44100, 2, out.data(), 44100 * 3);
    module_music::closeModule(module);
    EXPECT_TRUE(std::any_of(out.end() - 44100 * 2, out.end(), [](std::int16_t s) { return s != 0; }));
}

TEST(AssetTexts, LanguageFileHasAllTwentyOneKeysAndEveryFontDrawsAllTheirCharacters)
{
    harness::needDisplay();
    draw::createFonts();
    language::loadLanguage();
    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.LoadFile("english.xml"), tinyxml2::XML_SUCCESS) << document.ErrorStr();
    const tinyxml2::XMLElement* strings = tinyxml2::XMLConstHandle(document)
                                              .FirstChildElement("Translation")
                                              .FirstChildElement("Text")
                                              .FirstChildElement("string")
                                              .ToElement();
    ASSERT_NE(strings, nullptr);
    // The digits and colon of the scores and the survival time, and the texts.
    std::string written = "0123456789:";
    for (int key = 0; key < language::TEXT_COUNT; ++key) {
        const char* value = strings->Attribute(language::keyNames[key]);
        ASSERT_NE(value, nullptr) << language::keyNames[key];
        EXPECT_TRUE(*value && std::strlen(value) < language::TEXT_CAPACITY) << language::keyNames[key];
        EXPECT_STREQ(language::text(static_cast<language::TextKey>(key)), value);
        written += value;
    }

    const std::pair<const char*, FTFont*> fonts[] = {
        {"fonts/dscoptic.ttf", draw::fontSmall}, {"fonts/dscoptic.ttf", draw::fontLarge},
        {"fonts/cristal.ttf", draw::fontLabel}};
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    for (const auto& [file, font] : fonts) {
        ASSERT_TRUE(font && font->Error() == 0) << "the game could not open " << file;
        FT_Face face = nullptr;
        ASSERT_EQ(FT_New_Face(library, file, 0, &face), 0);
        std::string missing;
        for (char32_t point : codePoints(written))
            if (!FT_Get_Char_Index(face, point) || font->Advance(std::wstring(1, wchar_t(point)).c_str()) <= 0)
                missing += std::to_string(point) + " ";
        FT_Done_Face(face);
        EXPECT_EQ(missing, "") << "code points " << file << " cannot draw";
    }
    FT_Done_FreeType(library);
}
