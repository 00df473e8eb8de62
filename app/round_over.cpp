#include "app/round_over.h"

#include "app/playing.h"

namespace kalup::round_over {

void RoundOverScreen::update(screens::Changes& asked)
{
    const game::FrameResult result = playing::stepRound();
    if (!result.endScreen || result.continued)
        asked.push_back(screens::Change::show(screens::ScreenId::Playing));
}

void RoundOverScreen::draw() { playing::drawRound(); }

} // namespace kalup::round_over
