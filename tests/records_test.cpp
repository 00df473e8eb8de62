#include <array>
#include <csignal>
#include <filesystem>

#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "data/records.h"
#include "tests/harness.h"

using namespace kalup::records;

namespace {

// The record globals are shared with the rest of the game: each test puts
// them back as it found them.
class RecordFile : public testing::Test {
protected:
    void SetUp() override { saved = {classicRecord, recordSlot2, recordSlot3}; }
    void TearDown() override
    {
        classicRecord = saved[0];
        recordSlot2 = saved[1];
        recordSlot3 = saved[2];
    }
    void setValues(int record, int slot2, int slot3)
    {
        classicRecord = record;
        recordSlot2 = slot2;
        recordSlot3 = slot3;
    }
    void expectValues(int record, int slot2, int slot3)
    {
        EXPECT_EQ(classicRecord, record);
        EXPECT_EQ(recordSlot2, slot2);
        EXPECT_EQ(recordSlot3, slot3);
    }
    // What loadRecords makes of a file holding these bytes.
    void load(const std::string& bytes)
    {
        dir.write(RECORD_FILE, bytes);
        setValues(-1, -1, -1);
        loadRecords();
    }
    int filesInFolder() const
    {
        int n = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
            ++n;
        return n;
    }

    harness::TempWorkDir dir;
    std::array<int, 3> saved{};
};

// Lets a test write at most `bytes` bytes per file, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = previous;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    }

private:
    rlimit previous{};
    void (*previousHandler)(int) = nullptr;
};

} // namespace

TEST_F(RecordFile, SavesThreeCrLfLinesByteForByte)
{
    setValues(1200, 0, 0);
    saveRecords();
    const std::string bytes = dir.read(RECORD_FILE);
    EXPECT_EQ(bytes, std::string("\x31\x32\x30\x30\x0d\x0a\x30\x0d\x0a\x30\x0d\x0a", 12));

    setValues(-5, 2147483647, -2147483647 - 1);
    saveRecords();
    EXPECT_EQ(dir.read(RECORD_FILE), "-5\r\n2147483647\r\n-2147483648\r\n");
}

TEST_F(RecordFile, MissingFileMeansRecordZeroAndExitCreatesIt)
{
    setValues(7, 8, 9);
    loadRecords();
    expectValues(0, 0, 0);
    EXPECT_FALSE(dir.exists(RECORD_FILE));

    saveRecords();
    EXPECT_EQ(dir.read(RECORD_FILE), "0\r\n0\r\n0\r\n");
}

TEST_F(RecordFile, ReadsAnyWhiteSpaceBetweenValues)
{
    load("1200\r\n5\r\n6\r\n");
    expectValues(1200, 5, 6);
    load("1200\n5\n6\n");
    expectValues(1200, 5, 6);
    load("1200 5 6");
    expectValues(1200, 5, 6);
    load("  \t1200\t\t5 \n\n 6");
    expectValues(1200, 5, 6);
    load("-3\n+4\n0\n");
    expectValues(-3, 4, 0);
}

TEST_F(RecordFile, UnreadableValuesAreZeroAndTheOthersStillRead)
{
    load("abc\r\n5\r\n6\r\n");
    expectValues(0, 5, 6);
    load("1200\r\n12x\r\n6\r\n");
    expectValues(1200, 0, 6);
    load("99999999999 5 6");
    expectValues(0, 5, 6);
    load(std::string("\x01\xff\x7f\x00 9", 6));
    expectValues(0, 9, 0);
}

TEST_F(RecordFile, ShortFilesLeaveTheMissingValuesZero)
{
    load("");
    expectValues(0, 0, 0);
    load("1200\r\n");
    expectValues(1200, 0, 0);
    load("1200\r\n5");
    expectValues(1200, 5, 0);
}

TEST_F(RecordFile, SlotsTwoAndThreeComeBackUnchanged)
{
    load("300\r\n-17\r\n123456\r\n");
    classicRecord = 900;
    saveRecords();
    EXPECT_EQ(dir.read(RECORD_FILE), "900\r\n-17\r\n123456\r\n");
}

TEST_F(RecordFile, FailedSaveLeavesTheOldFileIntact)
{
    const std::string old = "777\r\n1\r\n2\r\n";
    dir.write(RECORD_FILE, old);
    setValues(1200, 0, 0);
    {
        FileSizeLimit fullDisk(5);
        saveRecords();
    }
    EXPECT_EQ(dir.read(RECORD_FILE), old);
    EXPECT_EQ(filesInFolder(), 1) << "the unfinished temporary file must be removed";

    saveRecords();
    EXPECT_EQ(dir.read(RECORD_FILE), "1200\r\n0\r\n0\r\n");
    EXPECT_EQ(filesInFolder(), 1);
}

TEST_F(RecordFile, SaveThatCannotReplaceTheFileChangesNothing)
{
    std::filesystem::create_directory(dir.path() + "/" + RECORD_FILE);
    setValues(1200, 0, 0);
    saveRecords();
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "/" + RECORD_FILE));
    EXPECT_EQ(filesInFolder(), 1);
}

TEST_F(RecordFile, SavedFileHasTheUsualPermissions)
{
    const mode_t mask = umask(022);
    saveRecords();
    umask(mask);
    const auto mode = std::filesystem::status(dir.path() + "/" + RECORD_FILE).permissions();
    using std::filesystem::perms;
    EXPECT_EQ(mode & perms::all, perms::owner_read | perms::owner_write | perms::group_read | perms::others_read);
}
