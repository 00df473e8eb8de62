// Where the game finds its data and keeps the player's record: the working
// folder when it holds the assets, else the data folder found from the
// executable and the record among the player's own data files.
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "app/game_files.h"
#include "data/records.h"
#include "platform/places.h"
#include "tests/harness.h"

using namespace kalup;
namespace fs = std::filesystem;

namespace {

const char* const GAME_DATA[] = {"images", "fonts", "sounds", "music", "english.xml"};

// Environment variables set for one test and put back afterwards.
class Environment {
public:
    Environment() = default;
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;
    ~Environment()
    {
        for (auto it = saved.rbegin(); it != saved.rend(); ++it)
            assign(it->first.c_str(), it->second ? it->second->c_str() : nullptr);
    }
    // A null value unsets the variable.
    void set(const char* name, const char* value)
    {
        const char* old = std::getenv(name);
        saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        assign(name, value);
    }

private:
    static void assign(const char* name, const char* value)
    {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

mode_t modeOf(const std::string& path)
{
    struct stat status {};
    stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

// The tests' own folder, the build folder, holds the game's data.
const std::string buildFolder = fs::read_symlink("/proc/self/exe").parent_path().string();

} // namespace

TEST(UserFolders, XdgVariablesWhenAbsoluteElseTheDefaultsUnderHome)
{
    struct Case {
        const char* dataHome;
        const char* configHome;
        const char* home;
        std::string data;
        std::string config;
    };
    const Case cases[] = {
        {nullptr, nullptr, "/home/ann", "/home/ann/.local/share/kalup", "/home/ann/.config/kalup"},
        {"/xdg/data", "/xdg/config", "/home/ann", "/xdg/data/kalup", "/xdg/config/kalup"},
        {"relative/data", "", "/home/ann", "/home/ann/.local/share/kalup", "/home/ann/.config/kalup"},
        {"/xdg/data", nullptr, nullptr, "/xdg/data/kalup", ""},
        {nullptr, nullptr, nullptr, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("HOME=") + (c.home ? c.home : "(unset)"));
        Environment environment;
        environment.set("XDG_DATA_HOME", c.dataHome);
        environment.set("XDG_CONFIG_HOME", c.configHome);
        environment.set("HOME", c.home);
        EXPECT_EQ(places::userFolder(places::UserBase::Data), c.data);
        EXPECT_EQ(places::userFolder(places::UserBase::Config), c.config);
    }
}

TEST(UserFolders, MadeWithTheirMissingParentsPrivateToThePlayer)
{
    harness::TempWorkDir dir;
    const std::string share = dir.path() + "/home/.local/share";
    ASSERT_TRUE(places::makeUserFolder(share + "/kalup"));
    for (const std::string& folder : {dir.path() + "/home", share, share + "/kalup"})
        EXPECT_EQ(modeOf(folder), 0700u) << folder;

    fs::permissions(share, fs::perms(0755));
    EXPECT_TRUE(places::makeUserFolder(share + "/kalup")) << "a folder that exists is fine";
    EXPECT_EQ(modeOf(share), 0755u) << "and keeps its mode";

    dir.write("file", "");
    errno = 0;
    EXPECT_FALSE(places::makeUserFolder(dir.path() + "/file/kalup"));
    EXPECT_EQ(errno, ENOTDIR);
    EXPECT_FALSE(places::makeUserFolder(dir.path() + "/file"));
    EXPECT_EQ(errno, ENOTDIR);
    EXPECT_FALSE(places::makeUserFolder(""));
}

TEST(DataFolder, HoldsTheGameOnlyWithAllFiveEntries)
{
    EXPECT_TRUE(places::holdsGameData(buildFolder));
    for (const char* missing : GAME_DATA) {
        harness::TempWorkDir dir;
        for (const char* entry : GAME_DATA)
            if (entry != missing)
                fs::create_symlink(buildFolder + "/" + entry, dir.path() + "/" + entry);
        EXPECT_FALSE(places::holdsGameData(dir.path())) << "without " << missing;
    }
}

TEST(DataFolder, LookedForBesideTheExecutableThenInItsInstalledDataFolder)
{
    const std::vector<std::string> expected = {
        buildFolder, (fs::path(buildFolder).parent_path() / "share" / "kalup").string()};
    EXPECT_EQ(places::dataFolderCandidates(), expected);
}

namespace {

class GameFiles : public testing::Test {
protected:
    void TearDown() override
    {
        records::recordPath = records::RECORD_FILE;
        records::classicRecord = savedRecord;
    }

    // A working folder that holds the game's data, as ./run.sh's build folder does.
    void linkGameData() const
    {
        for (const char* entry : GAME_DATA)
            fs::create_symlink(buildFolder + "/" + entry, dir.path() + "/" + entry);
    }

    harness::TempWorkDir dir;
    Environment environment;
    int savedRecord = records::classicRecord;
};

} // namespace

TEST_F(GameFiles, AWorkingFolderWithTheAssetsKeepsThemAndTheRecord)
{
    linkGameData();
    environment.set("XDG_DATA_HOME", (dir.path() + "/xdg").c_str());
    ASSERT_TRUE(game_files::findGameFiles());
    EXPECT_EQ(places::workingFolder(), fs::canonical(dir.path()).string());
    EXPECT_EQ(records::recordPath, records::RECORD_FILE);
    records::classicRecord = 1200;
    game_files::saveRecord();
    EXPECT_EQ(dir.read(records::RECORD_FILE), "1200\r\n0\r\n0\r\n");
    EXPECT_FALSE(fs::exists(dir.path() + "/xdg"));
}

TEST_F(GameFiles, AnyOtherWorkingFolderReadsBesideTheExecutableAndKeepsThePlayersRecord)
{
    const std::string dataHome = dir.path() + "/data-home";
    environment.set("XDG_DATA_HOME", dataHome.c_str());
    const std::string started = dir.path() + "/elsewhere";
    fs::create_directory(started);
    fs::current_path(started);

    ASSERT_TRUE(game_files::findGameFiles());
    EXPECT_EQ(places::workingFolder(), buildFolder);
    EXPECT_EQ(records::recordPath, dataHome + "/kalup/hiscore.sav");
    records::classicRecord = 900;
    game_files::saveRecord();
    EXPECT_EQ(dir.read("data-home/kalup/hiscore.sav"), "900\r\n0\r\n0\r\n");
    EXPECT_EQ(modeOf(dataHome + "/kalup"), 0700u);
    EXPECT_TRUE(fs::is_empty(started)) << "nothing is written where the game was started";
}

TEST_F(GameFiles, ARecordThatCannotBeSavedIsReportedOnStderr)
{
    dir.write("not-a-folder", "");
    const std::string inTheWay = dir.path() + "/not-a-folder";
    struct Case {
        const char* dataHome;
        const char* home;
        std::string report;
    };
    const Case cases[] = {
        {inTheWay.c_str(), "/home/ann", "kalup: the record was not saved: " + inTheWay + "/kalup: Not a directory\n"},
        {nullptr, nullptr, "kalup: the record was not saved: no home folder is known (HOME is not set)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.report);
        environment.set("XDG_DATA_HOME", c.dataHome);
        environment.set("HOME", c.home);
        fs::current_path(dir.path());
        ASSERT_TRUE(game_files::findGameFiles());
        testing::internal::CaptureStderr();
        game_files::saveRecord();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.report);
    }
}
