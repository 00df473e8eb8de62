// The record file and the language file, whatever bytes they hold, and the
// texts cut to their buffers.
#include <algorithm>
#include <array>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "data/language.h"
#include "data/records.h"
#include "game/lines.h"
#include "platform/utf8.h"
#include "render/draw.h"
#include "tests/harness.h"

using namespace kalup::language;
using namespace kalup::records;
using Values = std::array<int, 3>;
namespace fs = std::filesystem;

namespace {

Values values() { return {classicRecord, recordSlot2, recordSlot3}; }
void setValues(Values v) { std::tie(classicRecord, recordSlot2, recordSlot3) = std::tie(v[0], v[1], v[2]); }

// The record is shared with the rest of the game: each test puts it back.
class RecordFile : public testing::Test {
protected:
    void TearDown() override
    {
        setValues(saved);
        recordPath = RECORD_FILE;
    }
    harness::TempWorkDir dir;
    Values saved = values();
};

// Loads the record and saves a new one in a child process, as user nobody
// when run as root (root reads any file whatever its mode), with its stderr
// in the file "stderr" of the folder.
void loadAndSaveAsAnotherUser(const harness::TempWorkDir& dir)
{
    const pid_t child = fork();
    if (child == 0) {
        dup2(open((dir.path() + "/stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666), STDERR_FILENO);
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        loadRecords();
        classicRecord = 5000;
        saveRecords();
        _exit(classicRecord == 5000 && recordSlot2 == 0 ? 0 : 3);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child ended with " << status;
}

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string cyrillic300()
{
    std::string text;
    for (int i = 0; i < 150; ++i)
        text += "\xD0\x96";
    return text;
}

} // namespace

TEST_F(RecordFile, ReadsAnyWhiteSpaceZeroForWhatCannotBeReadAndSavesThreeCrLfLinesKeepingSlotsTwoAndThree)
{
    setValues({7, 8, 9});
    loadRecords();
    EXPECT_EQ(values(), (Values{0, 0, 0})) << "no file yet";
    classicRecord = 1200;
    saveRecords();
    EXPECT_EQ(dir.read(RECORD_FILE), "1200\r\n0\r\n0\r\n");
    const std::pair<std::string, Values> files[] = {{"1200\r\n5\r\n6\r\n", {1200, 5, 6}},
        {"300\r\n-17\r\n123456\r\n", {300, -17, 123456}}, {"1200\n5\n6\n", {1200, 5, 6}},
        {"  \t-3\t\t+4 5", {-3, 4, 5}}, {"abc\r\n5\r\n6\r\n", {0, 5, 6}}, {"1200\r\n12x\r\n6\r\n", {1200, 0, 6}},
        {"99999999999 5 6", {0, 5, 6}}, {std::string("\x01\xff\x7f\x00 9", 6), {0, 9, 0}}, {"", {0, 0, 0}},
        {"1200\r\n5", {1200, 5, 0}}};
    for (const auto& [bytes, expected] : files) {
        dir.write(RECORD_FILE, bytes);
        setValues({-1, -1, -1});
        loadRecords();
        EXPECT_EQ(values(), expected) << testing::PrintToString(bytes);
        classicRecord = 900;
        saveRecords();
        EXPECT_EQ(dir.read(RECORD_FILE),
            "900\r\n" + std::to_string(expected[1]) + "\r\n" + std::to_string(expected[2]) + "\r\n");
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
    EXPECT_FALSE(saveRecords());
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(dir.read(RECORD_FILE), "777\r\n1\r\n2\r\n");
    EXPECT_EQ(namesIn("."), std::vector<std::string>{RECORD_FILE});
}

TEST_F(RecordFile, ARecordThatExistsButCannotBeReadIsNeverReplaced)
{
    // The player may write the folder but not read the record, or the record is a folder.
    chmod(dir.path().c_str(), 0777);
    dir.write(RECORD_FILE, "777\r\n1\r\n2\r\n");
    chmod(RECORD_FILE, 0);
    loadAndSaveAsAnotherUser(dir);
    chmod(RECORD_FILE, 0600);
    EXPECT_EQ(dir.read(RECORD_FILE), "777\r\n1\r\n2\r\n");
    const std::string said = dir.read("stderr");
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("cannot read the record hiscore.sav"), std::string::npos) << said;
    EXPECT_EQ(namesIn("."), (std::vector<std::string>{RECORD_FILE, "stderr"})) << "no temporary file is left";

    fs::remove(RECORD_FILE);
    fs::create_directory(RECORD_FILE);
    loadAndSaveAsAnotherUser(dir);
    EXPECT_TRUE(fs::is_directory(RECORD_FILE));
    EXPECT_EQ(namesIn("."), (std::vector<std::string>{RECORD_FILE, "stderr"}));
}

TEST_F(RecordFile, TemporariesOfAKilledSaveBesideTheRecordAreClearedAtTheNextStartOrSave)
{
    const std::vector<std::string> stale = {"hiscore.sav.AbC123", "hiscore.sav.000000", "hiscore.sav.zzzzzz"};
    std::vector<std::string> others = {"hiscore.sav.AbC12", "hiscore.sav.AbC1234", "hiscore.sav.Ab-123",
        "hiscore.savXAbC123", "other.sav.AbC123", "hiscore.sav.Folder"};
    fs::create_directories("kept/hiscore.sav.Folder");
    dir.write("hiscore.sav.XyZ789", "");
    recordPath = "kept/hiscore.sav";
    for (const bool saving : {false, true}) {
        for (const auto& name : stale)
            dir.write("kept/" + name, "1\r\n");
        for (const auto& name : others)
            if (name != "hiscore.sav.Folder")
                dir.write("kept/" + name, "2\r\n");
        if (saving) {
            setValues({12, 3, 4});
            saveRecords();
            others.push_back(RECORD_FILE);
        } else {
            loadRecords();
        }
        std::sort(others.begin(), others.end());
        EXPECT_EQ(namesIn("kept"), others) << (saving ? "saving" : "loading");
    }
    EXPECT_EQ(dir.read("kept/hiscore.sav"), "12\r\n3\r\n4\r\n");
    EXPECT_TRUE(fs::exists("hiscore.sav.XyZ789")) << "only the record's own folder is cleared";
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
        // References to no character (beyond U+10FFFF, a surrogate) in a UTF-8 file read as nothing.
        {strings("title=\"a&#x1F6A00;b&#xD800;c&#x1F600;\""), "", "abc\xF0\x9F\x98\x80", ""},
        {"<Translation><Text><other /><string title=\"first\" /><string score=\"2\" /></Text><Text><string "
         "score=\"3\" /></Text></Translation><Translation><Text><string score=\"4\" /></Text></Translation>",
            "", "first", ""},
    };
    // The texts are shared with the screens: put the game's own back afterwards.
    char gameTexts[TEXT_COUNT][TEXT_CAPACITY];
    std::memcpy(gameTexts, texts, sizeof texts);
    languageIndex = 0;
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
