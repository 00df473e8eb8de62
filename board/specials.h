#pragma once
// Bombs, drop bombs and paint pieces.
#include <vector>

#include "board/events.h"

namespace kalup::board {

// Three entries per queued paint: kind, row, column; popped in reverse.
extern std::vector<int> paintQueue;

struct BoardInput;

void clickBomb(const BoardInput& input, Events& events);
void clickPaint(const BoardInput& input);
void blastAt(int row, int col, Events& events);
void detonateCell(int row, int col, Events& events);
void paintAround(int row, int col, int kind);
void queuePaint(int row, int col, int kind);
void paintStep(Events& events);

} // namespace kalup::board
