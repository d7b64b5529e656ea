#include "CommandLine.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* Help = "Usage: piyo [--help] [--version]\n"
                             "\n"
                             "Learn the 80 birds of a Japanese tidal flat by look and by call.\n"
                             "piyo opens its menu: ピヨ調べ to look birds up, ピヨ探し to be quizzed.\n"
                             "\n"
                             "Options:\n"
                             "  -h, --help     show this help and exit\n"
                             "  -v, --version  show the version and exit\n"
                             "\n"
                             "Keys: Tab and Shift+Tab move between controls, the arrows move on the name\n"
                             "board, Enter or Space clicks, Escape goes back; Ctrl++ and Ctrl+- resize\n"
                             "the window, Ctrl+0 brings back its design size.\n"
                             "\n"
                             "Media are read from the folders beside the program and from\n"
                             "$XDG_DATA_HOME/piyo; settings live in $XDG_CONFIG_HOME/piyo/piyo.conf.\n";

} // namespace

std::optional<int> answerCommandLine(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(Help, stdout);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
        if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0) {
            std::printf("piyo %s\n", PIYO_VERSION);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
    }
    return std::nullopt;
}
