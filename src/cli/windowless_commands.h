// The commands of tq305 that need none of the program's windows: read,
// export and import, and help. The others (dump, print, diff, write) run in
// tq305-windows (windowed_program.h), so that tq305 itself loads no window
// library.
#pragma once

#include <QStringList>
#include <optional>

namespace cli {

// Answers a request for help or the version and a missing or unknown
// command (usage.h), then readies the process for any command: Qt's own
// messages kept to its errors (the windows' platform chatter would clutter
// the output), and a write past a file size limit reported as failed
// instead of ending the process. Then runs read, export or import. Returns
// the exit code, or none for a command that needs the program's windows.
std::optional<int> runWithoutWindows(int& argc, char** argv);

// The command line after the program's name, read as file names, so that a
// name that is not UTF-8 still reaches its file.
QStringList commandArguments(int argc, char** argv);

} // namespace cli
