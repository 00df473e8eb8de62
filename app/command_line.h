#pragma once
// The command line: the launcher's two choices given in advance, the usage
// and the version.
#include <string>

namespace kalup::command_line {

enum class Action { Play, ShowUsage, ShowVersion, Misuse };

struct Request {
    Action action = Action::Play;
    // --window or --fullscreen: start in that screen mode without the launcher.
    bool skipLauncher = false;
    bool fullscreen = true;
    int colorDepth = 32;
    // --language CODE: the texts of that language, whatever the locale says.
    std::string language;
    // What was wrong with a misused command line, as one line.
    std::string error;
};

Request parse(int argc, const char* const argv[]);

// Answers a request other than Play on stdout or stderr; the exit code.
int answer(const Request& request);

} // namespace kalup::command_line
