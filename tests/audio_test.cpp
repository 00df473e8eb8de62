#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/audio.h"
#include "platform/module_music.h"
#include "tests/harness.h"
#include "tests/audio_fixtures.h"

using kalup::audio::Handle;
namespace audio = kalup::audio;
namespace module_music = kalup::module_music;

namespace {

// Long enough to outlast any test that counts running playbacks.
constexpr double LONG_SECONDS = 8.0;
constexpr double SHORT_SECONDS = 0.2;

// Waits for the mixer to finish every playback of the sample; false if it
// is still playing after ten seconds. The silent device plays in real time.
bool waitUntilSilent(Handle sample)
{
    for (int waited = 0; waited < 5000; ++waited) {
        if (audio::playingCount(sample) == 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

bool anySound(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t to, std::size_t stride = 1,
              std::size_t offset = 0)
{
    for (std::size_t i = from + offset; i < to; i += stride)
        if (samples[i] != 0)
            return true;
    return false;
}

std::vector<unsigned char> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

// Every test opens the silent device in a folder of its own sound files.
class AudioLayer : public testing::Test {
protected:
    harness::TempWorkDir dir;

    void SetUp() override
    {
        dir.write("long.wav", audio_fixtures::toneWav(LONG_SECONDS));
        dir.write("short.wav", audio_fixtures::toneWav(SHORT_SECONDS));
        dir.write("tune.mod", audio_fixtures::oneRowModule());
        dir.write("garbage.ogg", "this is no sound at all");
        ASSERT_TRUE(audio::init(audio::Device::NoSound, nullptr));
        audio::start();
    }
    void TearDown() override { audio::shutdown(); }
};

using SamplePlayback = AudioLayer;
using MusicModule = AudioLayer;

} // namespace

TEST(AudioDevice, SilentDeviceOpensWhenTheDefaultOneIsRefused)
{
    harness::TempWorkDir dir;
    dir.write("long.wav", audio_fixtures::toneWav(LONG_SECONDS));
    audio_fixtures::ScopedEnv noSuchDriver("SDL_AUDIODRIVER", "no-such-driver");

    EXPECT_FALSE(audio::init(audio::Device::Default, nullptr));
    EXPECT_EQ(audio::loadSample("long.wav", 1), 0u);

    ASSERT_TRUE(audio::init(audio::Device::NoSound, nullptr));
    audio::start();
    Handle sample = audio::loadSample("long.wav", 1);
    ASSERT_NE(sample, 0u);
    audio::playSample(sample);
    EXPECT_EQ(audio::playingCount(sample), 1);
    audio::shutdown();

    // The silent device is a fallback, not a setting: the next default
    // init asks the system again.
    EXPECT_FALSE(audio::init(audio::Device::Default, nullptr));
    audio::shutdown();
}

TEST(AudioDevice, ShutdownIsHarmlessTwiceAndWithoutInit)
{
    audio::shutdown();
    ASSERT_TRUE(audio::init(audio::Device::NoSound, nullptr));
    audio::shutdown();
    audio::shutdown();
    ASSERT_TRUE(audio::init(audio::Device::NoSound, nullptr));
    audio::shutdown();
}

TEST(AudioDevice, NothingLoadsOrPlaysWithoutADevice)
{
    harness::TempWorkDir dir;
    dir.write("long.wav", audio_fixtures::toneWav(LONG_SECONDS));
    dir.write("tune.mod", audio_fixtures::oneRowModule());
    audio::shutdown();

    EXPECT_EQ(audio::loadSample("long.wav", 1), 0u);
    EXPECT_EQ(audio::loadMusic("tune.mod"), 0u);
    audio::playSample(1);
    audio::stopSample(1);
    audio::playMusic(1);
    EXPECT_EQ(audio::playingCount(1), 0);
    EXPECT_EQ(audio::playingMusic(), 0u);
}

TEST_F(SamplePlayback, RequestBeyondTheLimitIsDropped)
{
    Handle sample = audio::loadSample("long.wav", 2);
    ASSERT_NE(sample, 0u);

    audio::playSample(sample);
    EXPECT_EQ(audio::playingCount(sample), 1);
    for (int request = 0; request < 5; ++request)
        audio::playSample(sample);
    EXPECT_EQ(audio::playingCount(sample), 2);
}

TEST_F(SamplePlayback, DroppedRequestsLeaveTheRunningPlaybackUndisturbed)
{
    Handle sample = audio::loadSample("short.wav", 1);
    ASSERT_NE(sample, 0u);

    // Asked for again and again, a playback that restarted on every request
    // would never end; a dropped request lets it run to its end.
    audio::playSample(sample);
    bool ended = false;
    for (int request = 0; request < 5000 && !ended; ++request) {
        ended = audio::playingCount(sample) == 0;
        audio::playSample(sample);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_TRUE(ended);
}

TEST_F(SamplePlayback, FreedChannelTakesTheNextRequest)
{
    Handle sample = audio::loadSample("short.wav", 1);
    ASSERT_NE(sample, 0u);

    audio::playSample(sample);
    ASSERT_TRUE(waitUntilSilent(sample));
    audio::playSample(sample);
    EXPECT_EQ(audio::playingCount(sample), 1);
}

TEST_F(SamplePlayback, EachSampleHasItsOwnLimit)
{
    Handle single = audio::loadSample("long.wav", 1);
    Handle triple = audio::loadSample("long.wav", 3);
    ASSERT_NE(single, 0u);
    ASSERT_NE(triple, 0u);

    for (int request = 0; request < 4; ++request)
        audio::playSample(single);
    for (int request = 0; request < 4; ++request)
        audio::playSample(triple);
    EXPECT_EQ(audio::playingCount(single), 1);
    EXPECT_EQ(audio::playingCount(triple), 3);
}

TEST_F(SamplePlayback, StopHaltsEveryPlaybackOfThatSampleOnly)
{
    Handle stopped = audio::loadSample("long.wav", 3);
    Handle other = audio::loadSample("long.wav", 2);
    for (int request = 0; request < 3; ++request) {
        audio::playSample(stopped);
        audio::playSample(other);
    }

    audio::stopSample(stopped);
    EXPECT_EQ(audio::playingCount(stopped), 0);
    EXPECT_EQ(audio::playingCount(other), 2);

    audio::playSample(stopped);
    EXPECT_EQ(audio::playingCount(stopped), 1);
}

TEST_F(SamplePlayback, MissingOrUnreadableFileGivesNoHandleAndPlaysNothing)
{
    EXPECT_EQ(audio::loadSample("sounds/missing.ogg", 1), 0u);
    EXPECT_EQ(audio::loadSample("garbage.ogg", 1), 0u);
    EXPECT_EQ(audio::loadSample("long.wav", 0), 0u);
    audio::playSample(0);
    audio::stopSample(0);
    EXPECT_EQ(audio::playingCount(0), 0);

    // The failures take no channels: the next sample gets its full limit.
    Handle sample = audio::loadSample("long.wav", 2);
    ASSERT_NE(sample, 0u);
    for (int request = 0; request < 3; ++request)
        audio::playSample(sample);
    EXPECT_EQ(audio::playingCount(sample), 2);
}

TEST_F(SamplePlayback, HandlesFollowLoadOrderAndDieWithTheDevice)
{
    Handle first = audio::loadSample("long.wav", 1);
    Handle second = audio::loadSample("long.wav", 1);
    EXPECT_LT(first, second);
    audio::playSample(first);

    audio::shutdown();
    ASSERT_TRUE(audio::init(audio::Device::NoSound, nullptr));
    Handle fresh = audio::loadSample("long.wav", 1);
    EXPECT_GT(fresh, second);
    audio::playSample(first);
    audio::playSample(second);
    EXPECT_EQ(audio::playingCount(first), 0);
    EXPECT_EQ(audio::playingCount(fresh), 0);
}

TEST_F(MusicModule, LoadsAndPlaysThroughTheMixer)
{
    Handle music = audio::loadMusic("tune.mod");
    ASSERT_NE(music, 0u);
    EXPECT_EQ(audio::playingMusic(), 0u);

    audio::playMusic(music);
    EXPECT_EQ(audio::playingMusic(), music);

    // Samples still mix over the music.
    Handle sample = audio::loadSample("long.wav", 1);
    audio::playSample(sample);
    EXPECT_EQ(audio::playingCount(sample), 1);

    audio::shutdown();
    EXPECT_EQ(audio::playingMusic(), 0u);
}

TEST_F(MusicModule, MissingOrUnreadableFileGivesNoHandle)
{
    EXPECT_EQ(audio::loadMusic("music/missing.mo3"), 0u);
    EXPECT_EQ(audio::loadMusic("garbage.ogg"), 0u);
    audio::playMusic(0);
    EXPECT_EQ(audio::playingMusic(), 0u);
}

TEST(MusicOutput, ModuleReachesTheDevice)
{
    harness::TempWorkDir dir;
    dir.write("tune.mod", audio_fixtures::oneRowModule());
    const std::string output = dir.path() + "/device.raw";
    // SDL's disk driver writes what the device would play into a file.
    audio_fixtures::ScopedEnv driver("SDL_AUDIODRIVER", "disk");
    audio_fixtures::ScopedEnv file("SDL_DISKAUDIOFILE", output.c_str());
    ASSERT_TRUE(audio::init(audio::Device::Default, nullptr));
    audio::playMusic(audio::loadMusic("tune.mod"));

    // Half a second of 16-bit stereo at 44100 Hz, well past the song's end.
    const std::uintmax_t wanted = 44100 * 4 / 2;
    for (int waited = 0; waited < 1000 && std::filesystem::file_size(output) < wanted; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    audio::shutdown();

    const std::string played = dir.read("device.raw");
    ASSERT_GE(played.size(), wanted);
    std::vector<std::int16_t> samples(played.size() / 2);
    std::memcpy(samples.data(), played.data(), samples.size() * 2);
    EXPECT_TRUE(anySound(samples, samples.size() / 2, samples.size()));
}

TEST(ModuleRendering, LoopsPastTheEndOfTheSong)
{
    openmpt_module* module = module_music::openModule(bytesOf(audio_fixtures::oneRowModule()));
    ASSERT_NE(module, nullptr);

    const int rate = 44100;
    const int frames = rate * 2; // many passes of the one-row song
    std::vector<std::int16_t> out(frames * 2);
    module_music::render(module, rate, 2, out.data(), frames);
    module_music::closeModule(module);

    EXPECT_TRUE(anySound(out, 0, static_cast<std::size_t>(rate * audio_fixtures::ONE_ROW_SECONDS) * 2));
    // The last quarter second lies far beyond the first pass.
    EXPECT_TRUE(anySound(out, out.size() - rate / 2, out.size()));
}

TEST(ModuleRendering, FillsTheDeviceLayoutForAnyChannelCount)
{
    const int rate = 22050;
    const int frames = 4000;

    openmpt_module* module = module_music::openModule(bytesOf(audio_fixtures::oneRowModule()));
    ASSERT_NE(module, nullptr);
    std::vector<std::int16_t> mono(frames);
    module_music::render(module, rate, 1, mono.data(), frames);
    EXPECT_TRUE(anySound(mono, 0, mono.size()));

    // Six channels: the module on the first two, silence on the rest.
    std::vector<std::int16_t> six(frames * 6, 1234);
    module_music::render(module, rate, 6, six.data(), frames);
    module_music::closeModule(module);
    EXPECT_TRUE(anySound(six, 0, six.size(), 6, 0));
    EXPECT_TRUE(anySound(six, 0, six.size(), 6, 1));
    for (std::size_t channel = 2; channel < 6; ++channel)
        EXPECT_FALSE(anySound(six, 0, six.size(), 6, channel)) << "channel " << channel;
}

TEST(ModuleRendering, NoModuleRendersSilence)
{
    EXPECT_EQ(module_music::openModule({}), nullptr);
    EXPECT_EQ(module_music::openModule(bytesOf("M.K. is not enough")), nullptr);

    std::vector<std::int16_t> out(512 * 2, 999);
    module_music::render(nullptr, 44100, 2, out.data(), 512);
    EXPECT_FALSE(anySound(out, 0, out.size()));
}
