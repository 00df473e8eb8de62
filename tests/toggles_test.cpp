// M mutes the game for good, F11 switches the screen mode, and the mixer
// goes quiet while muted, while a round stands still and while the window
// is without the focus.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include <SDL2/SDL_mixer.h>
#include <sys/stat.h>

#include "app/pause.h"
#include "app/shell.h"
#include "app/toggles.h"
#include "data/settings.h"
#include "data/sound.h"
#include "platform/audio.h"
#include "tests/harness.h"

using namespace kalup;
using seam::Key;
namespace fs = std::filesystem;

namespace {

// The environment variable as it was, put back when the guard ends.
class EnvironmentGuard {
public:
    explicit EnvironmentGuard(const char* name) : name(name)
    {
        if (const char* value = std::getenv(name))
            saved = value;
    }
    ~EnvironmentGuard()
    {
        if (saved)
            setenv(name, saved->c_str(), 1);
        else
            unsetenv(name);
    }
    EnvironmentGuard(const EnvironmentGuard&) = delete;
    EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;

private:
    const char* name;
    std::optional<std::string> saved;
};

// A fresh empty folder for the test's configuration, removed at the end; the
// working directory stays where the game's assets are.
class TempFolder {
public:
    TempFolder()
    {
        char pattern[] = "/tmp/kalup-config-XXXXXX";
        folder = mkdtemp(pattern);
    }
    ~TempFolder() { fs::remove_all(folder); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return folder; }
    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const
    {
        std::ifstream in(folder + "/" + name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::string folder;
};

int mixerVolume() { return Mix_MasterVolume(-1); }

class Toggles : public testing::Test {
protected:
    TempFolder home;
    EnvironmentGuard xdg{"XDG_CONFIG_HOME"};
    EnvironmentGuard homeVariable{"HOME"};

    void SetUp() override
    {
        harness::needResources();
        setenv("XDG_CONFIG_HOME", (home.path() + "/config").c_str(), 1);
        shell::screenState = shell::SCREEN_MENU;
        shell::quitRequested = false;
        shell::lastFrameTime = 0.0;
        harness::input().time = 1.0;
        harness::input().cursorY = 100;
    }
    void TearDown() override
    {
        settings::muted = false;
        audio::setMuted(false);
        harness::input().focus = true;
        shell::returnToMenu();
        frames(1);
    }

    std::string settingsPath() const { return home.path() + "/config/kalup/settings"; }
    static void frames(int count)
    {
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(shell::runFrame());
    }
    static void tap(Key key)
    {
        harness::input().press(key);
        frames(1);
        harness::input().release(key);
        frames(1);
    }
};

using Mute = Toggles;
using ScreenMode = Toggles;
using Quiet = Toggles;

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

// The silent device still mixes in real time: waits for the given number of
// buffers after the ones already under way, and counts the audible ones.
int audibleOfNext(int count)
{
    for (int pass = 0; pass < 2; ++pass) {
        const int wanted = pass == 0 ? 3 : count;
        buffersMixed = 0;
        audibleBuffers = 0;
        for (int wait = 0; wait < 1000 && buffersMixed < wanted; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return audibleBuffers;
}

class ListenToTheMixer {
public:
    ListenToTheMixer() { Mix_SetPostMix(listen, nullptr); }
    ~ListenToTheMixer() { Mix_SetPostMix(nullptr, nullptr); }
    ListenToTheMixer(const ListenToTheMixer&) = delete;
    ListenToTheMixer& operator=(const ListenToTheMixer&) = delete;
};

} // namespace

TEST_F(Mute, OnlyASettingsFileThatSaysSoMutesTheNextStart)
{
    const struct {
        const char* what;
        std::optional<std::string> content;
        bool muted;
    } files[] = {
        {"missing", std::nullopt, false},
        {"muted", "mute=on\n", true},
        {"muted, no line end", "mute=on", true},
        {"unmuted", "mute=off\n", false},
        {"garbage", std::string("\x7f" "ELF\x02\x01\0\0mute\xff\xfe", 14), false},
        {"a near miss", "mute=onion\nmute = on\n", false},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.what);
        fs::remove_all(home.path() + "/config");
        fs::create_directories(home.path() + "/config/kalup");
        if (file.content)
            home.write("config/kalup/settings", *file.content);
        settings::muted = !file.muted;
        toggles::restoreMute();
        EXPECT_EQ(settings::muted, file.muted);
        EXPECT_EQ(mixerVolume(), file.muted ? 0 : MIX_MAX_VOLUME);
    }
    // A folder where the file should be cannot be read as one.
    fs::remove_all(home.path() + "/config");
    fs::create_directories(settingsPath());
    settings::muted = true;
    toggles::restoreMute();
    EXPECT_FALSE(settings::muted) << "unreadable";
}

TEST_F(Mute, MTogglesOnEveryScreenAndIsKeptInTheSettingsFile)
{
    setenv("XDG_CONFIG_HOME", (home.path() + "/not/yet/there").c_str(), 1);
    tap(Key::M);
    EXPECT_TRUE(settings::muted);
    EXPECT_EQ(mixerVolume(), 0);
    const std::string folder = home.path() + "/not/yet/there/kalup";
    EXPECT_EQ(home.read("not/yet/there/kalup/settings"), "mute=on\n");
    struct stat info {};
    ASSERT_EQ(stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << "the player's own folder";

    shell::startClassicGame();
    tap(Key::P);
    ASSERT_TRUE(pause::paused);
    tap(Key::M);
    EXPECT_FALSE(settings::muted) << "M answers while paused too";
    EXPECT_EQ(mixerVolume(), MIX_MAX_VOLUME);
    EXPECT_EQ(home.read("not/yet/there/kalup/settings"), "mute=off\n");

    harness::input().press(Key::M);
    frames(30);
    EXPECT_TRUE(settings::muted) << "held, M toggles once";
}

TEST_F(Mute, ASettingsFileThatCannotBeWrittenIsReportedInOneLineAndTheMuteHolds)
{
    const struct {
        const char* what;
        void (*prepare)(const std::string& config);
    } cases[] = {
        {"a folder in the file's place", [](const std::string& config) { fs::create_directories(config + "/kalup/settings"); }},
        {"a file in the folder's place", [](const std::string& config) {
             fs::create_directories(config);
             std::ofstream(config + "/kalup") << "not a folder";
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(home.path() + "/config");
        c.prepare(home.path() + "/config");
        settings::muted = false;
        testing::internal::CaptureStderr();
        tap(Key::M);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(settings::muted);
        EXPECT_EQ(mixerVolume(), 0) << "muted for this run all the same";
        EXPECT_NE(said.find("settings"), std::string::npos) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;
    }
}

TEST_F(ScreenMode, F11SwitchesOncePerPressOnEveryScreen)
{
    tap(Key::F11);
    EXPECT_EQ(harness::input().screenSwitches, 1) << "on the menu";
    harness::input().press(Key::F11);
    frames(30);
    harness::input().release(Key::F11);
    frames(1);
    EXPECT_EQ(harness::input().screenSwitches, 2) << "held, once";
    shell::startFfGame();
    tap(Key::F11);
    EXPECT_EQ(harness::input().screenSwitches, 3) << "in a round";
    tap(Key::P);
    tap(Key::F11);
    EXPECT_EQ(harness::input().screenSwitches, 4) << "paused";
    EXPECT_TRUE(pause::paused) << "and the pause goes on";
    tap(Key::P);
}

TEST_F(Quiet, MutedTheMixerPlaysSilenceAndUnmutedTheMusicAgain)
{
    const ListenToTheMixer listening;
    ASSERT_GT(audibleOfNext(20), 0) << "the music plays";
    audio::setMuted(true);
    sound::play(sound::sndExplos1);
    EXPECT_EQ(audibleOfNext(10), 0) << "muted, neither the music nor a sample is heard";
    audio::setMuted(false);
    EXPECT_GT(audibleOfNext(20), 0);
}

TEST_F(Quiet, TheMusicIsQuietWhileARoundStandsStillOrTheWindowIsWithoutTheFocus)
{
    const ListenToTheMixer listening;
    harness::input().focus = false;
    frames(1);
    EXPECT_EQ(audibleOfNext(10), 0) << "on the menu without the focus";
    harness::input().focus = true;
    frames(1);
    EXPECT_GT(audibleOfNext(20), 0) << "the focus back";

    shell::startClassicGame();
    tap(Key::P);
    ASSERT_TRUE(pause::paused);
    EXPECT_EQ(audibleOfNext(10), 0) << "paused by P";
    tap(Key::P);
    EXPECT_GT(audibleOfNext(20), 0) << "P again";
}
