#pragma once
// What the audio tests stand on: tiny sound files built in code, so the
// tests never depend on the game's own sounds and music, and a scoped
// environment variable for choosing the sound driver.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace audio_fixtures {

// Sets an environment variable for the scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name(name)
    {
        if (const char* old = std::getenv(name))
            previous = old;
        setenv(name, value, 1);
    }
    ~ScopedEnv()
    {
        if (previous)
            setenv(name, previous->c_str(), 1);
        else
            unsetenv(name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name;
    std::optional<std::string> previous;
};

inline void putLittle(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xff);
}

inline void putBig16(std::string& out, unsigned value)
{
    out += static_cast<char>((value >> 8) & 0xff);
    out += static_cast<char>(value & 0xff);
}

// A WAV of an audible square tone: 8 kHz, 8-bit, mono.
inline std::string toneWav(double seconds)
{
    const std::uint32_t rate = 8000;
    const auto length = static_cast<std::uint32_t>(seconds * rate);
    std::string wav = "RIFF";
    putLittle(wav, 36 + length, 4);
    wav += "WAVEfmt ";
    putLittle(wav, 16, 4);
    putLittle(wav, 1, 2);    // PCM
    putLittle(wav, 1, 2);    // mono
    putLittle(wav, rate, 4);
    putLittle(wav, rate, 4); // bytes per second
    putLittle(wav, 1, 2);    // bytes per frame
    putLittle(wav, 8, 2);    // bits per sample
    wav += "data";
    putLittle(wav, length, 4);
    for (std::uint32_t i = 0; i < length; ++i)
        wav += static_cast<char>((i / 8) % 2 ? 0xa0 : 0x60);
    return wav;
}

// The length of one pass of oneRowModule(): one row at speed 6, tempo 125.
inline constexpr double ONE_ROW_SECONDS = 0.12;

// A four-channel MOD whose song is a single row: a looping square-wave note,
// and a pattern break that ends the song right after it.
inline std::string oneRowModule()
{
    std::string mod(20, '\0'); // title
    for (int sample = 1; sample <= 31; ++sample) {
        mod += std::string(22, '\0');
        bool used = sample == 1;
        putBig16(mod, used ? 16 : 0);    // length in words
        mod += '\0';                     // finetune
        mod += static_cast<char>(used ? 64 : 0);
        putBig16(mod, 0);                // loop start
        putBig16(mod, used ? 16 : 1);    // loop length: the whole wave
    }
    mod += static_cast<char>(1);   // one position
    mod += static_cast<char>(127);
    mod += std::string(128, '\0'); // every position plays pattern 0
    mod += "M.K.";
    std::string pattern(64 * 4 * 4, '\0');
    // Row 0: channel 0 plays sample 1 at period 428, channel 1 breaks the pattern.
    pattern[0] = 0x01;
    pattern[1] = static_cast<char>(0xac);
    pattern[2] = 0x10;
    pattern[4 + 2] = 0x0d;
    mod += pattern;
    for (int i = 0; i < 32; ++i)
        mod += static_cast<char>(i < 16 ? 0x40 : 0xc0);
    return mod;
}

} // namespace audio_fixtures
