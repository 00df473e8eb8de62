// The keys that answer on every screen. P or a lost focus stops the game
// clock in a round, and the round goes on from exactly where it stood; the
// mixer goes quiet meanwhile. M mutes the game for good and F11 switches the
// screen mode, once per press.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include "app/menu.h"
#include "app/playing.h"
#include "app/shell.h"
#include "app/toggles.h"
#include "board/board.h"
#include "board/play.h"
#include "data/sound.h"
#include "game/game_state.h"
#include "tests/board_picture.h"
#include "tests/harness.h"

using namespace kalup;
using harness::frames;
using harness::input;
using harness::tap;
using seam::Key;
namespace fs = std::filesystem;

namespace {

// What a standing round must keep: every cell as drawn, byte for byte, the
// end-screen slides and the timers.
struct RoundPicture {
    std::string cells;
    int panelSlide, hudY;
    double survivalTime, lastRiseTime, riseInterval, lastFeedTime, lastClickTime;
    bool feedArmed;
    bool operator==(const RoundPicture&) const = default;
};

RoundPicture roundAsItStands()
{
    const game::Round& round = playing::round();
    return {std::string(reinterpret_cast<const char*>(round.board.board), sizeof round.board.board), round.panelSlide,
        round.hudY, round.survivalTime, round.lastRiseTime, round.riseInterval, round.lastFeedTime,
        round.board.lastClickTime, round.feedArmed};
}

// Buffers the mixer hands the sound device, and how many of them were not silence.
std::atomic<int> buffersMixed{0};
std::atomic<int> audibleBuffers{0};

void SDLCALL listen(void*, Uint8* stream, int length)
{
    const auto* samples = reinterpret_cast<const Sint16*>(stream);
    bool audible = false;
    for (int i = 0; i < length / 2 && !audible; ++i)
        audible = samples[i] != 0;
    audibleBuffers += audible;
    ++buffersMixed;
}

// The silent device still mixes in real time: whether any of the next
// buffers after the ones already under way was audible.
bool audible()
{
    for (int wanted : {3, 15}) {
        buffersMixed = 0;
        audibleBuffers = 0;
        for (int wait = 0; wait < 1000 && buffersMixed < wanted; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return audibleBuffers > 0;
}

// Frames from the menu with an ear on the mixer.
class Listening : public harness::FromTheMenu {
protected:
    void SetUp() override
    {
        FromTheMenu::SetUp();
        Mix_SetPostMix(listen, nullptr);
    }
    void TearDown() override
    {
        Mix_SetPostMix(nullptr, nullptr);
        FromTheMenu::TearDown();
    }
    // Three rows at the bottom: moves, and room to rise for a while.
    static void survivalRound()
    {
        shell::screens().make(screens::Change::startGame(play::MODE_SURVIVAL));
        boardtest::setBoard(playing::round().board, play::MODE_SURVIVAL, {"012012012012", "120120120120", "201201201201"});
        playing::round().lastRiseTime = input().time;
    }
};

} // namespace

using Pause = Listening;
using Mute = Listening;
using Toggles = Listening;

TEST_F(Pause, ThirtySecondsPausedLeaveTheSurvivalTimeTheNextRiseAndTheFeedTimerWhereTheyWere)
{
    // P down for the one frame that pauses or resumes, nothing after it.
    const auto pressP = [] {
        input().press(Key::P);
        frames(1);
        input().release(Key::P);
    };
    survivalRound();
    frames(5);
    // Past the feed's arming, with a rise on the way; in frames of half a
    // second, for a longer gap would be taken for a stopped process.
    for (int frame = 0; frame < 21; ++frame) {
        input().time += 0.5;
        frames(1);
    }
    frames(5);
    pressP();
    ASSERT_TRUE(shell::screens().paused()) << "paused from the end of the frame P went down in";
    const RoundPicture atPause = roundAsItStands();
    const double clockAtPause = seam::now();
    const double pausedFrom = input().time;
    EXPECT_TRUE(atPause.feedArmed);
    EXPECT_GT(atPause.lastFeedTime, 0.0);

    input().time += 30.0;
    frames(20);
    EXPECT_EQ(roundAsItStands(), atPause) << "nothing moved, no timer ran";
    EXPECT_EQ(seam::now(), clockAtPause);

    const double pausedFor = input().time - pausedFrom;
    pressP();
    EXPECT_FALSE(shell::screens().paused());
    // The clock's sums may round the last bit differently.
    EXPECT_DOUBLE_EQ(playing::round().survivalTime, atPause.survivalTime) << "the round goes on from the frame it stood at";
    const double nextRise = playing::round().lastRiseTime + playing::round().riseInterval;
    EXPECT_EQ(nextRise, atPause.lastRiseTime + atPause.riseInterval) << "no rise came due in the pause";
    while (playing::round().lastRiseTime == atPause.lastRiseTime)
        frames(1);
    EXPECT_NEAR(playing::round().lastRiseTime, nextRise, 1.0 / 70) << "the rise came due on the game clock as before";
    EXPECT_GE(input().time, nextRise + pausedFor) << "so it waited the pause out";
    EXPECT_NEAR(playing::round().survivalTime + pausedFor, input().time - playing::round().survivalStartTime, 2.0 / 70)
        << "the survival time excludes the pause";
}

TEST_F(Pause, ALostFocusPausesUntilItComesBackButAPauseByPEndsOnlyWithPAndTheMixerIsQuietMeanwhile)
{
    survivalRound();
    frames(10);
    input().focus = false;
    frames(1);
    ASSERT_TRUE(shell::screens().paused());
    EXPECT_FALSE(audible()) << "the mixer is quiet meanwhile";
    const RoundPicture atPause = roundAsItStands();
    input().time += 10.0;
    frames(5);
    EXPECT_EQ(roundAsItStands(), atPause);
    input().focus = true;
    frames(1);
    EXPECT_FALSE(shell::screens().paused());
    EXPECT_EQ(playing::round().survivalTime, atPause.survivalTime);
    EXPECT_TRUE(audible()) << "the music plays again";

    tap(Key::P);
    ASSERT_TRUE(shell::screens().paused());
    EXPECT_FALSE(audible()) << "paused by P";
    input().focus = false;
    frames(3);
    input().focus = true;
    frames(3);
    EXPECT_TRUE(shell::screens().paused()) << "the focus back does not end a pause the player asked for";
    tap(Key::P);
    EXPECT_FALSE(shell::screens().paused());
    EXPECT_TRUE(audible()) << "P again";
}

TEST_F(Pause, TheMenuNeverStandsStillThoughQuietWithoutTheFocusAndAPPressedOnItDoesNotCarryOver)
{
    shell::screens().make(screens::Change::startGame(play::MODE_SURVIVAL));
    tap(Key::P);
    ASSERT_TRUE(shell::screens().paused());
    tap(Key::Escape);
    EXPECT_FALSE(shell::screens().paused()) << "Escape leaves a paused round for the menu";
    EXPECT_EQ(shell::screens().current(), screens::ScreenId::Menu);

    tap(Key::P);
    input().focus = false;
    const int logoY = menu::state().menuLogoY;
    const float gear = menu::state().gearAngleC;
    const double clock = seam::now();
    frames(3);
    EXPECT_FALSE(shell::screens().paused());
    EXPECT_GT(seam::now(), clock) << "the clock runs on";
    EXPECT_FLOAT_EQ(menu::state().gearAngleC, gear + 12.0f) << "the gears turn on";
    EXPECT_GE(menu::state().menuLogoY, logoY);
    EXPECT_FALSE(audible()) << "yet the mixer is quiet without the focus";
    input().focus = true;
    tap(Key::Down);
    tap(Key::Enter);
    EXPECT_EQ(shell::screens().current(), screens::ScreenId::Playing);
    EXPECT_FALSE(shell::screens().paused());
}

TEST_F(Mute, OnlyASettingsFileThatSaysSoMutesTheNextStart)
{
    // A folder where the file should be cannot be read as one.
    const struct { const char* what; std::optional<std::string> content; bool folderInItsPlace, muted; } files[] = {
        {"missing", std::nullopt, false, false}, {"muted", "mute=on\n", false, true},
        {"muted, no line end", "mute=on", false, true}, {"unmuted", "mute=off\n", false, false},
        {"garbage", std::string("\x7f" "ELF\x02\x01\0\0mute\xff\xfe", 14), false, false},
        {"a near miss", "mute=onion\nmute = on\n", false, false}, {"unreadable", std::nullopt, true, false},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.what);
        fs::remove_all(config());
        fs::create_directories(config() + "/kalup");
        if (file.content)
            home.write("config/kalup/settings", *file.content);
        if (file.folderInItsPlace)
            fs::create_directory(config() + "/kalup/settings");
        toggles::settings().muted = !file.muted;
        toggles::restoreMute();
        EXPECT_EQ(toggles::settings().muted, file.muted);
        EXPECT_EQ(Mix_MasterVolume(-1), file.muted ? 0 : MIX_MAX_VOLUME);
    }
}

TEST_F(Toggles, MAndF11AnswerOncePerPressOnTheMenuInARoundAndPausedAndTheMuteSilencesAllAndIsKeptInAPrivateFolder)
{
    environment.set("XDG_CONFIG_HOME", (home.path() + "/not/yet/there").c_str());
    const auto toggleBoth = [] {
        tap(Key::M);
        tap(Key::F11);
    };
    toggleBoth();
    EXPECT_EQ(std::pair(toggles::settings().muted, input().screenSwitches), std::pair(true, 1)) << "on the menu";
    EXPECT_EQ(Mix_MasterVolume(-1), 0);
    sound::play(sound::sndDropBombBlast);
    EXPECT_FALSE(audible()) << "neither the music nor a sample is heard";
    EXPECT_EQ(home.read("not/yet/there/kalup/settings"), "mute=on\n");
    EXPECT_EQ(harness::modeOf(home.path() + "/not/yet/there/kalup"), 0700u) << "the player's own folder";

    shell::screens().make(screens::Change::startGame(play::MODE_SURVIVAL));
    toggleBoth();
    EXPECT_EQ(std::pair(toggles::settings().muted, input().screenSwitches), std::pair(false, 2)) << "in a round";
    EXPECT_EQ(Mix_MasterVolume(-1), MIX_MAX_VOLUME);
    EXPECT_TRUE(audible()) << "unmuted, the music again";
    EXPECT_EQ(home.read("not/yet/there/kalup/settings"), "mute=off\n");

    tap(Key::P);
    ASSERT_TRUE(shell::screens().paused());
    toggleBoth();
    EXPECT_EQ(std::pair(toggles::settings().muted, input().screenSwitches), std::pair(true, 3)) << "paused";
    EXPECT_TRUE(shell::screens().paused()) << "and the pause goes on";

    input().press(Key::M);
    input().press(Key::F11);
    frames(30);
    EXPECT_EQ(std::pair(toggles::settings().muted, input().screenSwitches), std::pair(false, 4)) << "held, once";
}

TEST_F(Mute, ASettingsFileThatCannotBeWrittenIsReportedInOneLineAndTheMuteHolds)
{
    const struct { const char *what, *folder, *file; } cases[] = {
        {"a folder in the file's place", "/kalup/settings", nullptr}, {"a file in the folder's place", "", "/kalup"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(config());
        fs::create_directories(config() + c.folder);
        if (c.file)
            std::ofstream(config() + c.file) << "not a folder";
        toggles::settings().muted = false;
        testing::internal::CaptureStderr();
        tap(Key::M);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(toggles::settings().muted);
        EXPECT_EQ(Mix_MasterVolume(-1), 0) << "muted for this run all the same";
        EXPECT_NE(said.find("settings"), std::string::npos) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;
    }
}
