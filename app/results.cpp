#include "app/results.h"

#include <variant>

#include "app/game_files.h"
#include "board/play.h"
#include "game/bests.h"
#include "platform/seam.h"

namespace kalup::results {

namespace {

// A result of nothing is no result.
void keep(game::Round& round, std::int64_t value)
{
    round.resultKept = true;
    game::BestsTable table{};
    if (value <= 0 || !game::tableOfMode(round.board.gameMode, table))
        return;
    const int place = bests_file::enterResult(game_files::bestsFile(), table, {value, seam::wallClockSeconds()});
    round.newBest = place == 0;
}

bool losing(const game::ShownEndScreen& shown)
{
    return shown.screen == game::EndScreen::NoMoreMoves || shown.screen == game::EndScreen::SurvivalOver;
}

} // namespace

void noteRoundEnd(game::Round& round, game::Scene& scene)
{
    const int mode = round.board.gameMode;
    if (mode != play::MODE_REMOVE_TWO && mode != play::MODE_SURVIVAL)
        return;
    for (game::Shown& shown : scene) {
        auto* end = std::get_if<game::ShownEndScreen>(&shown);
        if (!end || !losing(*end))
            continue;
        if (!round.resultKept)
            keep(round, mode == play::MODE_SURVIVAL ? static_cast<std::int64_t>(round.survivalTime * 1000) : round.score);
        end->newBest = round.newBest;
    }
}

void noteGameLeft(game::Round& round)
{
    if (round.board.gameMode == play::MODE_CLASSIC && !round.resultKept)
        keep(round, round.score);
}

} // namespace kalup::results
