#pragma once
// The game's random numbers: 15-bit results (0..32767) from a seedable
// generator, as every probability and spread in the rules is written for
// that range (the C library here returns 31 bits).

namespace kalup::random {

void seed(unsigned value);
int rand();

} // namespace kalup::random
