#pragma once
// Boards for the tests, drawn as nine lines of twelve characters:
// '.' is an empty cell, '0'..'9' a piece of that kind ('4' bomb,
// '5' drop bomb, '6'..'9' paint).
#include <initializer_list>
#include <string>
#include <string_view>

#include "fx/emitters.h"

namespace boardtest {

using Picture = std::initializer_list<std::string_view>;

// A fresh round in the given mode: every piece of the picture resting at
// home at size 64, frame 0, fully faded in; empty feed row, no ghosts, no
// queued paint, no bursts, score 0, no click for a long time, cursor on (0, 0).
void setBoard(int mode, Picture rows);
void setBoard(Picture rows);

// The kinds of the board in the same picture form, one line per row.
std::string boardPicture();
std::string picture(Picture rows);

// Puts one piece into a feed slot as a fresh deal would.
void setFeedSlot(int col, int kind);

void pointAt(int row, int col);
// One press of the button at the given time, taken by the board at once.
void clickAt(int row, int col, double time);
// The board's part of a playing frame: input, settling, one paint step.
void boardFrame();

void clearBursts();
template <class Emitter> int burstsOf()
{
    int n = 0;
    for (auto* emitter : kalup::fx::liveEmitters)
        n += dynamic_cast<Emitter*>(emitter) != nullptr;
    return n;
}

// Sound handles are real only once the sound bank is open.
void needSounds();

} // namespace boardtest
