#include <array>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>

#include <sys/resource.h>

#include <gtest/gtest.h>

#include "data/language.h"
#include "data/records.h"
#include "tests/harness.h"

using namespace kalup::language;
using namespace kalup::records;
using Values = std::array<int, 3>;

namespace {

Values values() { return {classicRecord, recordSlot2, recordSlot3}; }
void setValues(Values v) { std::tie(classicRecord, recordSlot2, recordSlot3) = std::tie(v[0], v[1], v[2]); }

// The values are shared with the rest of the game: each test puts them back.
class RecordFile : public testing::Test {
protected:
    void TearDown() override { setValues(saved); }
    harness::TempWorkDir dir;
    Values saved = values();
};

} // namespace

TEST_F(RecordFile, SavesThreeCrLfLinesByteForByteKeepingSlotsTwoAndThree)
{
    setValues({7, 8, 9});
    loadRecords();
    EXPECT_EQ(values(), (Values{0, 0, 0})) << "no file yet";
    classicRecord = 1200;
    saveRecords();
    EXPECT_EQ(dir.read(RECORD_FILE), std::string("1200\r\n0\r\n0\r\n", 12));
    dir.write(RECORD_FILE, "300\r\n-17\r\n123456\r\n");
    loadRecords();
    classicRecord = 900;
    saveRecords();
    EXPECT_EQ(dir.read(RECORD_FILE), "900\r\n-17\r\n123456\r\n");
}

TEST_F(RecordFile, ReadsAnyWhiteSpaceAndZeroForWhatCannotBeRead)
{
    const std::pair<std::string, Values> files[] = {{"1200\r\n5\r\n6\r\n", {1200, 5, 6}}, {"1200\n5\n6\n", {1200, 5, 6}},
        {"  \t-3\t\t+4 5", {-3, 4, 5}}, {"abc\r\n5\r\n6\r\n", {0, 5, 6}}, {"1200\r\n12x\r\n6\r\n", {1200, 0, 6}},
        {"99999999999 5 6", {0, 5, 6}}, {std::string("\x01\xff\x7f\x00 9", 6), {0, 9, 0}}, {"", {0, 0, 0}},
        {"1200\r\n5", {1200, 5, 0}}};
    for (const auto& [bytes, expected] : files) {
        dir.write(RECORD_FILE, bytes);
        setValues({-1, -1, -1});
        loadRecords();
        EXPECT_EQ(values(), expected) << testing::PrintToString(bytes);
    }
}

TEST_F(RecordFile, FailedSaveLeavesTheOldFileIntact)
{
    dir.write(RECORD_FILE, "777\r\n1\r\n2\r\n");
    setValues({1200, 0, 0});
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const rlimit fullDisk{5, previous.rlim_max};
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &fullDisk);
    saveRecords();
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(dir.read(RECORD_FILE), "777\r\n1\r\n2\r\n");
    using std::filesystem::directory_iterator;
    EXPECT_EQ(std::distance(directory_iterator("."), directory_iterator()), 1) << "the temporary file is removed";
}

TEST(LanguageFile, ReadsWhatItCanAndReportsAMissingElement)
{
    const auto strings = [](const std::string& attributes) {
        return "<Translation>\n <Text>\n  <string " + attributes + " />\n </Text>\n</Translation>\n";
    };
    const std::string noTranslation = "The game element Translation couldn't be found", a300(300, 'a');
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
        harness::TempWorkDir dir;
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
