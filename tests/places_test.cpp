// Where the game finds its data and keeps the player's record: the working
// folder when it holds the assets (the record beside them when the player
// may write there), else the data folder found from the executable and the
// record among the player's own data files.
#include <filesystem>
#include <string>
#include <utility>

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "app/game_files.h"
#include "data/records.h"
#include "platform/places.h"
#include "tests/harness.h"

using namespace kalup;
namespace fs = std::filesystem;

namespace {

const char* const GAME_DATA[] = {"images", "fonts", "sounds", "music", "english.xml"};
// The tests' own folder, the build folder, holds the game's data.
const std::string buildFolder = fs::read_symlink("/proc/self/exe").parent_path().string();

} // namespace

TEST(UserFolders, XdgVariablesWhenAbsoluteElseTheDefaultsUnderHome)
{
    const struct { const char *dataHome, *configHome, *home, *data, *config; } cases[] = {
        {nullptr, nullptr, "/home/ann", "/home/ann/.local/share/kalup", "/home/ann/.config/kalup"},
        {"/xdg/data", "/xdg/config", "/home/ann", "/xdg/data/kalup", "/xdg/config/kalup"},
        {"relative/data", "", "/home/ann", "/home/ann/.local/share/kalup", "/home/ann/.config/kalup"},
        {"/xdg/data", nullptr, nullptr, "/xdg/data/kalup", ""},
        {nullptr, nullptr, nullptr, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.home ? c.home : "no HOME");
        harness::Environment environment;
        environment.set("XDG_DATA_HOME", c.dataHome);
        environment.set("XDG_CONFIG_HOME", c.configHome);
        environment.set("HOME", c.home);
        EXPECT_EQ(places::userFolder(places::UserBase::Data), c.data);
        EXPECT_EQ(places::userFolder(places::UserBase::Config), c.config);
    }
    EXPECT_FALSE(places::makeUserFolder("")) << "no home folder: nothing to make";
}

TEST(DataFolder, HoldsTheGameOnlyWithAllFiveEntries)
{
    EXPECT_TRUE(places::holdsGameData(buildFolder));
    for (const char* missing : GAME_DATA) {
        const harness::TempFolder dir;
        for (const char* entry : GAME_DATA)
            if (entry != missing)
                fs::create_symlink(buildFolder + "/" + entry, dir.path() + "/" + entry);
        EXPECT_FALSE(places::holdsGameData(dir.path())) << "without " << missing;
    }
}

// The record's folder and its missing parents are made private to the
// player; a folder that exists keeps its mode.
TEST(GameFiles, TheRecordIsKeptBesideTheAssetsElseAmongThePlayersDataFilesOrWhyNotIsSaid)
{
    const harness::TempFolder home;
    home.write("in-the-way", "");
    fs::create_directory(home.path() + "/blocked");
    home.write("blocked/kalup", "");
    fs::create_directory(home.path() + "/shared");
    fs::permissions(home.path() + "/shared", fs::perms(0755));
    const std::string inTheWay = home.path() + "/in-the-way", blocked = home.path() + "/blocked",
                      shared = home.path() + "/shared", unsaved = "kalup: the record was not saved: ";
    const struct { bool assetsHere; std::string dataHome; const char* home; std::string savedTo, report; unsigned mode; }
        cases[] = {
            {true, home.path() + "/xdg", "/home/ann", "hiscore.sav", "", 0},
            {false, home.path() + "/xdg", "/home/ann", home.path() + "/xdg/kalup/hiscore.sav", "", 0700},
            {false, shared, "/home/ann", shared + "/kalup/hiscore.sav", "", 0755},
            {false, inTheWay, "/home/ann", "", unsaved + inTheWay + "/kalup: Not a directory\n", 0},
            {false, blocked, "/home/ann", "", unsaved + blocked + "/kalup: Not a directory\n", 0},
            {false, "", nullptr, "", unsaved + "no home folder is known (HOME is not set)\n", 0},
        };
    const int savedRecord = game_files::recordFile().values.classicRecord;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dataHome + (c.assetsHere ? " with the assets" : ""));
        harness::Environment environment;
        environment.set("XDG_DATA_HOME", c.dataHome.empty() ? nullptr : c.dataHome.c_str());
        environment.set("HOME", c.home);
        const harness::TempWorkDir started;
        if (c.assetsHere)
            for (const char* entry : GAME_DATA)
                fs::create_symlink(buildFolder + "/" + entry, started.path() + "/" + entry);
        ASSERT_TRUE(game_files::findGameFiles());
        EXPECT_EQ(places::workingFolder(), c.assetsHere ? fs::canonical(started.path()).string() : buildFolder);
        const std::string recordPath = game_files::recordFile().path;
        EXPECT_EQ(game_files::bestsFile().path,
            recordPath.empty() ? "" : (fs::path(recordPath).parent_path() / "bests.sav").string())
            << "the bests are kept beside the record";
        game_files::recordFile().values.classicRecord = 900;
        testing::internal::CaptureStderr();
        game_files::saveRecord();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.report);
        if (!c.savedTo.empty()) {
            EXPECT_EQ(harness::readFile(c.savedTo), "900\r\n0\r\n0\r\n");
        }
        if (c.assetsHere) {
            EXPECT_FALSE(fs::exists(c.dataHome)) << "nothing among the player's files";
        } else {
            EXPECT_TRUE(fs::is_empty(started.path())) << "nothing is written where the game was started";
            if (!c.savedTo.empty()) {
                EXPECT_EQ(std::pair(harness::modeOf(c.dataHome), harness::modeOf(c.dataHome + "/kalup")),
                    std::pair(c.mode, 0700u)) << "the player's own";
            }
        }
    }
    game_files::recordFile().path = records::RECORD_FILE;
    game_files::bestsFile().path = bests_file::BESTS_FILE;
    game_files::recordFile().values.classicRecord = savedRecord;
}

// A copy of the game unpacked by another user or on a read-only medium:
// played from there, the record goes among the player's own data files.
// Run as user nobody when run as root, who may write anywhere.
TEST(GameFiles, AGameFolderThePlayerCannotWriteKeepsTheRecordAmongThePlayersDataFiles)
{
    const harness::TempFolder game, player;
    // Copies, not links: the build folder may be closed to other users.
    for (const char* entry : GAME_DATA)
        fs::copy(buildFolder + "/" + entry, game.path() + "/" + entry, fs::copy_options::recursive);
    fs::permissions(game.path(), fs::perms(0555));
    fs::permissions(player.path(), fs::perms(0777));
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        setenv("XDG_DATA_HOME", player.path().c_str(), 1);
        if (chdir(game.path().c_str()) != 0 || !game_files::findGameFiles())
            _exit(3);
        records::loadRecords(game_files::recordFile());
        game_files::recordFile().values.classicRecord = 900;
        game_files::saveRecord();
        _exit(game_files::recordFile().path == player.path() + "/kalup/hiscore.sav" ? 0 : 4);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child ended with " << status;
    EXPECT_EQ(harness::readFile(player.path() + "/kalup/hiscore.sav"), "900\r\n0\r\n0\r\n");
    EXPECT_FALSE(fs::exists(game.path() + "/hiscore.sav"));
    fs::permissions(game.path(), fs::perms(0755));
}

TEST(GameFiles, ARecordBesideTheAssetsThatCannotBeSavedIsSaidWithTheReason)
{
    const harness::TempWorkDir started;
    for (const char* entry : GAME_DATA)
        fs::create_symlink(buildFolder + "/" + entry, started.path() + "/" + entry);
    fs::create_directory(started.path() + "/.hiscore.sav.lock");
    ASSERT_TRUE(game_files::findGameFiles());
    records::loadRecords(game_files::recordFile());
    const int savedRecord = game_files::recordFile().values.classicRecord;
    game_files::recordFile().values.classicRecord = 900;
    testing::internal::CaptureStderr();
    game_files::saveRecord();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
        "kalup: the record was not saved: .hiscore.sav.lock: Is a directory\n");
    EXPECT_FALSE(fs::exists(started.path() + "/hiscore.sav"));
    game_files::recordFile().values.classicRecord = savedRecord;
}
