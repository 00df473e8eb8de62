#include "board/play.h"

namespace kalup::play {

int gameMode = MODE_CLASSIC;
int score = 0;

} // namespace kalup::play
