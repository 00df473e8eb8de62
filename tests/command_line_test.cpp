// The command line: the launcher's choices given in advance, usage and version.
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/command_line.h"

using namespace kalup::command_line;

namespace {

Request parseWords(std::vector<const char*> words)
{
    words.insert(words.begin(), "kalup");
    return parse(static_cast<int>(words.size()), words.data());
}

} // namespace

TEST(CommandLine, ScreenModeSkipsTheLauncherAndDepthIsSixteenOrThirtyTwo)
{
    const struct { std::vector<const char*> words; bool skipLauncher, fullscreen; int colorDepth; } cases[] = {
        {{}, false, true, 32}, {{"--window"}, true, false, 32}, {{"--fullscreen"}, true, true, 32},
        {{"--window", "--depth", "16"}, true, false, 16}, {{"--depth=16", "--fullscreen"}, true, true, 16},
        {{"--depth", "16"}, false, true, 16}, {{"--depth", "32"}, false, true, 32},
        {{"--fullscreen", "--window"}, true, false, 32},
    };
    for (const auto& c : cases) {
        const Request request = parseWords(c.words);
        EXPECT_EQ(std::tuple(request.action, request.skipLauncher, request.fullscreen, request.colorDepth),
            std::tuple(Action::Play, c.skipLauncher, c.fullscreen, c.colorDepth)) << testing::PrintToString(c.words);
    }
}

TEST(CommandLine, HelpAndVersionEndTheReadingAndAnythingElseIsMisuse)
{
    const struct { std::vector<const char*> words; Action action; std::string error; } cases[] = {
        {{"--help"}, Action::ShowUsage, ""}, {{"-h"}, Action::ShowUsage, ""},
        {{"--window", "--help", "--bogus"}, Action::ShowUsage, ""}, {{"--version"}, Action::ShowVersion, ""},
        {{"--bogus", "--help"}, Action::Misuse, "unrecognised option '--bogus'"},
        {{"-w"}, Action::Misuse, "unrecognised option '-w'"},
        {{"--window=yes"}, Action::Misuse, "unrecognised option '--window=yes'"},
        {{"save.txt"}, Action::Misuse, "unexpected argument 'save.txt'"},
        {{"--depth", "24"}, Action::Misuse, "invalid colour depth '24' (16 or 32)"},
        {{"--depth="}, Action::Misuse, "invalid colour depth '' (16 or 32)"},
        {{"--window", "--depth"}, Action::Misuse, "option '--depth' needs a value, 16 or 32"},
        {{"--language"}, Action::Misuse, "option '--language' needs a language code, e.g. de"},
        {{"--language="}, Action::Misuse, "option '--language' needs a language code, e.g. de"},
    };
    for (const auto& c : cases) {
        const Request request = parseWords(c.words);
        EXPECT_EQ(std::pair(request.action, request.error), std::pair(c.action, c.error))
            << testing::PrintToString(c.words);
    }
}

TEST(CommandLine, LanguageCodeGoesToTheLanguageChoiceAndTheLastOneWins)
{
    const struct { std::vector<const char*> words; std::string language; } cases[] = {
        {{}, ""}, {{"--language", "de"}, "de"}, {{"--language=pt_BR", "--window"}, "pt_BR"},
        {{"--language", "fr", "--language=ru"}, "ru"},
    };
    for (const auto& c : cases) {
        const Request request = parseWords(c.words);
        EXPECT_EQ(std::pair(request.action, request.language), std::pair(Action::Play, c.language))
            << testing::PrintToString(c.words);
    }
}
