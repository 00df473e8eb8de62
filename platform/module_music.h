#pragma once
// The game's tracker module, decoded by libopenmpt and rendered in the
// sound device's own format, looping for ever.
#include <cstdint>
#include <vector>

struct openmpt_module;

namespace kalup::module_music {

// Reads a module (MO3 and the formats libopenmpt reads) from the bytes of
// its file and sets it to loop for ever; null when they are no module.
// libopenmpt stays quiet: nothing is logged.
openmpt_module* openModule(const std::vector<unsigned char>& bytes);
void closeModule(openmpt_module* module);

// Fills `frames` frames of interleaved signed 16-bit samples at `rate` Hz
// with `channels` channels: one channel gets the module in mono, more get
// it in stereo on the first two and silence on the others. Whatever the
// module cannot deliver is silence.
void render(openmpt_module* module, int rate, int channels, std::int16_t* out, int frames);

} // namespace kalup::module_music
