#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "data/language.h"
#include "tests/harness.h"

using namespace kalup::language;

namespace {

// The texts are shared with the screens: each test starts from empty buffers
// and puts the loaded texts back afterwards.
class LanguageFile : public testing::Test {
protected:
    void SetUp() override
    {
        std::memcpy(saved, texts, sizeof texts);
        std::memset(texts, 0, sizeof texts);
        languageIndex = 0;
    }
    void TearDown() override { std::memcpy(texts, saved, sizeof texts); }

    void load(const std::string& xml)
    {
        dir.write("english.xml", xml);
        loadLanguage();
    }
    // A file with the usual element path around these attributes.
    static std::string withStrings(const std::string& attributes)
    {
        return "<Translation>\n  <Text>\n    <string " + attributes +
               " />\n  </Text>\n</Translation>\n";
    }
    static bool allEmpty()
    {
        for (const auto& buffer : texts)
            if (buffer[0] != '\0')
                return false;
        return true;
    }

    harness::TempWorkDir dir;
    char saved[TEXT_COUNT][TEXT_CAPACITY] = {};
};

} // namespace

TEST_F(LanguageFile, ReadsEveryKeyByItsAttributeName)
{
    std::string attributes;
    for (int key = 0; key < TEXT_COUNT; ++key)
        attributes += std::string(keyNames[key]) + "=\"text of " + keyNames[key] + "\" ";
    load(withStrings(attributes));
    for (int key = 0; key < TEXT_COUNT; ++key)
        EXPECT_EQ(std::string(text(static_cast<TextKey>(key))), std::string("text of ") + keyNames[key]);
    EXPECT_EQ(harness::lastMessage(), "");
    EXPECT_STREQ(keyNames[TEXT_CLASSIC_GAME], "classic_game");
    EXPECT_STREQ(keyNames[TEXT_EXIT_LABEL], "exit_label");
    EXPECT_EQ(text(TEXT_SCORE), texts[TEXT_SCORE]);
}

TEST_F(LanguageFile, MissingFileReportsTranslationAndLeavesTextsEmpty)
{
    loadLanguage();
    EXPECT_EQ(harness::lastMessage(), "The game element Translation couldn't be found");
    EXPECT_TRUE(allEmpty());
}

TEST_F(LanguageFile, FileThatIsNotXmlReportsTranslation)
{
    load(std::string("plain words \x01\xff\x00 and bytes", 24));
    EXPECT_EQ(harness::lastMessage(), "The game element Translation couldn't be found");
    EXPECT_TRUE(allEmpty());
}

TEST_F(LanguageFile, FileCutShortKeepsTheTextsReadBeforeTheCut)
{
    load("<Translation><Text><string title=\"x\" score=\"Sc");
    EXPECT_EQ(harness::lastMessage(), "");
    EXPECT_STREQ(text(TEXT_TITLE), "x");
    EXPECT_STREQ(text(TEXT_SCORE), "");
}

TEST_F(LanguageFile, MissingTextElementIsReportedAndTextsStayAsTheyWere)
{
    std::strcpy(texts[TEXT_TITLE], "earlier");
    load("<Translation><Other><string title=\"new\" /></Other></Translation>");
    EXPECT_EQ(harness::lastMessage(), "The game element Text couldn't be found");
    EXPECT_STREQ(text(TEXT_TITLE), "earlier");
}

TEST_F(LanguageFile, MissingStringElementGivesEmptyTexts)
{
    std::strcpy(texts[TEXT_TITLE], "earlier");
    load("<Translation><Text><other title=\"x\" /></Text></Translation>");
    EXPECT_EQ(harness::lastMessage(), "");
    EXPECT_TRUE(allEmpty());
}

TEST_F(LanguageFile, EmptyAndMissingAttributesGiveEmptyTexts)
{
    load(withStrings("title=\"\" score=\"Score\""));
    EXPECT_STREQ(text(TEXT_TITLE), "");
    EXPECT_STREQ(text(TEXT_SCORE), "Score");
    EXPECT_STREQ(text(TEXT_HISCORE), "");
    EXPECT_STREQ(text(TEXT_EXIT_LABEL), "");
}

TEST_F(LanguageFile, LongValueIsCutAt255Bytes)
{
    const std::string longValue(300, 'a');
    load(withStrings("title=\"" + longValue + "\" surv=\"" + std::string(255, 'b') + "\""));
    EXPECT_EQ(std::string(text(TEXT_TITLE)), std::string(255, 'a'));
    EXPECT_EQ(std::string(text(TEXT_SURV)), std::string(255, 'b'));
}

TEST_F(LanguageFile, AttributeOrderDoesNotMatter)
{
    load(withStrings("exit_label=\"Quit\" level=\"Level\" title=\"Kalup\""));
    EXPECT_STREQ(text(TEXT_TITLE), "Kalup");
    EXPECT_STREQ(text(TEXT_LEVEL), "Level");
    EXPECT_STREQ(text(TEXT_EXIT_LABEL), "Quit");
}

TEST_F(LanguageFile, OnlyTheFirstElementOfEachNameCounts)
{
    load("<Translation>"
         "  <Text><other /><string title=\"first\" /><string title=\"second\" score=\"S\" /></Text>"
         "  <Text><string title=\"later text\" /></Text>"
         "</Translation>"
         "<Translation><Text><string title=\"later translation\" /></Text></Translation>");
    EXPECT_STREQ(text(TEXT_TITLE), "first");
    EXPECT_STREQ(text(TEXT_SCORE), "");
}

TEST_F(LanguageFile, BytesAreKeptAsTheParserReturnsThem)
{
    load("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>" + withStrings("title=\"Caf\xc3\xa9 &amp; more\""));
    EXPECT_STREQ(text(TEXT_TITLE), "Caf\xc3\xa9 & more");
}

TEST_F(LanguageFile, SecondLanguageReadsItsOwnFile)
{
    dir.write("russian.xml", withStrings("title=\"second\""));
    languageIndex = 1;
    loadLanguage();
    languageIndex = 0;
    EXPECT_STREQ(text(TEXT_TITLE), "second");
}
