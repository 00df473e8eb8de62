#include "app/bests_page.h"

#include <GL/gl.h>

#include <ctime>

#include "app/game_files.h"
#include "app/page_look.h"
#include "data/language.h"
#include "platform/keys.h"
#include "platform/seam.h"
#include "render/draw.h"

namespace kalup::bests_page {

namespace {

struct Column {
    game::BestsTable table;
    language::TextKey heading;
    int centreX;
};

const Column columns[] = {
    {game::BestsTable::Classic, language::TEXT_CLASSIC_GAME, 135},
    {game::BestsTable::FallingRows, language::TEXT_REMOVE2_GAME, 400},
    {game::BestsTable::Survival, language::TEXT_SURVIVAL_GAME, 665},
};

constexpr int HEADING_Y = 150;
constexpr int FIRST_ROW_Y = 195;
constexpr int ROW_HEIGHT = 34;

// The day in the player's own time zone, "2026-12-07".
game::Line dateLine(std::int64_t date)
{
    const std::time_t when = static_cast<std::time_t>(date);
    std::tm local{};
    if (!localtime_r(&when, &local))
        return game::composeLine("-");
    return game::composeLine("%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

void drawRightAligned(const char* text, int rightX, int y, FTFont* font)
{
    float llx = 0;
    float urx = 0;
    draw::textBox(text, font, llx, urx);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    draw::drawText(text, rightX - static_cast<int>(urx), y, font);
}

// The heading in the menu's font, the rows in the narrower label font: the
// place and the result end at fixed lines, the date starts at one.
void drawColumn(const Column& column, const game::Table& table)
{
    page_look::drawTextCentredAt(language::text(column.heading), column.centreX, HEADING_Y, draw::fontSmall);
    if (table.empty()) {
        page_look::drawTextCentredAt("-", column.centreX, FIRST_ROW_Y, draw::fontLabel);
        return;
    }
    int y = FIRST_ROW_Y;
    int place = 1;
    for (const game::Result& result : table) {
        const game::Line placeLine = game::composeLine("%d.", place++);
        drawRightAligned(placeLine.text, column.centreX - 62, y, draw::fontLabel);
        drawRightAligned(resultLine(column.table, result.value).text, column.centreX + 5, y, draw::fontLabel);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        draw::drawText(dateLine(result.date).text, column.centreX + 20, y, draw::fontLabel);
        y += ROW_HEIGHT;
    }
}

} // namespace

void BestsPage::followKeys(screens::Changes& asked)
{
    if (keys::wentDown(seam::Key::B))
        asked.push_back(screens::Change::close());
}

void BestsPage::draw()
{
    page_look::drawVeil(0.75f);
    draw::drawTextCentred(language::text(language::TEXT_BESTS_TITLE), 90, draw::fontLarge);
    const game::Bests& bests = game_files::bestsFile().bests;
    bool none = true;
    for (const Column& column : columns)
        none = none && bests[column.table].empty();
    if (none) {
        draw::drawTextCentred(language::text(language::TEXT_BESTS_EMPTY), 300, draw::fontSmall);
        return;
    }
    for (const Column& column : columns)
        drawColumn(column, bests[column.table]);
}

game::Line resultLine(game::BestsTable table, std::int64_t value)
{
    if (table != game::BestsTable::Survival)
        return game::composeLine("%lld", static_cast<long long>(value));
    const long long seconds = value / 1000;
    return game::composeLine("%lld:%02lld", seconds / 60, seconds % 60);
}

} // namespace kalup::bests_page
