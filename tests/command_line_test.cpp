// The command line: the launcher's choices given in advance, usage and version.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/command_line.h"

using namespace kalup::command_line;
using Words = std::vector<const char*>;

namespace {

Request parseWords(Words words)
{
    words.insert(words.begin(), "kalup");
    return parse(static_cast<int>(words.size()), words.data());
}

std::string joined(const Words& words)
{
    std::string line = "kalup";
    for (const char* word : words)
        line += std::string(" ") + word;
    return line;
}

} // namespace

TEST(CommandLine, ScreenModeSkipsTheLauncherAndDepthIsSixteenOrThirtyTwo)
{
    struct Case {
        Words words;
        bool skipLauncher;
        bool fullscreen;
        int colorDepth;
    };
    const Case cases[] = {
        {{}, false, true, 32},
        {{"--window"}, true, false, 32},
        {{"--fullscreen"}, true, true, 32},
        {{"--window", "--depth", "16"}, true, false, 16},
        {{"--depth=16", "--fullscreen"}, true, true, 16},
        {{"--depth", "16"}, false, true, 16},
        {{"--depth", "32"}, false, true, 32},
        {{"--fullscreen", "--window"}, true, false, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(joined(c.words));
        const Request request = parseWords(c.words);
        EXPECT_EQ(request.action, Action::Play);
        EXPECT_EQ(request.skipLauncher, c.skipLauncher);
        EXPECT_EQ(request.fullscreen, c.fullscreen);
        EXPECT_EQ(request.colorDepth, c.colorDepth);
    }
}

TEST(CommandLine, HelpAndVersionEndTheReadingAndAnythingElseIsMisuse)
{
    struct Case {
        Words words;
        Action action;
        std::string error;
    };
    const Case cases[] = {
        {{"--help"}, Action::ShowUsage, ""},
        {{"-h"}, Action::ShowUsage, ""},
        {{"--window", "--help", "--bogus"}, Action::ShowUsage, ""},
        {{"--version"}, Action::ShowVersion, ""},
        {{"--bogus", "--help"}, Action::Misuse, "unrecognised option '--bogus'"},
        {{"-w"}, Action::Misuse, "unrecognised option '-w'"},
        {{"--window=yes"}, Action::Misuse, "unrecognised option '--window=yes'"},
        {{"save.txt"}, Action::Misuse, "unexpected argument 'save.txt'"},
        {{"--depth", "24"}, Action::Misuse, "invalid colour depth '24' (16 or 32)"},
        {{"--depth="}, Action::Misuse, "invalid colour depth '' (16 or 32)"},
        {{"--window", "--depth"}, Action::Misuse, "option '--depth' needs a value, 16 or 32"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(joined(c.words));
        const Request request = parseWords(c.words);
        EXPECT_EQ(request.action, c.action);
        EXPECT_EQ(request.error, c.error);
    }
}
