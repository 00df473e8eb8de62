#include "game/screens.h"

#include <GL/gl.h>

#include "board/play.h"
#include "data/language.h"
#include "data/records.h"
#include "game/game_state.h"
#include "game/lines.h"
#include "game/update.h"
#include "render/draw.h"
#include "render/textures.h"

namespace kalup::game {

namespace {

using language::text;

// The screens ask for white with out-of-range components; GL clamps them to 1.
void setOpaqueWhite() { glColor4d(255, 255, 255, 255); }

// The record rule: only the classic mode keeps a record, and only frames that
// draw the record/score line apply it.
void applyRecordRule()
{
    if (play::gameMode == play::MODE_CLASSIC && play::score > records::classicRecord)
        records::classicRecord = play::score;
}

struct EndScreen {
    bool losing;
    textures::Texture panel;
    float panelAlpha;
    // The level-up screen sets white before its panel, so its first line
    // keeps the panel's opacity; the others set it after.
    bool whiteBeforePanel;
    const char* headline;  // y 150, large
    const char* subline;   // y 250, small
    const char* body;      // y 310, small
    const char* number;    // y 390, large
    const char* prompt;    // y 450, small
};

// Every end screen slides its panel in from x = 160 and its lines down from
// 256 units above their places, 16 units per frame, in this drawing order.
void drawEndScreen(const EndScreen& screen)
{
    if (screen.losing)
        shakeBoard();
    if (panelSlide < 0)
        panelSlide += 16;
    if (screen.whiteBeforePanel)
        setOpaqueWhite();
    draw::drawSprite(screen.panel, 400 + panelSlide, 300, 512, 512, 0, screen.panelAlpha);
    if (!screen.whiteBeforePanel)
        setOpaqueWhite();
    draw::drawTextCentred(screen.subline, panelSlide + 250, draw::fontSmall);
    draw::drawTextCentred(screen.headline, panelSlide + 150, draw::fontLarge);
    draw::drawTextCentred(screen.body, panelSlide + 310, draw::fontSmall);
    draw::drawTextCentred(screen.number, panelSlide + 390, draw::fontLarge);
    draw::drawTextCentred(screen.prompt, panelSlide + 450, draw::fontSmall);
}

} // namespace

void drawHud()
{
    setOpaqueWhite();
    if (hudY < 15)
        ++hudY;
    applyRecordRule();
    float llx = 0;
    float hiscoreEnd = 0;
    float scoreEnd = 0;
    const char* hiscore = text(language::TEXT_HISCORE);
    const char* scoreLabel = text(language::TEXT_SCORE);
    draw::drawText(hiscore, 0, hudY, draw::fontSmall);
    draw::textBox(hiscore, draw::fontSmall, llx, hiscoreEnd);
    draw::drawNumber(records::classicRecord, static_cast<int>(hiscoreEnd + 20), hudY, draw::fontSmall);
    draw::drawText(scoreLabel, static_cast<int>(hiscoreEnd + 220), hudY, draw::fontSmall);
    draw::textBox(scoreLabel, draw::fontSmall, llx, scoreEnd);
    draw::drawNumber(play::score, static_cast<int>((hiscoreEnd + 240) + scoreEnd), hudY, draw::fontSmall);
}

void drawLevelScreen()
{
    const Line levelLine = levelCompletedLine();
    const Line number = scoreLine();
    drawEndScreen({false, textures::texCongrats, 0.5f, false, text(language::TEXT_CONGRATULATIONS),
                   levelLine.text, text(language::TEXT_CONGRATULATIONS_TEXT), number.text,
                   text(language::TEXT_TO_CONTINUE)});
}

void drawLevelUpScreen()
{
    const Line number = scoreLine();
    drawEndScreen({false, textures::texLevelUp, 0.7f, true, text(language::TEXT_CONGRATULATIONS),
                   text(language::TEXT_GAME_COMPLETED), text(language::TEXT_CONGRATULATIONS_TEXT),
                   number.text, text(language::TEXT_PRESS_SPACE)});
}

void drawNoMoreMovesScreen()
{
    const Line number = scoreLine();
    drawEndScreen({true, textures::texGameOver, 0.5f, false, text(language::TEXT_LEVEL_COMPLETED),
                   text(language::TEXT_NO_MORE_MOVES), text(language::TEXT_CONGRATULATIONS_TEXT),
                   number.text, text(language::TEXT_PRESS_SPACE)});
}

void drawSurvivalOverScreen()
{
    const Line time = survivalResultLine();
    drawEndScreen({true, textures::texGameOver, 0.8f, false, text(language::TEXT_LEVEL_COMPLETED),
                   text(language::TEXT_NO_MORE_MOVES), text(language::TEXT_SURV), time.text,
                   text(language::TEXT_PRESS_SPACE)});
}

} // namespace kalup::game
