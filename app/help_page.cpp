#include "app/help_page.h"

#include <GL/gl.h>

#include "app/page_look.h"
#include "board/board.h"
#include "data/language.h"
#include "game/round_view.h"
#include "platform/keys.h"
#include "platform/seam.h"
#include "render/draw.h"

namespace kalup::help_page {

namespace {

bool hint = false;

constexpr int TEXT_LEFT = 50;
constexpr int PIECE_X = 74;
constexpr int PIECE_SIZE = 48;
constexpr int PIECE_TEXT_LEFT = 110;

struct PieceLine {
    int kind;
    language::TextKey text;
    int y;
};

const PieceLine pieceLines[] = {
    {board::KIND_BOMB, language::TEXT_HELP_BOMB, 340},
    {board::KIND_DROP_BOMB, language::TEXT_HELP_DROP_BOMB, 405},
    {board::KIND_PAINT_0, language::TEXT_HELP_PAINT, 470},
};

} // namespace

void HelpPage::enter() { hint = false; }

void HelpPage::followKeys(screens::Changes& asked)
{
    if (keys::wentDown(seam::Key::F1))
        asked.push_back(screens::Change::close());
}

void HelpPage::draw()
{
    using language::text;
    page_look::drawVeil(0.6f);
    draw::drawTextCentred(text(language::TEXT_HELP_TITLE), 90, draw::fontLarge);
    const language::TextKey rules[] = {language::TEXT_HELP_CLASSIC, language::TEXT_HELP_REMOVE2,
        language::TEXT_HELP_SURVIVAL, language::TEXT_HELP_SCORE};
    int y = 150;
    for (language::TextKey rule : rules) {
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        draw::drawText(text(rule), TEXT_LEFT, y, draw::fontSmall);
        // The score rule stands apart from the modes.
        y += rule == language::TEXT_HELP_SURVIVAL ? 55 : 38;
    }
    for (const PieceLine& line : pieceLines) {
        draw::useBlend(draw::Blend::Alpha);
        draw::drawSheetFrame(game::pieceTexture(line.kind), PIECE_X, static_cast<float>(line.y), PIECE_SIZE,
            PIECE_SIZE, 0, 0.0f, 1.0f);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        draw::drawText(text(line.text), PIECE_TEXT_LEFT, line.y + 7, draw::fontSmall);
    }
    draw::drawTextCentred(text(language::TEXT_HELP_CLOSE), 560, draw::fontSmall);
}

void offerHint() { hint = true; }
bool hintOffered() { return hint; }

} // namespace kalup::help_page
