#include "app/menu.h"

#include <GL/gl.h>

#include <cstdlib>

#include "app/bests_page.h"
#include "app/game_files.h"
#include "app/help_page.h"
#include "board/play.h"
#include "data/language.h"
#include "platform/keys.h"
#include "platform/logical_screen.h"
#include "platform/pointer.h"
#include "platform/seam.h"
#include "render/draw.h"
#include "render/textures.h"

namespace kalup::menu {

namespace {

MenuState kept;

struct MenuRow {
    int bandTop;
    int bandBottom;
    int mode;
    int stripY;
    language::TextKey label;
    int labelY;
    int markerY;
};

// Hover bands test only the pointer's height, both ends inclusive.
const MenuRow rows[3] = {
    {262, 322, play::MODE_CLASSIC, 312, language::TEXT_CLASSIC_GAME, 318, 315},
    {346, 403, play::MODE_REMOVE_TWO, 393, language::TEXT_REMOVE2_GAME, 403, 397},
    {425, 483, play::MODE_SURVIVAL, 473, language::TEXT_SURVIVAL_GAME, 482, 475},
};

struct Gear {
    float x, y, size;
    const float* angle;
};

const Gear gears[5] = {
    {0, 74, 128, &kept.gearAngleA},
    {101, 136, 156, &kept.gearAngleB},
    {778, 504, 128, &kept.gearAngleA},
    {667, 532, 156, &kept.gearAngleB},
    {799, 50, 200, &kept.gearAngleB},
};

// Sizes the strips and marks the hovered row; the hovered row's mode when
// the button is down. The button is read as held, so moving into a band with
// the button already down starts at once.
const MenuRow* hoverRows(int stripSizes[3])
{
    const MenuRow* chosen = nullptr;
    for (int i = 0; i < 3; ++i) {
        stripSizes[i] = 64;
        if (pointer::mouseY < rows[i].bandTop || pointer::mouseY > rows[i].bandBottom)
            continue;
        stripSizes[i] = 80;
        kept.menuMarkerY = rows[i].markerY;
        if (seam::leftButtonDown())
            chosen = &rows[i];
    }
    return chosen;
}

int bandMiddle(const MenuRow& row) { return (row.bandTop + row.bandBottom) / 2; }

// Down moves the pointer to the middle of the first row wholly below it, Up
// to the last row wholly above it; past the last row in either direction it
// stays where it is. Every tap is a step, also two inside one slow frame.
void steerAcrossRows()
{
    const int steps = keys::strikes(seam::Key::Down) - keys::strikes(seam::Key::Up);
    for (int step = 0; step < std::abs(steps); ++step) {
        const MenuRow* target = nullptr;
        if (steps > 0) {
            for (int i = 2; i >= 0; --i)
                if (rows[i].bandTop > pointer::mouseY)
                    target = &rows[i];
        } else {
            for (const MenuRow& row : rows)
                if (row.bandBottom < pointer::mouseY)
                    target = &row;
        }
        if (target)
            pointer::placePointer(logical::WIDTH / 2, bandMiddle(*target));
    }
}

// Enter starts the row the selector marks, as a click in that row would.
const MenuRow* markedRow()
{
    if (!keys::wentDown(seam::Key::Enter))
        return nullptr;
    for (const MenuRow& row : rows)
        if (row.markerY == kept.menuMarkerY)
            return &row;
    return nullptr;
}

// A mode started in this frame has cleared the screen for its backdrop with
// plain sums, and the rest of the menu's frame is drawn over that: the strips
// and the first label with those sums too.
draw::Blend blendAfterStart(bool started) { return started ? draw::Blend::Add : draw::Blend::Alpha; }

void drawStrips(const int stripSizes[3], bool started)
{
    draw::useBlend(blendAfterStart(started));
    glColor4d(255, 255, 255, 255);
    glBindTexture(GL_TEXTURE_2D, textures::texButtonStrip);
    for (int i = 0; i < 3; ++i)
        for (int x = 0; x <= 768; x += 64)
            draw::drawSquare(x, rows[i].stripY, stripSizes[i]);
}

// Every line of text leaves alpha blending and opaque white behind it.
void drawLabels(bool started)
{
    draw::useBlend(blendAfterStart(started));
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    for (const MenuRow& row : rows)
        draw::drawTextCentred(language::text(row.label), row.labelY, draw::fontSmall);
    draw::drawTextCentred(language::text(language::TEXT_GAME_MODE), 262, draw::fontLabel);
    draw::drawTextCentred(language::text(language::TEXT_EXIT_LABEL), 550, draw::fontLabel);
    draw::drawTextCentred(language::text(language::TEXT_TITLE), 570, draw::fontLabel);
}

// Left of the labels on the strips, clear of the selector gear, each mode's
// best (the gears at the lower right cover the strips' right ends); nothing
// before the mode's first result.
constexpr int BEST_X = 80;
// Between the last row, even hovered, and the exit line; and above the title letters.
constexpr int BESTS_OPEN_Y = 529;
constexpr int HINT_Y = 40;

void drawBests()
{
    const game::Bests& bests = game_files::bestsFile().bests;
    for (const MenuRow& row : rows) {
        game::BestsTable table{};
        if (!game::tableOfMode(row.mode, table) || bests[table].empty())
            continue;
        const game::Line best = bests_page::resultLine(table, bests[table].front().value);
        const game::Line line = game::composeLine("%s %s", language::text(language::TEXT_BEST_LABEL), best.text);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        draw::drawText(line.text, BEST_X, row.labelY, draw::fontSmall);
    }
    draw::drawTextCentred(language::text(language::TEXT_BESTS_OPEN), BESTS_OPEN_Y, draw::fontSmall);
    if (help_page::hintOffered())
        draw::drawTextCentred(language::text(language::TEXT_HELP_HINT), HINT_Y, draw::fontSmall);
}

void drawGears()
{
    for (const Gear& gear : gears)
        draw::drawSprite(textures::texGear, gear.x, gear.y, gear.size, gear.size, *gear.angle, 1);
    // The selector sits half outside the left edge, beside the last hovered row.
    draw::drawSprite(textures::texGear, 0, kept.menuMarkerY, 128, 128, kept.gearAngleC, 1);
}

} // namespace

MenuState& state() { return kept; }

void drawBackdrop()
{
    draw::drawPulsingQuad(textures::texMenuBackdrop, logical::WIDTH / 2, logical::HEIGHT / 2, logical::WIDTH,
                          logical::HEIGHT);
}

void MenuScreen::enter() { draw::createFonts(); }

void MenuScreen::update(screens::Changes& asked)
{
    if (kept.menuLogoY < 195)
        kept.menuLogoY += 4;
    steerAcrossRows();
    const MenuRow* chosen = hoverRows(stripSizes);
    // Not when a click has chosen a row in this frame already.
    if (!chosen)
        chosen = markedRow();
    kept.gearAngleA += 1.0f;
    kept.gearAngleB -= 0.5f;
    kept.gearAngleC += 4.0f;

    cleared = Cleared::Nothing;
    if (chosen) {
        asked.push_back(screens::Change::startGame(chosen->mode));
        cleared = Cleared::BackdropAndTitle;
    }
    // Space starts a classic game even after a row started one: two starts
    // in a row, the second going on from the level the first set.
    if (seam::keyDown(seam::Key::Space)) {
        asked.push_back(screens::Change::startGame(play::MODE_CLASSIC));
        cleared = Cleared::Everything;
    }
    if (seam::keyDown(seam::Key::F10) || seam::keyDown(seam::Key::F3))
        asked.push_back(screens::Change::quit());
}

void MenuScreen::followKeys(screens::Changes& asked)
{
    if (keys::wentDown(seam::Key::B))
        asked.push_back(screens::Change::open(screens::ScreenId::Bests));
}

void MenuScreen::draw()
{
    // What a game started in this frame has cleared is not drawn; the
    // backdrop only breathes on.
    if (cleared != Cleared::Nothing) {
        draw::stepPulse();
    } else {
        drawBackdrop();
        draw::drawSprite(textures::texTitle1, 272, kept.menuLogoY, 128, 128, 0, 1);
        draw::drawSprite(textures::texTitle2, 400, kept.menuLogoY, 128, 128, 0, 1);
        draw::drawSprite(textures::texTitle3, 528, kept.menuLogoY, 128, 128, 0, 1);
    }
    if (cleared == Cleared::Everything)
        return;
    const bool started = cleared == Cleared::BackdropAndTitle;
    drawStrips(stripSizes, started);
    drawLabels(started);
    drawBests();
    drawGears();
}

} // namespace kalup::menu
