// M mutes the game for good and F11 switches the screen mode, once per press
// on every screen.
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include "app/pause.h"
#include "app/shell.h"
#include "app/toggles.h"
#include "data/settings.h"
#include "tests/harness.h"

using namespace kalup;
using harness::frames;
using harness::input;
using harness::tap;
using seam::Key;
namespace fs = std::filesystem;

using Mute = harness::FromTheMenu;
using ScreenMode = harness::FromTheMenu;

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
        settings::muted = !file.muted;
        toggles::restoreMute();
        EXPECT_EQ(settings::muted, file.muted);
        EXPECT_EQ(Mix_MasterVolume(-1), file.muted ? 0 : MIX_MAX_VOLUME);
    }
}

TEST_F(Mute, MTogglesOnceAPressOnEveryScreenAndIsKeptInAPrivateSettingsFolder)
{
    environment.set("XDG_CONFIG_HOME", (home.path() + "/not/yet/there").c_str());
    tap(Key::M);
    EXPECT_TRUE(settings::muted);
    EXPECT_EQ(Mix_MasterVolume(-1), 0);
    EXPECT_EQ(home.read("not/yet/there/kalup/settings"), "mute=on\n");
    EXPECT_EQ(harness::modeOf(home.path() + "/not/yet/there/kalup"), 0700u) << "the player's own folder";

    shell::startClassicGame();
    tap(Key::P);
    ASSERT_TRUE(pause::paused);
    tap(Key::M);
    EXPECT_FALSE(settings::muted) << "M answers while paused too";
    EXPECT_EQ(Mix_MasterVolume(-1), MIX_MAX_VOLUME);
    EXPECT_EQ(home.read("not/yet/there/kalup/settings"), "mute=off\n");

    input().press(Key::M);
    frames(30);
    EXPECT_TRUE(settings::muted) << "held, M toggles once";
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
        settings::muted = false;
        testing::internal::CaptureStderr();
        tap(Key::M);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(settings::muted);
        EXPECT_EQ(Mix_MasterVolume(-1), 0) << "muted for this run all the same";
        EXPECT_NE(said.find("settings"), std::string::npos) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;
    }
}

TEST_F(ScreenMode, F11SwitchesOncePerPressOnEveryScreen)
{
    tap(Key::F11);
    EXPECT_EQ(input().screenSwitches, 1) << "on the menu";
    input().press(Key::F11);
    frames(30);
    input().release(Key::F11);
    frames(1);
    EXPECT_EQ(input().screenSwitches, 2) << "held, once";
    shell::startFfGame();
    tap(Key::F11);
    EXPECT_EQ(input().screenSwitches, 3) << "in a round";
    tap(Key::P);
    tap(Key::F11);
    EXPECT_EQ(input().screenSwitches, 4) << "paused";
    EXPECT_TRUE(pause::paused) << "and the pause goes on";
}
