#pragma once
// The sound bank: every sample of the game and the looping music.
#include "platform/audio.h"

namespace kalup::sound {

using audio::Handle;

// A drop bomb falling in the feed row.
extern Handle sndFall;
// A cleared board in remove-two.
extern Handle sndJump;
extern Handle sndDropBombBlast;
extern Handle sndBombBlast;
// A feed piece falling through an emptied column.
extern Handle sndFeedPieceLost;
// Every visit of a removed group's cells asks for it.
extern Handle sndGroupRemoved;
extern Handle sndPiecesFell;
// A column closing up, or the survival board rising.
extern Handle sndBoardShift;
// Voices by group size: [0] for two pieces ... [8] for ten, [9] the laugh.
extern Handle sndRobot[10];
extern Handle sndPaint;
extern Handle sndLinefall;
extern Handle sndRoundStart;
extern Handle music;

// Opens the audio device (a silent one when there is no sound card) and
// loads the samples in table order and the music; nothing is heard yet. It
// may run on another thread while the window opens: the sound system and
// these handles are then that thread's alone until another thread has waited
// for it to end, and that thread's from then on.
void loadSoundBank();
// Starts the looping music.
void startMusic();
void freeSoundBank();

void play(Handle sample);
void stop(Handle sample);

// Tests watch every play request through this (null in the game).
using SoundObserver = void (*)(Handle sample);
extern SoundObserver playObserver;

} // namespace kalup::sound
