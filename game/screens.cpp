#include "game/screens.h"

#include <GL/gl.h>

#include "data/language.h"
#include "game/lines.h"
#include "render/draw.h"
#include "render/textures.h"

namespace kalup::game {

namespace {

using language::text;

// The screens ask for white with out-of-range components; GL clamps them to 1.
void setOpaqueWhite() { glColor4d(255, 255, 255, 255); }

struct EndScreenLook {
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

// The panel and its lines, slid `slide` units from their places, in this drawing order.
void drawLook(const EndScreenLook& look, int slide)
{
    if (look.whiteBeforePanel)
        setOpaqueWhite();
    draw::drawSprite(look.panel, 400 + slide, 300, 512, 512, 0, look.panelAlpha);
    if (!look.whiteBeforePanel)
        setOpaqueWhite();
    draw::drawTextCentred(look.subline, slide + 250, draw::fontSmall);
    draw::drawTextCentred(look.headline, slide + 150, draw::fontLarge);
    draw::drawTextCentred(look.body, slide + 310, draw::fontSmall);
    draw::drawTextCentred(look.number, slide + 390, draw::fontLarge);
    draw::drawTextCentred(look.prompt, slide + 450, draw::fontSmall);
}

// Below the prompt, where the panel shows nothing else.
void drawNewBest(const ShownEndScreen& shown)
{
    if (!shown.newBest)
        return;
    setOpaqueWhite();
    draw::drawTextCentred(text(language::TEXT_NEW_RECORD), shown.slide + 500, draw::fontSmall);
}

} // namespace

void drawHud(const ShownHud& hud)
{
    setOpaqueWhite();
    float llx = 0;
    float hiscoreEnd = 0;
    float scoreEnd = 0;
    const char* hiscore = text(language::TEXT_HISCORE);
    const char* scoreLabel = text(language::TEXT_SCORE);
    draw::drawText(hiscore, 0, hud.y, draw::fontSmall);
    draw::textBox(hiscore, draw::fontSmall, llx, hiscoreEnd);
    draw::drawNumber(hud.record, static_cast<int>(hiscoreEnd + 20), hud.y, draw::fontSmall);
    draw::drawText(scoreLabel, static_cast<int>(hiscoreEnd + 220), hud.y, draw::fontSmall);
    draw::textBox(scoreLabel, draw::fontSmall, llx, scoreEnd);
    draw::drawNumber(hud.score, static_cast<int>((hiscoreEnd + 240) + scoreEnd), hud.y, draw::fontSmall);
}

void drawSurvivalTimer(const ShownSurvivalTimer& timer, float alpha)
{
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    const Line line = survivalTimerLine(timer.survivalTime);
    draw::drawText(line.text, 5, 15, draw::fontLabel);
}

void drawEndScreen(const ShownEndScreen& shown)
{
    const Line number = scoreLine(shown.score);
    switch (shown.screen) {
    case EndScreen::LevelCompleted: {
        const Line levelLine = levelCompletedLine(shown.level);
        drawLook({textures::texCongrats, 0.5f, false, text(language::TEXT_CONGRATULATIONS), levelLine.text,
                     text(language::TEXT_CONGRATULATIONS_TEXT), number.text, text(language::TEXT_TO_CONTINUE)},
            shown.slide);
        break;
    }
    case EndScreen::BoardCleared:
        drawLook({textures::texLevelUp, 0.7f, true, text(language::TEXT_CONGRATULATIONS),
                     text(language::TEXT_GAME_COMPLETED), text(language::TEXT_CONGRATULATIONS_TEXT), number.text,
                     text(language::TEXT_PRESS_SPACE)},
            shown.slide);
        break;
    case EndScreen::NoMoreMoves:
        drawLook({textures::texGameOver, 0.5f, false, text(language::TEXT_GAME_OVER_HEADLINE),
                     text(language::TEXT_NO_MORE_MOVES), text(language::TEXT_CONGRATULATIONS_TEXT), number.text,
                     text(language::TEXT_PRESS_SPACE)},
            shown.slide);
        break;
    case EndScreen::SurvivalOver: {
        const Line time = survivalResultLine(shown.survivalTime);
        drawLook({textures::texGameOver, 0.8f, false, text(language::TEXT_GAME_OVER_HEADLINE),
                     text(language::TEXT_NO_MORE_MOVES), text(language::TEXT_SURV), time.text,
                     text(language::TEXT_PRESS_SPACE)},
            shown.slide);
        break;
    }
    }
    drawNewBest(shown);
}

} // namespace kalup::game
