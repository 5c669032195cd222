// The commands of tq305. None builds a window: they compute from the values
// the core decodes and the settings catalogue.
#pragma once

#include <QStringList>
#include <optional>

namespace cli {

// Answers a request for help or the version and a missing or unknown
// command (usage.h), then readies the process for any command: Qt's own
// messages kept to its errors (the windows' platform chatter would clutter
// the output), and a write past a file size limit reported as failed
// instead of ending the process. Then runs the command; returns its exit
// code.
int runCommand(int& argc, char** argv);

// The command line after the program's name, read as file names, so that a
// name that is not UTF-8 still reaches its file.
QStringList commandArguments(int argc, char** argv);

} // namespace cli
