// The sound bank over the audio layer, on the silent device, which plays in
// real time: each test takes a copy of the game's sounds to break.
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <future>
#include <string>
#include <thread>

#include <signal.h>

#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include "data/sound.h"
#include "tests/harness.h"

using namespace kalup::sound;
namespace fs = std::filesystem;

namespace {

void initSoundBank()
{
    loadSoundBank();
    startMusic();
}

// In load order, with each sample's playback limit.
const struct { Handle* handle; const char* file; int limit; } TABLE[] = {
    {&sndFall, "sounds/fall.ogg", 1}, {&sndJump, "sounds/jump.ogg", 1}, {&sndDropBombBlast, "sounds/explos1.ogg", 5},
    {&sndBombBlast, "sounds/explos2.ogg", 5}, {&sndFeedPieceLost, "sounds/3.ogg", 1}, {&sndGroupRemoved, "sounds/8.ogg", 2},
    {&sndPiecesFell, "sounds/7.ogg", 1}, {&sndBoardShift, "sounds/11.ogg", 1}, {&sndRobot[0], "sounds/robot two.ogg", 1},
    {&sndRobot[1], "sounds/robot three.ogg", 1}, {&sndRobot[2], "sounds/robot four.ogg", 1},
    {&sndRobot[3], "sounds/robot five.ogg", 1}, {&sndRobot[4], "sounds/robot six.ogg", 1},
    {&sndRobot[5], "sounds/robot seven.ogg", 1}, {&sndRobot[6], "sounds/robot eight.ogg", 1},
    {&sndRobot[7], "sounds/robot nine.ogg", 1}, {&sndRobot[8], "sounds/robot ten.ogg", 1},
    {&sndRobot[9], "sounds/robot larff.ogg", 1}, // a group of eleven or more laughs: the last voice
    {&sndPaint, "sounds/paint.ogg", 3}, {&sndLinefall, "sounds/linefall.wav", 3}, {&sndRoundStart, "sounds/12.ogg", 4},
};

// Playbacks running on the mixer, whichever sample they belong to.
int playing() { return Mix_Playing(-1); }

class SoundBank : public testing::Test {
protected:
    const fs::path shipped = fs::current_path() / "sounds";
    const harness::TempWorkDir dir;
    void SetUp() override { fs::copy(shipped, "sounds"); }
    // Later tests in this process find the game's whole bank open again.
    void TearDown() override
    {
        fs::remove_all("sounds");
        fs::copy(shipped, "sounds");
        initSoundBank();
    }
};

} // namespace

TEST_F(SoundBank, LoadsTheTableInOrderAndHoldsEachSampleToItsLimitWithoutCuttingItShort)
{
    initSoundBank();
    Handle previous = 0;
    for (const auto& entry : TABLE) {
        EXPECT_GT(*entry.handle, previous) << entry.file;
        previous = *entry.handle;
        Mix_HaltChannel(-1);
        for (int request = 0; request < entry.limit + 2; ++request)
            play(*entry.handle);
        EXPECT_EQ(playing(), entry.limit) << entry.file;
    }
    // A blast stops the falling whistle and nothing else.
    play(sndFall);
    stop(sndFall);
    EXPECT_EQ(playing(), 4) << "the four starts of the round sound";
    play(sndFall);
    EXPECT_EQ(playing(), 5);

    // A dropped request leaves the running playback alone: one restarted by
    // every request would never end. Then its freed channel takes the next.
    Mix_HaltChannel(-1);
    play(sndPiecesFell);
    for (int frame = 0; frame < 2500 && playing() > 0; ++frame) {
        play(sndPiecesFell);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_EQ(playing(), 0);
    play(sndPiecesFell);
    EXPECT_EQ(playing(), 1);
}

TEST_F(SoundBank, EachHandleLoadsItsOwnFileAndABadFileLeavesItSilent)
{
    // Five starts, each without the files whose row number (from 1) has that
    // bit set, missing or unreadable: the silent handles tell every row apart.
    for (int bit = 0; bit < 5; ++bit) {
        auto bad = [bit](std::size_t row) { return ((row + 1) >> bit & 1) != 0; };
        fs::remove_all("sounds");
        fs::copy(shipped, "sounds");
        for (std::size_t row = 0; row < std::size(TABLE); ++row)
            if (bad(row) && fs::remove(TABLE[row].file) && bit % 2)
                dir.write(TABLE[row].file, "no sound");
        initSoundBank();
        for (std::size_t row = 0; row < std::size(TABLE); ++row)
            EXPECT_EQ(*TABLE[row].handle == 0, bad(row)) << TABLE[row].file << ", bit " << bit;
        // Without its module the game runs on without music.
        EXPECT_EQ(music, 0u);
        EXPECT_EQ(Mix_GetMusicHookData(), nullptr) << "nothing feeds the mixer a tune";
        play(0);
    }
}

TEST_F(SoundBank, WithoutASoundCardTheGamePlaysOnTheSilentDevice)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    initSoundBank();
    play(sndRoundStart);
    EXPECT_EQ(playing(), 1);
    // A fallback, not a setting: the next start asks the system again.
    EXPECT_FALSE(kalup::audio::init(kalup::audio::Device::Default));
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

TEST_F(SoundBank, LoadingOnAThreadOfItsOwnLeavesTheQuitSignalsToTheGame)
{
    // SDL takes the signals it finds unhandled for an event queue the game
    // never reads: a quit while the sounds load would be lost.
    const int quitSignals[] = {SIGINT, SIGTERM};
    struct sigaction byDefault = {};
    byDefault.sa_handler = SIG_DFL;
    struct sigaction previous[2] = {};
    for (int i = 0; i < 2; ++i)
        sigaction(quitSignals[i], &byDefault, &previous[i]);
    freeSoundBank();
    std::async(std::launch::async, [] {
        loadSoundBank();
        kalup::audio::releaseThreadState();
    }).wait();
    for (int i = 0; i < 2; ++i) {
        struct sigaction now = {};
        sigaction(quitSignals[i], &previous[i], &now);
        EXPECT_EQ(now.sa_handler, SIG_DFL) << strsignal(quitSignals[i]);
    }
}
