#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/sound.h"
#include "platform/audio.h"
#include "tests/harness.h"
#include "tests/audio_fixtures.h"

using kalup::audio::Handle;
namespace audio = kalup::audio;
namespace sound = kalup::sound;

namespace {

// The bank's table: each handle, its file and its playback limit, in load order.
struct BankEntry {
    Handle* handle;
    const char* file;
    int limit;
};

const std::vector<BankEntry> TABLE = {
    {&sound::sndFall, "sounds/fall.ogg", 1},
    {&sound::sndJump, "sounds/jump.ogg", 1},
    {&sound::sndExplos1, "sounds/explos1.ogg", 5},
    {&sound::sndExplos2, "sounds/explos2.ogg", 5},
    {&sound::snd3, "sounds/3.ogg", 1},
    {&sound::snd8, "sounds/8.ogg", 2},
    {&sound::snd7, "sounds/7.ogg", 1},
    {&sound::snd11, "sounds/11.ogg", 1},
    {&sound::sndRobot[0], "sounds/robot two.ogg", 1},
    {&sound::sndRobot[1], "sounds/robot three.ogg", 1},
    {&sound::sndRobot[2], "sounds/robot four.ogg", 1},
    {&sound::sndRobot[3], "sounds/robot five.ogg", 1},
    {&sound::sndRobot[4], "sounds/robot six.ogg", 1},
    {&sound::sndRobot[5], "sounds/robot seven.ogg", 1},
    {&sound::sndRobot[6], "sounds/robot eight.ogg", 1},
    {&sound::sndRobot[7], "sounds/robot nine.ogg", 1},
    {&sound::sndRobot[8], "sounds/robot ten.ogg", 1},
    // A group of eleven or more pieces laughs: the last voice.
    {&sound::sndRobot[9], "sounds/robot larff.ogg", 1},
    {&sound::sndPaint, "sounds/paint.ogg", 3},
    {&sound::sndLinefall, "sounds/linefall.wav", 3},
    {&sound::snd12, "sounds/12.ogg", 4},
};

const char* const MUSIC_FILE = "music/ZELMONTA.mo3";

std::vector<Handle> stops;
void recordStop(Handle sample) { stops.push_back(sample); }

// Any sound serves under the table's names: these are tones in WAV form
// (the loader goes by the contents, not the name), and a one-row module.
class SoundBank : public testing::Test {
protected:
    harness::TempWorkDir dir;

    void SetUp() override
    {
        std::filesystem::create_directory(dir.path() + "/sounds");
        std::filesystem::create_directory(dir.path() + "/music");
        stops.clear();
    }
    void TearDown() override
    {
        sound::freeSoundBank();
        sound::stopObserver = nullptr;
    }

    void writeBank(double seconds) const
    {
        const std::string tone = audio_fixtures::toneWav(seconds);
        for (const BankEntry& entry : TABLE)
            dir.write(entry.file, tone);
        dir.write(MUSIC_FILE, audio_fixtures::oneRowModule());
    }
};

} // namespace

TEST_F(SoundBank, LoadsTheTwentyOneSamplesInTableOrder)
{
    writeBank(0.05);
    sound::initSoundBank();

    Handle previous = 0;
    for (const BankEntry& entry : TABLE) {
        EXPECT_NE(*entry.handle, 0u) << entry.file;
        EXPECT_GT(*entry.handle, previous) << entry.file;
        previous = *entry.handle;
    }
    EXPECT_GT(sound::music, previous);
}

TEST_F(SoundBank, EachHandleReadsItsOwnFile)
{
    // Leaving one file out at a time must empty exactly its handle.
    for (const BankEntry& missing : TABLE) {
        writeBank(0.05);
        std::filesystem::remove(dir.path() + "/" + missing.file);
        sound::initSoundBank();
        for (const BankEntry& entry : TABLE) {
            if (&entry == &missing)
                EXPECT_EQ(*entry.handle, 0u) << entry.file << " is missing";
            else
                EXPECT_NE(*entry.handle, 0u) << entry.file << " with " << missing.file << " missing";
        }
        sound::freeSoundBank();
    }
}

TEST_F(SoundBank, EachSampleKeepsItsTableLimit)
{
    writeBank(8.0);
    sound::initSoundBank();

    for (const BankEntry& entry : TABLE)
        for (int request = 0; request < entry.limit + 2; ++request)
            sound::play(*entry.handle);
    for (const BankEntry& entry : TABLE) {
        EXPECT_EQ(audio::playingCount(*entry.handle), entry.limit) << entry.file;
        EXPECT_EQ(harness::timesPlayed(*entry.handle), entry.limit + 2) << entry.file;
    }
}

TEST_F(SoundBank, MusicStartsLoopingAtStartUp)
{
    writeBank(0.05);
    sound::initSoundBank();

    EXPECT_NE(sound::music, 0u);
    EXPECT_EQ(audio::playingMusic(), sound::music);
}

TEST_F(SoundBank, StopReachesTheObserverAndHaltsTheSample)
{
    writeBank(8.0);
    sound::initSoundBank();
    sound::stopObserver = recordStop;

    sound::play(sound::sndFall);
    ASSERT_EQ(audio::playingCount(sound::sndFall), 1);
    sound::stop(sound::sndFall);

    EXPECT_EQ(audio::playingCount(sound::sndFall), 0);
    EXPECT_EQ(stops, std::vector<Handle>{sound::sndFall});
    EXPECT_EQ(harness::timesPlayed(sound::sndFall), 1);
}

TEST_F(SoundBank, MissingFilesLeaveSilentHandlesAndTheGameGoesOn)
{
    sound::initSoundBank();

    for (const BankEntry& entry : TABLE)
        EXPECT_EQ(*entry.handle, 0u) << entry.file;
    EXPECT_EQ(sound::music, 0u);
    EXPECT_EQ(audio::playingMusic(), 0u);
    sound::play(sound::sndRobot[9]);
    sound::stop(sound::sndFall);
    EXPECT_EQ(harness::timesPlayed(0), 1);
}

TEST_F(SoundBank, WithoutASoundCardTheSilentDeviceTakesOver)
{
    writeBank(8.0);
    {
        audio_fixtures::ScopedEnv noSuchDriver("SDL_AUDIODRIVER", "no-such-driver");
        sound::initSoundBank();
    }

    for (const BankEntry& entry : TABLE)
        EXPECT_NE(*entry.handle, 0u) << entry.file;
    sound::play(sound::snd12);
    EXPECT_EQ(audio::playingCount(sound::snd12), 1);
    EXPECT_EQ(audio::playingMusic(), sound::music);
}

TEST_F(SoundBank, FreeingTwiceIsHarmless)
{
    writeBank(0.05);
    sound::initSoundBank();
    sound::freeSoundBank();
    sound::freeSoundBank();

    sound::play(sound::snd8);
    EXPECT_EQ(audio::playingCount(sound::snd8), 0);
}
