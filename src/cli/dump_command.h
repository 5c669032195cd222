#pragma once

#include <QStringList>

namespace cli {

// Runs the command line (without the program name); returns the exit code:
// 0 done, 1 the file could not be used, 2 the command line is wrong.
int run(const QStringList& arguments);

} // namespace cli
