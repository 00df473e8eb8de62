#include "platform/random.h"

namespace kalup::random {

namespace {
unsigned state = 1;
}

void seed(unsigned value) { state = value; }

int rand()
{
    // Linear congruential generator with the classic 15-bit output.
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7fffu);
}

} // namespace kalup::random
