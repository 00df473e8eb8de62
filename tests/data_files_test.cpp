// The record file, the settings and the language file, whatever bytes or
// kind of file they hold, and the texts cut to their buffers.
#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "data/language.h"
#include "data/records.h"
#include "data/settings.h"
#include "game/lines.h"
#include "platform/utf8.h"
#include "render/draw.h"
#include "tests/harness.h"

using namespace kalup::language;
using kalup::records::RECORD_FILE;
using Values = std::array<int, 3>;
namespace fs = std::filesystem;

namespace {

// The record these tests load and save, and its parts by the names the game gives them.
kalup::records::RecordFile record;
std::string& recordPath = record.path;
int& classicRecord = record.values.classicRecord;
int& recordSlot2 = record.values.recordSlot2;
int& recordSlot3 = record.values.recordSlot3;

void loadRecords() { kalup::records::loadRecords(record); }
bool saveRecords(std::string& whyNot) { return kalup::records::saveRecords(record, whyNot); }

Values values() { return {classicRecord, recordSlot2, recordSlot3}; }
void setValues(Values v) { std::tie(classicRecord, recordSlot2, recordSlot3) = std::tie(v[0], v[1], v[2]); }

class RecordFile : public testing::Test {
protected:
    // From an empty folder: nothing is kept from another test's record.
    void SetUp() override
    {
        record.path = RECORD_FILE;
        loadRecords();
    }
    harness::TempWorkDir dir;
};

// Runs `body` in a child process, as user nobody when run as root (root
// reads any file whatever its mode), with its stderr in the file "stderr"
// of the working folder; the child's exit code must be 0.
template <typename Body>
void inChildAsAnotherUser(Body body)
{
    const pid_t child = fork();
    if (child == 0) {
        dup2(open("stderr", O_WRONLY | O_CREAT | O_TRUNC, 0666), STDERR_FILENO);
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child ended with " << status;
}

// Loads the record and saves a new one, as another user.
void loadAndSaveAsAnotherUser()
{
    inChildAsAnotherUser([] {
        loadRecords();
        classicRecord = 5000;
        std::string whyNot;
        saveRecords(whyNot);
        return classicRecord == 5000 && recordSlot2 == 0 ? 0 : 3;
    });
}

bool save()
{
    std::string whyNot;
    return saveRecords(whyNot);
}

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// What a save leaves in the folder besides the record: the lock file.
const std::string LOCK_FILE = ".hiscore.sav.lock";

std::string cyrillic300()
{
    std::string text;
    for (int i = 0; i < 150; ++i)
        text += "\xD0\x96";
    return text;
}

// Dates a file back by the given seconds.
void ageBy(const std::string& path, int seconds)
{
    const auto when = fs::last_write_time(path) - std::chrono::seconds(seconds);
    fs::last_write_time(path, when);
}

} // namespace

TEST_F(RecordFile, ReadsAnyWhiteSpaceAndSavesThreeCrLfLinesKeepingSlotsTwoAndThree)
{
    setValues({7, 8, 9});
    loadRecords();
    EXPECT_EQ(values(), (Values{0, 0, 0})) << "no file yet";
    classicRecord = 1200;
    EXPECT_TRUE(save());
    EXPECT_EQ(dir.read(RECORD_FILE), "1200\r\n0\r\n0\r\n");
    const std::pair<std::string, Values> files[] = {{"1200\r\n5\r\n6\r\n", {1200, 5, 6}},
        {"300\r\n-17\r\n123456\r\n", {300, -17, 123456}}, {"1200\n5\n6\n", {1200, 5, 6}},
        {"  \t-3\t\t+4 5", {-3, 4, 5}}, {"", {0, 0, 0}}, {"1200\r\n5", {1200, 5, 0}},
        {"2147483647 -2147483648 0 and more", {2147483647, -2147483648, 0}}};
    for (const auto& [bytes, expected] : files) {
        dir.write(RECORD_FILE, bytes);
        setValues({-1, -1, -1});
        loadRecords();
        EXPECT_EQ(values(), expected) << testing::PrintToString(bytes);
        classicRecord = 2147483647;
        EXPECT_TRUE(save());
        EXPECT_EQ(dir.read(RECORD_FILE),
            "2147483647\r\n" + std::to_string(expected[1]) + "\r\n" + std::to_string(expected[2]) + "\r\n");
    }
}

// A value that is not a number the game wrote, or a file that is no record
// file at all, is the player's all the same: never replaced by the zeros
// this run would start from.
TEST_F(RecordFile, WhatCannotBeReadIsKeptAndSaidWithTheReasonNeverReplaced)
{
    const std::string huge(300 * 1024, '7');
    const std::pair<std::string, std::string> files[] = {{"99999999999999999999\r\n5\r\n6\r\n", "three whole numbers"},
        {"abc\r\n5\r\n6\r\n", "three whole numbers"}, {"1200\r\n12x\r\n6\r\n", "three whole numbers"},
        {std::string("\x01\xff\x7f\x00 9", 6), "three whole numbers"}, {huge, "larger than 256 KiB"}};
    for (const auto& [bytes, reason] : files) {
        SCOPED_TRACE(bytes.substr(0, 24));
        dir.write(RECORD_FILE, bytes);
        setValues({-1, -1, -1});
        testing::internal::CaptureStderr();
        loadRecords();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(values(), (Values{0, 0, 0}));
        EXPECT_NE(said.find("kalup: cannot read the record hiscore.sav"), std::string::npos) << said;
        EXPECT_NE(said.find(reason), std::string::npos) << said;
        classicRecord = 900;
        EXPECT_TRUE(save()) << "said at the start already";
        EXPECT_EQ(dir.read(RECORD_FILE), bytes);
    }
    // Another copy of the game may spoil the file after this one read it.
    dir.write(RECORD_FILE, "10 0 0");
    loadRecords();
    dir.write(RECORD_FILE, "10 x 0");
    std::string whyNot;
    EXPECT_FALSE(saveRecords(whyNot));
    EXPECT_EQ(whyNot, "hiscore.sav: it holds something other than three whole numbers; it is left as it is");
    EXPECT_EQ(dir.read(RECORD_FILE), "10 x 0");
}

// A FIFO would hold the start (or the quit) forever, and a link to a device
// would be read without end.
TEST_F(RecordFile, AFifoOrADeviceIsNeitherWaitedForNorReadNorReplaced)
{
    for (const bool fifo : {true, false}) {
        fs::remove(RECORD_FILE);
        if (fifo)
            ASSERT_EQ(mkfifo(RECORD_FILE, 0644), 0);
        else
            fs::create_symlink("/dev/zero", RECORD_FILE);
        testing::internal::CaptureStderr();
        loadRecords();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("cannot read the record hiscore.sav (it is not a regular file)"), std::string::npos)
            << said;
        EXPECT_EQ(values(), (Values{0, 0, 0}));
        classicRecord = 900;
        EXPECT_TRUE(save());
        EXPECT_TRUE(fifo ? fs::is_fifo(RECORD_FILE) : fs::is_symlink(RECORD_FILE)) << "still there";
    }
}

TEST_F(RecordFile, FailedSaveLeavesTheOldFileIntactAndNoTemporary)
{
    dir.write(RECORD_FILE, "777\r\n1\r\n2\r\n");
    setValues({1200, 0, 0});
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const rlimit fullDisk{5, previous.rlim_max};
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &fullDisk);
    std::string whyNot;
    EXPECT_FALSE(saveRecords(whyNot));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(whyNot, "hiscore.sav: File too large");
    EXPECT_EQ(dir.read(RECORD_FILE), "777\r\n1\r\n2\r\n");
    EXPECT_EQ(namesIn("."), (std::vector<std::string>{LOCK_FILE, RECORD_FILE}));
}

TEST_F(RecordFile, ARecordThatExistsButCannotBeReadIsNeverReplaced)
{
    // The player may write the folder but not read the record, or the record is a folder.
    chmod(dir.path().c_str(), 0777);
    dir.write(RECORD_FILE, "777\r\n1\r\n2\r\n");
    chmod(RECORD_FILE, 0);
    loadAndSaveAsAnotherUser();
    chmod(RECORD_FILE, 0600);
    EXPECT_EQ(dir.read(RECORD_FILE), "777\r\n1\r\n2\r\n");
    const std::string said = dir.read("stderr");
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("cannot read the record hiscore.sav (Permission denied)"), std::string::npos) << said;
    EXPECT_EQ(namesIn("."), (std::vector<std::string>{RECORD_FILE, "stderr"})) << "no temporary file is left";

    fs::remove(RECORD_FILE);
    fs::create_directory(RECORD_FILE);
    loadAndSaveAsAnotherUser();
    EXPECT_TRUE(fs::is_directory(RECORD_FILE));
    EXPECT_NE(dir.read("stderr").find("(it is a folder)"), std::string::npos) << dir.read("stderr");
    EXPECT_EQ(namesIn("."), (std::vector<std::string>{RECORD_FILE, "stderr"}));
}

// Only the game's own hidden temporaries are ever removed, and only once no
// save could still be writing them: a player's backups, or names a person
// might pick, stay whatever they look like.
TEST_F(RecordFile, OnlyTheGamesOwnStaleTemporariesBesideTheRecordAreCleared)
{
    const std::vector<std::string> stale = {".hiscore.sav.tmp-AbC123", ".hiscore.sav.tmp-000000"};
    std::vector<std::string> others = {"hiscore.sav.backup", "hiscore.sav.250101", "hiscore.sav.AbC123",
        ".hiscore.sav.tmp-AbC12", ".hiscore.sav.tmp-AbC1234", ".hiscore.sav.tmp-Ab-123", ".other.sav.tmp-AbC123",
        ".hiscore.sav.tmp-Fresh1", ".hiscore.sav.tmp-Folder"};
    fs::create_directories("kept/.hiscore.sav.tmp-Folder");
    dir.write(".hiscore.sav.tmp-XyZ789", "");
    ageBy(".hiscore.sav.tmp-XyZ789", 3600);
    recordPath = "kept/hiscore.sav";
    for (const bool saving : {false, true}) {
        for (const auto& name : stale) {
            dir.write("kept/" + name, "1\r\n");
            ageBy("kept/" + name, 3600);
        }
        for (const auto& name : others)
            if (name != ".hiscore.sav.tmp-Folder") {
                dir.write("kept/" + name, "2\r\n");
                if (name != ".hiscore.sav.tmp-Fresh1")
                    ageBy("kept/" + name, 3600);
            }
        ageBy("kept/.hiscore.sav.tmp-Folder", 3600);
        if (saving) {
            setValues({12, 3, 4});
            EXPECT_TRUE(save());
            others.push_back(RECORD_FILE);
            others.push_back(LOCK_FILE);
        } else {
            loadRecords();
        }
        std::sort(others.begin(), others.end());
        EXPECT_EQ(namesIn("kept"), others) << (saving ? "saving" : "loading");
    }
    EXPECT_EQ(dir.read("kept/hiscore.sav"), "12\r\n3\r\n4\r\n");
    EXPECT_TRUE(fs::exists(".hiscore.sav.tmp-XyZ789")) << "only the record's own folder is cleared";
}

// Two copies of the game: the one that quits last must not write back the
// record it read at its start over the one the other just set.
TEST_F(RecordFile, ASaveTakesTheLargerClassicRecordAndSlotsTwoAndThreeAsTheFileHoldsThemNow)
{
    dir.write(RECORD_FILE, "100\r\n1\r\n2\r\n");
    loadRecords();
    dir.write(RECORD_FILE, "224\r\n5\r\n6\r\n"); // the other copy quit meanwhile
    classicRecord = 150;
    EXPECT_TRUE(save());
    EXPECT_EQ(dir.read(RECORD_FILE), "224\r\n5\r\n6\r\n");
    EXPECT_EQ(values(), (Values{224, 5, 6})) << "the record shown is the one kept";
    classicRecord = 300;
    dir.write(RECORD_FILE, "224\r\n7\r\n8\r\n");
    EXPECT_TRUE(save());
    EXPECT_EQ(dir.read(RECORD_FILE), "300\r\n7\r\n8\r\n");
    fs::remove(RECORD_FILE);
    classicRecord = 20;
    EXPECT_TRUE(save());
    EXPECT_EQ(dir.read(RECORD_FILE), "20\r\n7\r\n8\r\n") << "a removed file is made again";
}

// While one copy holds the lock, another's save waits, then reads what the
// first one wrote.
TEST_F(RecordFile, SavesTakeTurnsOnTheLockFileBesideTheRecord)
{
    dir.write(RECORD_FILE, "100 0 0");
    const int lock = open(LOCK_FILE.c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(flock(lock, LOCK_EX), 0);
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        // The inherited descriptor shares the parent's lock.
        close(lock);
        close(ready[0]);
        loadRecords();
        classicRecord = 300;
        if (write(ready[1], "x", 1) != 1)
            _exit(4);
        std::string whyNot;
        _exit(saveRecords(whyNot) && classicRecord == 500 && recordSlot2 == 9 ? 0 : 3);
    }
    close(ready[1]);
    char started = 0;
    ASSERT_EQ(read(ready[0], &started, 1), 1);
    // The child is now on its way into the save, or waiting in it.
    usleep(200 * 1000);
    dir.write(RECORD_FILE, "500 9 9");
    close(lock);
    int status = 0;
    waitpid(child, &status, 0);
    close(ready[0]);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child saved before the lock was let go";
    EXPECT_EQ(dir.read(RECORD_FILE), "500\r\n9\r\n9\r\n");
}

// The settings: read from any line end, never through a FIFO, a device or
// a link someone left for the save's own temporary file.
class SettingsFile : public testing::Test {
protected:
    void SetUp() override { environment.set("XDG_CONFIG_HOME", (home.path() + "/config").c_str()); }
    std::string folder() const { return home.path() + "/config/kalup"; }
    harness::TempFolder home;
    harness::Environment environment;
};

TEST_F(SettingsFile, MuteOnCountsWithEitherLineEndAndTheLastMuteLineDecides)
{
    const std::pair<std::string, bool> files[] = {{"mute=on\r\n", true}, {"mute=on\r", true},
        {"mute=on\r\nmute=off\r\n", false}, {"mute=off\nvolume=3\nmute=on", true}, {"mute=on\r\r\n", false},
        {" mute=on\n", false}, {"", false}};
    for (const auto& [bytes, expected] : files) {
        EXPECT_EQ(kalup::settings::readSettings(bytes).muted, expected) << testing::PrintToString(bytes);
    }
}

TEST_F(SettingsFile, AFifoOrAFileFarTooLargeIsNotWaitedForAndNoFifoIsReplaced)
{
    fs::create_directories(folder());
    ASSERT_EQ(mkfifo((folder() + "/settings").c_str(), 0644), 0);
    testing::internal::CaptureStderr();
    kalup::settings::Settings settings = kalup::settings::loadSettings();
    settings.muted = true;
    EXPECT_FALSE(kalup::settings::saveSettings(settings));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "kalup: cannot read the settings " + folder() +
                        "/settings (it is not a regular file); the game starts unmuted\n"
                        "kalup: the settings could not be saved in " +
                        folder() + "/settings: it is not a regular file\n");
    EXPECT_TRUE(fs::is_fifo(folder() + "/settings"));

    fs::remove(folder() + "/settings");
    home.write("config/kalup/settings", "mute=on\n" + std::string(300 * 1024, '#'));
    testing::internal::CaptureStderr();
    settings = kalup::settings::loadSettings();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("(it is larger than 256 KiB)"), std::string::npos);
    EXPECT_FALSE(settings.muted);
}

TEST_F(SettingsFile, TheSaveWritesNoFileButItsOwnAndReplacesTheFileALinkNames)
{
    fs::create_directories(folder());
    home.write("notes", "the player's notes\n");
    fs::create_symlink(home.path() + "/notes", folder() + "/settings.new");
    EXPECT_TRUE(kalup::settings::saveSettings({.muted = true}));
    EXPECT_EQ(home.read("notes"), "the player's notes\n");
    EXPECT_EQ(home.read("config/kalup/settings"), "mute=on\n");

    // Settings kept elsewhere and linked in stay linked.
    fs::remove(folder() + "/settings");
    home.write("kept-settings", "mute=on\n");
    fs::create_symlink(home.path() + "/kept-settings", folder() + "/settings");
    EXPECT_TRUE(kalup::settings::saveSettings({.muted = false}));
    EXPECT_TRUE(fs::is_symlink(folder() + "/settings"));
    EXPECT_EQ(home.read("kept-settings"), "mute=off\n");
    EXPECT_EQ(namesIn(folder()), (std::vector<std::string>{"settings", "settings.new"}));
}

TEST(LanguageFile, ReadsWhatItCanAndReportsAMissingElement)
{
    const auto strings = [](const std::string& attributes) {
        return "<Translation>\n <Text>\n  <string " + attributes + " />\n </Text>\n</Translation>\n";
    };
    const std::string noTranslation = "The game element Translation couldn't be found", a300(300, 'a');
    const std::string cyrillic = cyrillic300();
    // The file ("" for none), then the message and the title and score texts it gives.
    const std::string cases[][4] = {
        {"", noTranslation, "old", "old"},
        {std::string("plain \x01\xff\x00 bytes", 15), noTranslation, "old", "old"},
        {"<Translation><Other><string title=\"x\" /></Other></Translation>", "The game element Text couldn't be found",
            "old", "old"},
        {"<Translation><Text><other title=\"x\" /></Text></Translation>", "", "", ""},
        {strings("title=\"\""), "", "", ""},
        {strings("exit_label=\"Quit\" score=\"Score\" title=\"Kalup\""), "", "Kalup", "Score"},
        {strings("title=\"" + a300 + "\" score=\"" + a300.substr(45) + "\""), "", a300.substr(45), a300.substr(45)},
        // Ends inside a character: the old reader read past its buffer here.
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><Translation><Text><string title=\"\xF0", noTranslation, "old",
            "old"},
        // 300 bytes of two-byte characters: the cut keeps 127 whole ones, not 255 bytes.
        {strings("title=\"" + cyrillic + "\" score=\"a\xF0\x9F\x98\x80\""), "", cyrillic.substr(0, 254),
            "a\xF0\x9F\x98\x80"},
        // A file that is not UTF-8 is Latin-1: a text of 254 bytes ending in one of 0xC0 or more no longer
        // leads the font past its end.
        {strings("title=\"caf\xE9\" score=\"" + a300.substr(46) + "\xC3\""), "", "caf\xC3\xA9", a300.substr(46)},
        // References to no character (beyond U+10FFFF, a surrogate) read as nothing.
        {strings("title=\"a&#x1F6A00;b&#xD800;c&#x1F600;\""), "", "abc\xF0\x9F\x98\x80", ""},
        {"<Translation><Text><other /><string title=\"first\" /><string score=\"2\" /></Text><Text><string "
         "score=\"3\" /></Text></Translation><Translation><Text><string score=\"4\" /></Text></Translation>",
            "", "first", ""},
    };
    // The texts are shared with the screens: put the game's own back afterwards.
    char gameTexts[TEXT_COUNT][TEXT_CAPACITY];
    std::memcpy(gameTexts, texts, sizeof texts);
    languageFile = ENGLISH_FILE;
    for (const auto& [xml, message, title, score] : cases) {
        SCOPED_TRACE(xml.substr(0, 80));
        const harness::TempWorkDir dir;
        if (!xml.empty())
            dir.write("english.xml", xml);
        std::strcpy(texts[TEXT_TITLE], "old");
        std::strcpy(texts[TEXT_SCORE], "old");
        harness::lastMessage().clear();
        loadLanguage();
        EXPECT_EQ(harness::lastMessage(), message);
        EXPECT_EQ(text(TEXT_TITLE), title) << "title";
        EXPECT_EQ(text(TEXT_SCORE), score) << "score";
    }
    std::memcpy(texts, gameTexts, sizeof texts);
}

// Composed lines are cut by the language texts' rule. A cut text placed right
// before a page that may not be read: measuring or drawing it faults if the
// font is led past its terminating zero.
TEST(CutTexts, AreWholeCharactersThatTheFontNeverReadsPast)
{
    harness::needDisplay();
    const std::string a253(253, 'a'), cyrillic = cyrillic300();
    const std::pair<std::string, std::string> lines[] = {{std::string(300, 'L'), std::string(255, 'L')},
        {a253 + "\xC3\xA9", a253 + "\xC3\xA9"}, {a253 + "\xE2\x82\xAC", a253}, {cyrillic, cyrillic.substr(0, 254)}};
    const long page = sysconf(_SC_PAGESIZE);
    auto* pages =
        static_cast<char*>(mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(pages, MAP_FAILED);
    ASSERT_EQ(mprotect(pages + page, page, PROT_NONE), 0);
    for (const auto& [text, cut] : lines) {
        const std::string line = kalup::game::composeLine("%s", text.c_str()).text;
        EXPECT_EQ(line, cut) << text.size();
        EXPECT_TRUE(kalup::utf8::isWellFormed(line)) << line.size();
        char* guarded = pages + page - line.size() - 1;
        std::memcpy(guarded, line.c_str(), line.size() + 1);
        float llx = 0, urx = 0;
        kalup::draw::textBox(guarded, kalup::draw::fontSmall, llx, urx);
        kalup::draw::drawText(guarded, 0, 300, kalup::draw::fontLarge);
    }
    munmap(pages, 2 * page);
}

TEST(Utf8, WellFormedMeansNoOverlongFormNoSurrogateAndNothingPastTheLastCodePoint)
{
    const std::pair<std::string, bool> texts[] = {{"", true}, {"plain", true},
        {"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", true}, {"\xF4\x8F\xBF\xBF", true}, {"\xC0\x80", false},
        {"\xE0\x9F\xBF", false}, {"\xED\xA0\x80", false}, {"\xF4\x90\x80\x80", false}, {"\xF7\xBF\xBF\xBF", false},
        {"\xE2\x82", false}, {"\x80", false}, {"caf\xE9", false}};
    for (const auto& [text, wellFormed] : texts)
        EXPECT_EQ(kalup::utf8::isWellFormed(text), wellFormed) << testing::PrintToString(text);
}
