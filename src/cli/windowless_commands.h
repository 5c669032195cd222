// The commands of tq305 that need none of the program's windows: read,
// export and import. The others (dump, print, diff, write) run in
// tq305-windows (windowed_program.h), so that tq305 itself loads no window
// library.
#pragma once

#include <QStringList>
#include <optional>

namespace cli {

// What every command's process sets first: Qt's own messages kept to its
// errors (the windows' platform chatter would clutter the output), and a
// write past a file size limit reported as failed instead of ending the
// process.
void prepareCommandProcess();

// The command line after the program's name, read as file names, so that a
// name that is not UTF-8 still reaches its file.
QStringList commandArguments(int argc, char** argv);

// Runs argv[1] when it is read, export or import and returns its exit code;
// none for another command.
std::optional<int> runWindowlessCommand(int& argc, char** argv);

} // namespace cli
