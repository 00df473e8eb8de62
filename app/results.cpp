#include "app/results.h"

#include <variant>

#include "app/game_files.h"
#include "board/play.h"
#include "game/bests.h"
#include "platform/seam.h"

namespace kalup::results {

namespace {

// The result's place in its table (0 the best), or -1 when it did not
// enter; a result of nothing is no result.
int keep(int mode, std::int64_t value)
{
    game::BestsTable table{};
    if (value <= 0 || !game::tableOfMode(mode, table))
        return -1;
    return bests_file::enterResult(game_files::bestsFile(), table, {value, seam::wallClockSeconds()});
}

} // namespace

void noteRoundEnd(game::Round& round, game::Scene& scene)
{
    const int mode = round.board.gameMode;
    if (mode != play::MODE_REMOVE_TWO && mode != play::MODE_SURVIVAL)
        return;
    // The numbers are taken as the end screen shows them: the player may
    // have dealt the next round in the same frame.
    bool nextRoundDealt = false;
    for (auto shown = scene.rbegin(); shown != scene.rend(); ++shown) {
        nextRoundDealt = nextRoundDealt || std::holds_alternative<game::ShownRoundStart>(*shown);
        auto* end = std::get_if<game::ShownEndScreen>(&*shown);
        if (!end || !end->lossNoted)
            continue;
        const std::int64_t value =
            mode == play::MODE_SURVIVAL ? static_cast<std::int64_t>(end->survivalTime * 1000) : end->score;
        end->newBest = keep(mode, value) == 0;
        if (!nextRoundDealt)
            round.newBest = end->newBest;
    }
}

void noteGameLeft(game::Round& round)
{
    if (round.board.gameMode != play::MODE_CLASSIC || round.resultKept)
        return;
    round.resultKept = true;
    keep(play::MODE_CLASSIC, round.score);
}

} // namespace kalup::results
