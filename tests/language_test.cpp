// The player's language: the file the locale or the command line asks for,
// the English texts behind a translation that lacks some, and every shipped
// language drawn whole, in fonts that hold its letters, in the room it has.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <FTGL/ftgl.h>
#include <gtest/gtest.h>

#include "data/language.h"
#include "data/language_choice.h"
#include "game/lines.h"
#include "render/draw.h"
#include "render/glyphs.h"
#include "tests/harness.h"

using namespace kalup;
using namespace kalup::language;

namespace {

const std::vector<std::string> SHIPPED = {"de.xml", "english.xml", "es.xml", "fr.xml", "it.xml", "nl.xml", "pl.xml",
    "pt_BR.xml", "ru.xml", "uk.xml"};

bool isShipped(const std::string& file) { return std::ranges::find(SHIPPED, file) != SHIPPED.end(); }

// A language file holding the given attributes.
std::string languageXml(const std::string& attributes)
{
    return "<Translation><Text><string " + attributes + " /></Text></Translation>";
}

// The texts are shared with the screens: each test that loads others puts
// the game's own English back, and the fonts made for them.
class KeptTexts {
public:
    KeptTexts() { std::memcpy(kept, texts, sizeof texts); }
    ~KeptTexts()
    {
        std::memcpy(texts, kept, sizeof texts);
        languageFile = ENGLISH_FILE;
    }

private:
    char kept[TEXT_COUNT][TEXT_CAPACITY];
};

} // namespace

TEST(LanguageChoice, LanguageListThenLcAllLcMessagesLangAndEnglishWhenNoneHasAFile)
{
    const struct {
        const char *language, *lcAll, *lcMessages, *lang, *requested;
        std::string file;
    } cases[] = {
        {nullptr, nullptr, nullptr, nullptr, "", "english.xml"},
        {nullptr, nullptr, nullptr, "de_DE.UTF-8", "", "de.xml"},
        {"", "", "", "de_DE.UTF-8", "", "de.xml"},
        {nullptr, nullptr, nullptr, "de_AT@euro", "", "de.xml"},
        {nullptr, nullptr, nullptr, "C", "", "english.xml"},
        {nullptr, nullptr, nullptr, "POSIX", "", "english.xml"},
        // The C locale is untranslated: LANGUAGE is not asked, as gettext does not ask it.
        {"de", nullptr, nullptr, "C.UTF-8", "", "english.xml"},
        {"de", nullptr, nullptr, nullptr, "", "english.xml"},
        {"de", "C", nullptr, "fr_FR.UTF-8", "", "english.xml"},
        {"fr:de", nullptr, nullptr, "de_DE.UTF-8", "", "fr.xml"},
        {"ja:eo:es_MX", nullptr, nullptr, "de_DE.UTF-8", "", "es.xml"},
        {"ja", nullptr, nullptr, "de_DE.UTF-8", "", "de.xml"},
        {"en_GB:de", nullptr, nullptr, "de_DE.UTF-8", "", "english.xml"},
        {nullptr, "it_IT.UTF-8", "nl_NL.UTF-8", "fr_FR.UTF-8", "", "it.xml"},
        {nullptr, nullptr, "nl_NL.UTF-8", "fr_FR.UTF-8", "", "nl.xml"},
        {nullptr, "ja_JP.UTF-8", nullptr, "pl_PL.UTF-8", "", "pl.xml"},
        {nullptr, "ja_JP.UTF-8", nullptr, nullptr, "", "english.xml"},
        // A code with a region, then without; a region with no file of its own.
        {nullptr, nullptr, nullptr, "pt_BR.UTF-8", "", "pt_BR.xml"},
        {nullptr, nullptr, nullptr, "pt_PT.UTF-8", "", "english.xml"},
        {nullptr, nullptr, nullptr, "ru_UA.UTF-8", "", "ru.xml"},
        {nullptr, nullptr, nullptr, "uk_UA.UTF-8", "", "uk.xml"},
        {nullptr, nullptr, nullptr, "fr_CA", "", "fr.xml"},
        {nullptr, nullptr, nullptr, "xx_YY.UTF-8", "", "english.xml"},
        {nullptr, nullptr, nullptr, "../english", "", "english.xml"},
        // The command line over the locale.
        {"fr", nullptr, nullptr, "fr_FR.UTF-8", "de", "de.xml"},
        {nullptr, nullptr, nullptr, "de_DE.UTF-8", "pt-br", "pt_BR.xml"},
        {nullptr, nullptr, nullptr, "de_DE.UTF-8", "UK", "uk.xml"},
        {nullptr, nullptr, nullptr, "de_DE.UTF-8", "xx", "english.xml"},
        {nullptr, nullptr, nullptr, "de_DE.UTF-8", "C", "english.xml"},
        {nullptr, nullptr, nullptr, "de_DE.UTF-8", "en", "english.xml"},
    };
    for (const auto& c : cases) {
        harness::Environment environment;
        environment.set("LANGUAGE", c.language);
        environment.set("LC_ALL", c.lcAll);
        environment.set("LC_MESSAGES", c.lcMessages);
        environment.set("LANG", c.lang);
        EXPECT_EQ(chooseLanguageFile(c.requested, isShipped), c.file)
            << "LANGUAGE=" << (c.language ? c.language : "(unset)") << " LC_ALL=" << (c.lcAll ? c.lcAll : "(unset)")
            << " LC_MESSAGES=" << (c.lcMessages ? c.lcMessages : "(unset)") << " LANG=" << (c.lang ? c.lang : "(unset)")
            << " --language " << c.requested;
    }
}

TEST(LanguageChoice, AFileWithoutTheRegionAndTheOlderRussianName)
{
    const auto available = [](const std::string& file) {
        return file == "english.xml" || file == "pt.xml" || file == "russian.xml";
    };
    harness::Environment environment;
    environment.set("LANGUAGE", nullptr);
    environment.set("LC_ALL", nullptr);
    environment.set("LC_MESSAGES", nullptr);
    for (const auto& [lang, file] : {std::pair{"pt_BR.UTF-8", "pt.xml"}, {"pt_PT", "pt.xml"}, {"pt", "pt.xml"},
             {"ru_RU.UTF-8", "russian.xml"}, {"de_DE.UTF-8", "english.xml"}}) {
        environment.set("LANG", lang);
        EXPECT_EQ(chooseLanguageFile("", available), file) << lang;
    }
    EXPECT_EQ(filesFor("pt_BR.ISO-8859-1@x"), (std::vector<std::string>{"pt_BR.xml", "pt.xml"}));
    EXPECT_EQ(filesFor("ru"), (std::vector<std::string>{"ru.xml", "russian.xml"}));
    EXPECT_EQ(filesFor("en_US"), (std::vector<std::string>{"english.xml"}));
    EXPECT_EQ(filesFor("de/../x"), std::vector<std::string>{});
    EXPECT_EQ(filesFor("deutsch"), std::vector<std::string>{});
}

TEST(LanguageFallback, AKeyTheTranslationLacksTakesTheEnglishTextThenTheGamesOwn)
{
    const KeptTexts kept;
    const std::string english = languageXml("title=\"Kalup\" score=\"Score:\" help_hint=\"\"");
    std::string everyKey;
    for (const char* key : keyNames)
        everyKey += std::string(key) + "=\"de-" + key + "\" ";
    const std::string noTranslation = "The game element Translation couldn't be found";
    // The English file and the translation ("" for none), then the message, title, score, help title, help hint and game over.
    const std::string cases[][8] = {
        {english, languageXml("title=\"Kalup auf Deutsch\""), "", "Kalup auf Deutsch", "Score:", "How to play", "",
            ""},
        {english, languageXml("title=\"\" help_title=\"Hilfe\""), "", "", "Score:", "Hilfe", "", ""},
        {english, "", noTranslation, "Kalup", "Score:", "How to play", "", ""},
        {english, "<Translation><Other /></Translation>", "The game element Text couldn't be found", "Kalup",
            "Score:", "How to play", "", ""},
        {english, "<Translation><Text><string title=\"broken", noTranslation, "Kalup", "Score:", "How to play", "", ""},
        {"", "", noTranslation, "old", "old", "How to play", "Press F1 to learn how to play", "old"},
        // A translation read: a key neither file has is empty, as in an English file without it.
        {"", languageXml("score=\"Punkte:\""), noTranslation, "", "Punkte:", "How to play",
            "Press F1 to learn how to play", ""},
        {"", languageXml(everyKey), "", "de-title", "de-score", "de-help_title", "de-help_hint", "de-game_over"},
    };
    languageFile = "de.xml";
    for (const auto& [englishFile, translation, message, title, score, helpTitle, helpHint, gameOver] : cases) {
        SCOPED_TRACE(englishFile + " | " + translation);
        const harness::TempWorkDir dir;
        if (!englishFile.empty())
            dir.write("english.xml", englishFile);
        if (!translation.empty())
            dir.write("de.xml", translation);
        for (auto& text : texts)
            std::strcpy(text, "old");
        harness::lastMessage().clear();
        loadLanguage();
        EXPECT_EQ(harness::lastMessage(), message);
        EXPECT_EQ(text(TEXT_TITLE), title);
        EXPECT_EQ(text(TEXT_SCORE), score);
        EXPECT_EQ(text(TEXT_HELP_TITLE), helpTitle);
        EXPECT_EQ(text(TEXT_HELP_HINT), helpHint);
        EXPECT_EQ(text(TEXT_GAME_OVER), gameOver);
        EXPECT_STRNE(text(TEXT_PAUSED), "") << "never an empty pause line";
    }
}

namespace {

enum class Face { Small, Large, Label };

// Where each text is drawn: its font and the width it may take there.
struct Room {
    TextKey key;
    Face face;
    float width;
};

// The menu rows and heading keep clear of the selector gear at the left
// edge (64 units); the third row and the two lines at the foot keep clear of
// the gears in the lower right corner, which begin 590 units across. The end
// screens' lines stay on their 512-unit panel.
const Room rooms[] = {
    {TEXT_CLASSIC_GAME, Face::Small, 672},
    {TEXT_REMOVE2_GAME, Face::Small, 672},
    {TEXT_SURVIVAL_GAME, Face::Small, 380},
    {TEXT_GAME_MODE, Face::Label, 672},
    {TEXT_EXIT_LABEL, Face::Label, 380},
    {TEXT_TITLE, Face::Label, 380},
    {TEXT_CONGRATULATIONS, Face::Large, 512},
    {TEXT_GAME_OVER_HEADLINE, Face::Large, 512},
    {TEXT_NO_MORE_MOVES, Face::Small, 512},
    {TEXT_GAME_COMPLETED, Face::Small, 512},
    {TEXT_CONGRATULATIONS_TEXT, Face::Small, 512},
    {TEXT_SURV, Face::Small, 512},
    {TEXT_PRESS_SPACE, Face::Small, 512},
    {TEXT_TO_CONTINUE, Face::Small, 512},
    {TEXT_PAUSED, Face::Large, 760},
    // Kept, though no screen shows them.
    {TEXT_GAME_OVER, Face::Small, 760},
    {TEXT_LEVEL_LABEL, Face::Small, 760},
    {TEXT_HELP_TITLE, Face::Large, 760},
    {TEXT_BESTS_TITLE, Face::Large, 760},
    {TEXT_HELP_CLASSIC, Face::Small, 700},
    {TEXT_HELP_REMOVE2, Face::Small, 700},
    {TEXT_HELP_SURVIVAL, Face::Small, 700},
    {TEXT_HELP_SCORE, Face::Small, 700},
    {TEXT_HELP_BOMB, Face::Small, 620},
    {TEXT_HELP_DROP_BOMB, Face::Small, 620},
    {TEXT_HELP_PAINT, Face::Small, 620},
    {TEXT_HELP_CLOSE, Face::Small, 760},
    {TEXT_HELP_HINT, Face::Small, 760},
    {TEXT_BESTS_OPEN, Face::Small, 760},
    {TEXT_BESTS_EMPTY, Face::Small, 760},
    {TEXT_BEST_LABEL, Face::Small, 120},
    {TEXT_NEW_RECORD, Face::Small, 440},
};

FTFont* fontOf(Face face)
{
    switch (face) {
    case Face::Small:
        return draw::fontSmall;
    case Face::Large:
        return draw::fontLarge;
    case Face::Label:
        return draw::fontLabel;
    }
    return nullptr;
}

// From the pen's start to the far end of the ink or of the advance,
// whichever is further, and back to ink left of the start.
float widthOf(const char* text, FTFont* font)
{
    const FTBBox box = font->BBox(text);
    return std::max(box.Upper().Xf(), font->Advance(text)) - std::min(box.Lower().Xf(), 0.0f);
}

std::vector<std::string> languageFilesHere()
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator("."))
        if (entry.path().extension() == ".xml")
            files.push_back(entry.path().filename().string());
    std::ranges::sort(files);
    return files;
}

} // namespace

TEST(ShippedLanguages, EveryTextIsThereInFontsThatHoldItsLettersAndFitsItsRoom)
{
    harness::needDisplay();
    const KeptTexts kept;
    ASSERT_EQ(languageFilesHere(), SHIPPED);
    for (const std::string& file : SHIPPED) {
        SCOPED_TRACE(file);
        languageFile = file;
        harness::lastMessage().clear();
        loadLanguage();
        EXPECT_EQ(harness::lastMessage(), "");
        std::string shipped = harness::readFile(file);
        for (int key = 0; key < TEXT_COUNT; ++key)
            EXPECT_NE(shipped.find(std::string(" ") + keyNames[key] + "=\""), std::string::npos)
                << keyNames[key] << " missing from the file";

        draw::chooseFontsFor(allTexts());
        draw::createFonts();
        const draw::FontFiles faces = draw::chosenFontFiles();
        const std::string drawn = allTexts() + "0123456789:";
        EXPECT_EQ(glyphs::codePointList(glyphs::missingCharacters(faces.text, drawn)), "") << faces.text;
        EXPECT_EQ(glyphs::codePointList(glyphs::missingCharacters(faces.label, drawn)), "") << faces.label;
        ASSERT_TRUE(draw::fontSmall && draw::fontLarge && draw::fontLabel);

        for (const Room& room : rooms)
            EXPECT_LE(widthOf(text(room.key), fontOf(room.face)), room.width)
                << keyNames[room.key] << " \"" << text(room.key) << "\"";
        // "Level 50 completed", the widest the classic level screen shows.
        for (int level = 0; level < 50; ++level) {
            const game::Line line = game::levelCompletedLine(level);
            EXPECT_LE(widthOf(line.text, draw::fontSmall), 512) << line.text;
        }
        // The survival timer at the top left, in the left half of the screen.
        const game::Line timer = game::survivalTimerLine(99 * 60 + 59);
        EXPECT_LE(5 + widthOf(timer.text, draw::fontLabel), 380) << timer.text;
        // The record 20 units after its label, the score label 200 after
        // that, the score 20 after its label: seven digits each on one line.
        const float digits = widthOf("8888888", draw::fontSmall);
        const float recordLabel = widthOf(text(TEXT_HISCORE), draw::fontSmall);
        const float scoreLabel = widthOf(text(TEXT_SCORE), draw::fontSmall);
        EXPECT_LE(20 + digits, 200) << "the record runs into the score label";
        EXPECT_LE(recordLabel + 240 + scoreLabel + digits, 800) << "the record and score line";
    }
    // The game's own faces wherever they hold the letters; the others for
    // the Cyrillic and Polish letters they lack.
    for (const auto& [file, text, label] : {std::tuple{"english.xml", "dscoptic", "cristal"},
             {"de.xml", "dscoptic", "cristal"}, {"fr.xml", "dscoptic", "cristal"}, {"pl.xml", "jura", "cristal"},
             {"ru.xml", "jura", "kaffeesatz"}, {"uk.xml", "jura", "kaffeesatz"}}) {
        languageFile = file;
        loadLanguage();
        draw::chooseFontsFor(allTexts());
        EXPECT_NE(std::string(draw::chosenFontFiles().text).find(text), std::string::npos) << file;
        EXPECT_NE(std::string(draw::chosenFontFiles().label).find(label), std::string::npos) << file;
    }
    languageFile = ENGLISH_FILE;
    loadLanguage();
    draw::chooseFontsFor(allTexts());
    draw::createFonts();
}
