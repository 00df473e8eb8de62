// The shipped assets through the game's own loaders: what a player would
// see or hear if the game read an image, the tune, a font or the texts wrong.
// Sizes, sound lengths and peaks and the fonts' characters are the asset
// checker's; the sound bank's own test loads every sound.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include <FTGL/ftgl.h>
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.h>

#include "data/language.h"
#include "platform/module_music.h"
#include "render/draw.h"
#include "render/textures.h"
#include "tests/harness.h"

using namespace kalup;

namespace {

GLint levelParameter(textures::Texture texture, GLenum name)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    return value;
}

} // namespace

TEST(AssetImages, EachImageLoadsWithTheAlphaTheGameDrawsItWith)
{
    harness::needDisplay();
    // Alpha 1: kept, sprites over the board need it; 0: none, the star is drawn
    // additively; -1: either.
    using namespace textures;
    struct Image { std::string name; Texture texture; int alpha; };
    std::vector<Image> images = {{"tile1", texTile, -1}, {"fon1", texBackdrop, -1}, {"lt1", texTitle1, 1},
        {"lt2", texTitle2, 1}, {"lt3", texTitle3, 1}, {"fire", texMenuBackdrop, -1}, {"cur", texCursor, 1},
        {"shest", texGear, 1}, {"6", texBurstAlt, 1}, {"star", texStar, 0}, {"stick", texButtonStrip, -1},
        {"gameover", texGameOver, 1}, {"congr", texCongrats, 1}, {"levelup", texLevelUp, 1}};
    for (int ball = 0; ball < 4; ++ball)
        images.push_back({"ball " + std::to_string(ball), texBalls[ball], 1});
    for (int kind = 0; kind < 10; ++kind)
        images.push_back({"piece sheet " + std::to_string(kind), texPieces[kind], 1});
    for (const Image& image : images) {
        SCOPED_TRACE(image.name);
        EXPECT_GT(levelParameter(image.texture, GL_TEXTURE_WIDTH) * levelParameter(image.texture, GL_TEXTURE_HEIGHT),
            1) << "the loader's stand-in for an unreadable file";
        const GLint alphaBits = levelParameter(image.texture, GL_TEXTURE_ALPHA_SIZE);
        EXPECT_TRUE(image.alpha < 0 || (alphaBits > 0) == (image.alpha == 1)) << alphaBits << " alpha bits";
    }
}

TEST(AssetMusic, TheGamesRendererStartsTheTuneAgainPastItsEnd)
{
    const std::string bytes = harness::readFile("music/ZELMONTA.mo3");
    openmpt_module* module = module_music::openModule({bytes.begin(), bytes.end()});
    ASSERT_NE(module, nullptr);
    // Three seconds from one before the end: the last one, past the song's
    // fading tail, is heard only if the renderer starts it again.
    openmpt_module_set_position_seconds(module, openmpt_module_get_duration_seconds(module) - 1.0);
    std::vector<std::int16_t> out(44100 * 2 * 3);
    module_music::render(module, 44100, 2, out.data(), 44100 * 3);
    module_music::closeModule(module);
    EXPECT_TRUE(std::any_of(out.end() - 44100 * 2, out.end(), [](std::int16_t s) { return s != 0; }));
}

TEST(AssetTexts, TheGameReadsEveryTextAndOpensEveryFont)
{
    harness::needDisplay();
    draw::createFonts();
    language::loadLanguage();
    for (int key = 0; key < language::TEXT_COUNT; ++key)
        EXPECT_STRNE(language::text(language::TextKey(key)), "") << language::keyNames[key];
    for (const FTFont* font : {draw::fontSmall, draw::fontLarge, draw::fontLabel})
        EXPECT_TRUE(font && font->Error() == 0);
}
