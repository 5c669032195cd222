// TQ305sys --help and --version: the program takes no files or options of
// its own (Qt's own, such as -platform, go to Qt), but a user who asks gets
// an answer on the terminal instead of a window.
#pragma once

#include <optional>

namespace shell {

// Prints the help or the version when the command line asks for one, and
// gives the exit code; none when the program is to start.
std::optional<int> answerProgramHelp(int argc, char** argv);

} // namespace shell
