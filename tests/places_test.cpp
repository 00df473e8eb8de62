// Where the game finds its data and keeps the player's record: the working
// folder when it holds the assets, else the data folder found from the
// executable and the record among the player's own data files.
#include <cerrno>
#include <filesystem>
#include <string>

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
}

TEST(UserFolders, MadeWithTheirMissingParentsPrivateToThePlayer)
{
    const harness::TempFolder dir;
    const std::string share = dir.path() + "/home/.local/share";
    ASSERT_TRUE(places::makeUserFolder(share + "/kalup"));
    for (const std::string& folder : {dir.path() + "/home", share, share + "/kalup"})
        EXPECT_EQ(harness::modeOf(folder), 0700u) << folder;
    fs::permissions(share, fs::perms(0755));
    EXPECT_TRUE(places::makeUserFolder(share + "/kalup")) << "a folder that exists is fine";
    EXPECT_EQ(harness::modeOf(share), 0755u) << "and keeps its mode";

    dir.write("file", "");
    for (const std::string& path : {dir.path() + "/file/kalup", dir.path() + "/file"}) {
        errno = 0;
        EXPECT_FALSE(places::makeUserFolder(path));
        EXPECT_EQ(errno, ENOTDIR) << path;
    }
    EXPECT_FALSE(places::makeUserFolder(""));
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

TEST(GameFiles, TheRecordIsKeptBesideTheAssetsElseAmongThePlayersDataFilesOrWhyNotIsSaid)
{
    const harness::TempFolder home;
    home.write("in-the-way", "");
    const std::string inTheWay = home.path() + "/in-the-way", unsaved = "kalup: the record was not saved: ";
    const struct { bool assetsHere; std::string dataHome; const char* home; std::string savedTo, report; } cases[] = {
        {true, home.path() + "/xdg", "/home/ann", "hiscore.sav", ""},
        {false, home.path() + "/xdg", "/home/ann", home.path() + "/xdg/kalup/hiscore.sav", ""},
        {false, inTheWay, "/home/ann", "", unsaved + inTheWay + "/kalup: Not a directory\n"},
        {false, "", nullptr, "", unsaved + "no home folder is known (HOME is not set)\n"},
    };
    const int savedRecord = records::classicRecord;
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
        records::classicRecord = 900;
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
            EXPECT_EQ(harness::modeOf(c.dataHome + "/kalup"), c.savedTo.empty() ? 0u : 0700u) << "the player's own";
        }
    }
    records::recordPath = records::RECORD_FILE;
    records::classicRecord = savedRecord;
}
