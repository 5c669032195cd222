#pragma once

#include <QStringList>

namespace cli {

// tq305 diff A.dat B.dat [--json] [--lang zh|en]: what differs from A to B,
// setting by setting as the windows show it, one line each (--json: an
// array of {place, setting, before, after}). Returns the exit code: 0 the
// files hold the same, 1 they differ, 2 the command line is wrong, 3 a file
// could not be used.
int runDiff(const QStringList& arguments);

} // namespace cli
