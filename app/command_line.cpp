#include "app/command_line.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "platform/build_facts.h"

namespace kalup::command_line {

namespace {

constexpr const char* USAGE = "Usage: kalup [--window | --fullscreen] [--depth 16|32] [--language CODE]\n"
                              "       kalup --help | --version\n"
                              "\n"
                              "Without options, a launcher asks for the colour depth and the screen mode.\n"
                              "\n"
                              "  --window         start in an 800 x 600 window, without the launcher\n"
                              "  --fullscreen     start in full screen, without the launcher\n"
                              "  --depth BITS     colour depth, 16 or 32 (32 when not given)\n"
                              "  --language CODE  texts in that language, e.g. de or pt_BR (else the locale's)\n"
                              "  -h, --help       show this help and exit\n"
                              "  --version        show the version and exit\n";

Request misuse(std::string error)
{
    Request request;
    request.action = Action::Misuse;
    request.error = std::move(error);
    return request;
}

} // namespace

Request parse(int argc, const char* const argv[])
{
    Request request;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            request.action = Action::ShowUsage;
            return request;
        }
        if (argument == "--version") {
            request.action = Action::ShowVersion;
            return request;
        }
        if (argument == "--window" || argument == "--fullscreen") {
            // The last screen mode given wins.
            request.skipLauncher = true;
            request.fullscreen = argument == "--fullscreen";
        } else if (argument == "--depth" || argument.starts_with("--depth=")) {
            std::string_view bits;
            if (argument != "--depth")
                bits = argument.substr(argument.find('=') + 1);
            else if (i + 1 < argc)
                bits = argv[++i];
            else
                return misuse("option '--depth' needs a value, 16 or 32");
            if (bits != "16" && bits != "32")
                return misuse("invalid colour depth '" + std::string(bits) + "' (16 or 32)");
            request.colorDepth = bits == "16" ? 16 : 32;
        } else if (argument == "--language" || argument.starts_with("--language=")) {
            if (argument != "--language")
                request.language = argument.substr(argument.find('=') + 1);
            else if (i + 1 < argc)
                request.language = argv[++i];
            else
                return misuse("option '--language' needs a language code, e.g. de");
            if (request.language.empty())
                return misuse("option '--language' needs a language code, e.g. de");
        } else if (argument.starts_with("-")) {
            return misuse("unrecognised option '" + std::string(argument) + "'");
        } else {
            return misuse("unexpected argument '" + std::string(argument) + "'");
        }
    }
    return request;
}

int answer(const Request& request)
{
    switch (request.action) {
    case Action::ShowUsage:
        std::fputs(USAGE, stdout);
        return 0;
    case Action::ShowVersion:
        std::puts("Kalup " KALUP_VERSION);
        return 0;
    case Action::Misuse:
        std::fprintf(stderr, "kalup: %s\n%s", request.error.c_str(), USAGE);
        return 2;
    case Action::Play:
        break;
    }
    return 0;
}

} // namespace kalup::command_line
