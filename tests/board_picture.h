#pragma once
// Boards for the tests, drawn as lines of twelve characters: '.' is an empty
// cell, '0'..'9' a piece of that kind; fewer than nine lines are the bottom rows.
#include <algorithm>
#include <string>
#include <string_view>

#include "board/clicks.h"
#include "tests/recorded_events.h"

namespace boardtest {

using Picture = std::initializer_list<std::string_view>;

// The board the rules' tests play on.
kalup::board::BoardState& state();
// The points its clicks scored since the last setBoard.
inline int score = 0;

// A fresh round in the given mode (classic if none), on the tests' board or
// the given one: pieces at home, size 64, frame 0, faded in; no feed,
// ghosts, paint, score, recent click or recorded events.
void setBoard(kalup::board::BoardState& board, int mode, Picture rows);
void setBoard(int mode, Picture rows);
void setBoard(Picture rows);
// The kinds of the board, nine lines; picture() draws a picture the same way.
std::string boardPicture(const kalup::board::BoardState& board);
std::string boardPicture();
std::string picture(Picture rows);
// A piece in a feed slot of the tests' board as a fresh deal leaves it; the
// cursor on a cell, and the board's input with the cursor there.
void setFeedSlot(int col, int kind);
void pointAt(int row, int col);
kalup::board::BoardInput pointedAt(bool pressed = false, double time = 0.0);
// One press of the button at the given time, taken by the tests' board at once.
void clickAt(int row, int col, double time);
// What the board reported since the last setBoard.
RecordedEvents& events();

// No two like pieces touch and every column is full: no move, no room to rise.
inline const Picture noMoves = {"012301230123", "123012301230", "230123012301", "301230123012", "012301230123",
    "123012301230", "230123012301", "301230123012", "012301230123"};

} // namespace boardtest
