#pragma once

#include <optional>

// `piyo --help` and `piyo --version` answer on stdout and end, before the
// program touches the display: they work over ssh and in scripts.
// Returns the exit status when the command line was answered; none when the
// program is to start.
std::optional<int> answerCommandLine(int argc, char** argv);
