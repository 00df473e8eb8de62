#pragma once
// The round background drawn the way it was first written: one display list
// of the sprite square, called once per trail point between a push and a pop
// of the modelview matrix. The benchmark measures the game's batched drawing
// against it, and the tests hold the two pictures alike.

namespace kalup::listed {

// Compiles the current round's sprite; call after each round's background is built.
void compileSprite();
// One frame as the game's drawBackground does it: every cloud stepped and
// drawn sprite by sprite.
void drawBackground();
void deleteSprite();

} // namespace kalup::listed
