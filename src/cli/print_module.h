// `tq305 print` runs in a module of its own, loaded for that command alone:
// it links Qt GUI's painter, whose loading would slow every other command's
// start.
#pragma once

#include <QStringList>

namespace cli {

// The module's one entry: runs the print command on tq305's command line
// (`arguments` as commandArguments reads it) and returns its exit code.
using PrintModuleEntry = int (*)(int& argc, char** argv, const QStringList& arguments);
inline constexpr const char* PrintModuleEntryName = "tq305_run_print";

// Loads the module, found beside this program (the build tree) or in the
// installation's private folder, and runs its entry. A module that is
// missing or cannot be loaded is told on one line; the exit code is then
// ExitCannotOpen.
int runPrintModule(int& argc, char** argv, const QStringList& arguments);

} // namespace cli
