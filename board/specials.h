#pragma once
// Bombs, drop bombs and paint pieces.
#include <vector>

namespace kalup::board {

// Three entries per queued paint: kind, row, column; popped in reverse.
extern std::vector<int> paintQueue;

void clickBomb();
void clickPaint();
void blastAt(int row, int col);
void detonateCell(int row, int col);
void paintAround(int row, int col, int kind);
void queuePaint(int row, int col, int kind);
void paintStep();

} // namespace kalup::board
