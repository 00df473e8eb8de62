// The bests file: its text, what a damaged or strange file becomes, two
// copies of the game saving their results, and its save beside the record.
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "app/game_files.h"
#include "data/bests_file.h"
#include "platform/file_bytes.h"
#include "tests/harness.h"

using namespace kalup;
using bests_file::BESTS_FILE;
using game::BestsTable;
namespace fs = std::filesystem;

namespace {

constexpr std::int64_t NOW = 1796601600;
const std::string AFTER_DAMAGE = std::string(BESTS_FILE) + ".damaged-" + std::to_string(NOW);

class BestsFile : public testing::Test {
protected:
    bests_file::BestsFile file;
    harness::TempWorkDir dir;

    // Loads the file and returns what the load said on stderr.
    std::string loadSaying()
    {
        testing::internal::CaptureStderr();
        bests_file::loadBests(file, NOW);
        return testing::internal::GetCapturedStderr();
    }
    bool save()
    {
        std::string whyNot;
        return bests_file::saveBests(file, NOW + 10, whyNot);
    }
};

const std::string twoTables = "kalup-bests 1\nclassic 900 1796500000\nclassic 1200 1796400000\n"
                              "survival 65400 1796300000\n";

} // namespace

TEST_F(BestsFile, ItsTextHoldsEachResultsTableValueAndDateBestFirst)
{
    game::Bests bests;
    ASSERT_TRUE(bests_file::readBests(twoTables, bests));
    EXPECT_EQ(bests[BestsTable::Classic], (game::Table{{1200, 1796400000}, {900, 1796500000}}));
    EXPECT_TRUE(bests[BestsTable::FallingRows].empty());
    EXPECT_EQ(bests[BestsTable::Survival], (game::Table{{65400, 1796300000}}));
    EXPECT_EQ(bests_file::bestsText(bests), "kalup-bests 1\nclassic 1200 1796400000\nclassic 900 1796500000\n"
                                            "survival 65400 1796300000\n");
    // CR LF line ends and blank lines read the same; a twelfth result is one too many.
    std::string crlf = "kalup-bests 1\r\n\r\n";
    for (int i = 1; i <= 12; ++i)
        crlf += "falling-rows " + std::to_string(i * 10) + " 5\r\n";
    ASSERT_TRUE(bests_file::readBests(crlf, bests));
    ASSERT_EQ(bests[BestsTable::FallingRows].size(), 10u);
    EXPECT_EQ(bests[BestsTable::FallingRows].front().value, 120);
    EXPECT_EQ(bests[BestsTable::FallingRows].back().value, 30);
    EXPECT_TRUE(bests[BestsTable::Classic].empty()) << "a read replaces the tables whole";
}

TEST_F(BestsFile, WhatIsNoBestsFileOfThisVersionIsNotRead)
{
    for (const char* bytes : {"", "kalup-bests 2\nclassic 5 5\n", "kalup-bests 1\nbonus 5 5\n",
             "kalup-bests 1\nclassic -5 5\n", "kalup-bests 1\nclassic 5\n", "kalup-bests 1\nclassic 5 5 5\n",
             "kalup-bests 1\nclassic 5x 5\n", "kalup-bests 1\nclassic  5 5\n", "1200\r\n0\r\n0\r\n",
             "kalup-bests 1\nclassic 99999999999999999999 5\n"}) {
        game::Bests bests;
        game::enterResult(bests[BestsTable::Survival], {7, 7});
        EXPECT_FALSE(bests_file::readBests(bytes, bests)) << bytes;
        EXPECT_EQ(bests[BestsTable::Survival].size(), 1u) << "left as they were: " << bytes;
    }
}

TEST_F(BestsFile, ADamagedFileIsKeptAsideSaidInOneLineAndNewTablesStart)
{
    const std::string damaged = "kalup-bests 1\nclassic 12OO 1796400000\n";
    dir.write(BESTS_FILE, damaged);
    file.path = BESTS_FILE;
    EXPECT_EQ(loadSaying(), "kalup: cannot read the bests bests.sav (it is not a bests file of this version); it is "
                            "kept as " + AFTER_DAMAGE + " and new tables are started\n");
    EXPECT_TRUE(file.bests[BestsTable::Classic].empty());
    EXPECT_EQ(dir.read(AFTER_DAMAGE), damaged) << "byte for byte";
    EXPECT_FALSE(fs::exists(BESTS_FILE));
    bests_file::enterResult(file, BestsTable::Classic, {300, NOW});
    ASSERT_TRUE(save());
    EXPECT_EQ(dir.read(BESTS_FILE), "kalup-bests 1\nclassic 300 1796601600\n");
    EXPECT_EQ(dir.read(AFTER_DAMAGE), damaged) << "never replaced";
}

TEST_F(BestsFile, ATooLargeFileAFifoAndAFolderAreKeptAsideToo)
{
    file.path = BESTS_FILE;
    dir.write(BESTS_FILE, "kalup-bests 1\n" + std::string(file_bytes::SIZE_LIMIT, '\n'));
    EXPECT_NE(loadSaying().find("(it is larger than 256 KiB); it is kept as " + AFTER_DAMAGE), std::string::npos);
    EXPECT_EQ(fs::file_size(AFTER_DAMAGE), file_bytes::SIZE_LIMIT + 14);
    fs::remove(AFTER_DAMAGE);

    ASSERT_EQ(mkfifo(BESTS_FILE, 0644), 0);
    EXPECT_NE(loadSaying().find("(it is not a regular file)"), std::string::npos) << "read without waiting for a writer";
    EXPECT_TRUE(fs::is_fifo(AFTER_DAMAGE));
    fs::remove(AFTER_DAMAGE);

    fs::create_directory(BESTS_FILE);
    EXPECT_NE(loadSaying().find("(it is a folder)"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(AFTER_DAMAGE));
    EXPECT_FALSE(file.keepUnread);
}

TEST_F(BestsFile, ADamagedFileThatCannotBeKeptAsideIsLeftAndThisRunSavesNone)
{
    // A folder the game cannot write: as user nobody, for root may write anywhere.
    fs::create_directory("shut");
    const std::string damaged = "not a bests file";
    {
        std::FILE* f = std::fopen("shut/bests.sav", "wb");
        std::fputs(damaged.c_str(), f);
        std::fclose(f);
    }
    fs::permissions("shut", fs::perms(0555));
    fs::permissions(dir.path(), fs::perms(0777));
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        bests_file::BestsFile shut;
        shut.path = "shut/bests.sav";
        testing::internal::CaptureStderr();
        bests_file::loadBests(shut, NOW);
        const std::string said = testing::internal::GetCapturedStderr();
        bests_file::enterResult(shut, BestsTable::Survival, {5000, NOW});
        std::string whyNot;
        const bool saved = bests_file::saveBests(shut, NOW, whyNot);
        const bool toldSo = said.find("nor keep it aside (Permission denied); this run saves none") != std::string::npos;
        _exit(shut.keepUnread && saved && toldSo ? 0 : 3);
    }
    int status = 0;
    waitpid(child, &status, 0);
    fs::permissions("shut", fs::perms(0755));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child ended with " << status;
    EXPECT_EQ(dir.read("shut/bests.sav"), damaged);
    EXPECT_EQ(std::distance(fs::directory_iterator("shut"), fs::directory_iterator()), 1);
}

TEST_F(BestsFile, TwoCopiesOfTheGameMergeTheirResultsNeverOverwritingEachOther)
{
    dir.write(BESTS_FILE, twoTables);
    bests_file::BestsFile first, second;
    first.path = second.path = BESTS_FILE;
    bests_file::loadBests(first, NOW);
    bests_file::loadBests(second, NOW);
    bests_file::enterResult(first, BestsTable::Classic, {1000, NOW + 1});
    bests_file::enterResult(second, BestsTable::Classic, {1500, NOW + 2});
    bests_file::enterResult(second, BestsTable::FallingRows, {80, NOW + 3});
    std::string whyNot;
    ASSERT_TRUE(bests_file::saveBests(second, NOW + 5, whyNot)) << whyNot;
    ASSERT_TRUE(bests_file::saveBests(first, NOW + 6, whyNot)) << whyNot;
    const std::string both = "kalup-bests 1\nclassic 1500 1796601602\nclassic 1200 1796400000\n"
                             "classic 1000 1796601601\nclassic 900 1796500000\nfalling-rows 80 1796601603\n"
                             "survival 65400 1796300000\n";
    EXPECT_EQ(dir.read(BESTS_FILE), both);
    EXPECT_EQ(bests_file::bestsText(first.bests), both) << "the first copy now shows the second's results too";
    // Saved results are not entered twice by a later save.
    ASSERT_TRUE(bests_file::saveBests(second, NOW + 7, whyNot));
    ASSERT_TRUE(bests_file::saveBests(first, NOW + 8, whyNot));
    EXPECT_EQ(dir.read(BESTS_FILE), both);
}

TEST_F(BestsFile, AFileDamagedWhileTheGameRanIsKeptAsideAtTheSave)
{
    file.path = BESTS_FILE;
    dir.write(BESTS_FILE, twoTables);
    bests_file::loadBests(file, NOW);
    dir.write(BESTS_FILE, "garbage");
    bests_file::enterResult(file, BestsTable::Survival, {1000, NOW});
    testing::internal::CaptureStderr();
    EXPECT_TRUE(save());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("it is kept as bests.sav.damaged-1796601610"),
        std::string::npos);
    EXPECT_EQ(dir.read("bests.sav.damaged-1796601610"), "garbage");
    EXPECT_EQ(dir.read(BESTS_FILE), "kalup-bests 1\nsurvival 1000 1796601600\n");
}

// The game's own save: the record and, once there are results, the bests
// beside it, in one turn on the record's lock.
TEST(GameFiles, TheBestsAreSavedBesideTheRecordOnlyOnceThereAreResults)
{
    const harness::TempWorkDir dir;
    records::RecordFile& record = game_files::recordFile();
    bests_file::BestsFile& bests = game_files::bestsFile();
    const records::RecordFile recordBefore = record;
    const bests_file::BestsFile bestsBefore = bests;
    record = {};
    bests = {};
    bests.path = "bests.sav";
    game_files::saveRecord();
    EXPECT_TRUE(fs::exists("hiscore.sav"));
    EXPECT_FALSE(fs::exists("bests.sav")) << "no results, no file";

    bests_file::enterResult(bests, BestsTable::Classic, {44, NOW});
    // While another copy holds the record's lock, the save waits for it.
    const int lock = open(".hiscore.sav.lock", O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(flock(lock, LOCK_EX), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(lock);
        game_files::saveRecord();
        _exit(0);
    }
    usleep(200 * 1000);
    EXPECT_FALSE(fs::exists("bests.sav")) << "saved while the lock was held elsewhere";
    close(lock);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(harness::readFile("bests.sav"), "kalup-bests 1\nclassic 44 1796601600\n");
    record = recordBefore;
    bests = bestsBefore;
}
