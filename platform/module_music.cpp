#include "platform/module_music.h"

#include <algorithm>

#include <libopenmpt/libopenmpt.h>

namespace kalup::module_music {

namespace {
// Stereo frames rendered per step when the device has more than two channels.
constexpr int STEP_FRAMES = 512;
}

openmpt_module* openModule(const std::vector<unsigned char>& bytes)
{
    if (bytes.empty())
        return nullptr;
    openmpt_module* module = openmpt_module_create_from_memory2(
        bytes.data(), bytes.size(), openmpt_log_func_silent, nullptr,
        openmpt_error_func_ignore, nullptr, nullptr, nullptr, nullptr);
    if (module)
        openmpt_module_set_repeat_count(module, -1);
    return module;
}

void closeModule(openmpt_module* module)
{
    if (module)
        openmpt_module_destroy(module);
}

void render(openmpt_module* module, int rate, int channels, std::int16_t* out, int frames)
{
    std::fill(out, out + static_cast<std::size_t>(frames) * channels, std::int16_t{0});
    if (!module || channels < 1 || frames <= 0)
        return;
    if (channels == 1) {
        openmpt_module_read_mono(module, rate, frames, out);
        return;
    }
    if (channels == 2) {
        openmpt_module_read_interleaved_stereo(module, rate, frames, out);
        return;
    }
    std::int16_t stereo[STEP_FRAMES * 2];
    for (int done = 0; done < frames;) {
        int step = std::min(STEP_FRAMES, frames - done);
        int got = static_cast<int>(openmpt_module_read_interleaved_stereo(module, rate, step, stereo));
        for (int i = 0; i < got; ++i) {
            out[(done + i) * channels] = stereo[i * 2];
            out[(done + i) * channels + 1] = stereo[i * 2 + 1];
        }
        if (got < step)
            return;
        done += step;
    }
}

} // namespace kalup::module_music
