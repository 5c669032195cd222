#pragma once

#include <QStringList>

namespace cli {

// tq305 print FILE.dat -o OUT.pdf [--lang zh|en]: the program's printout of
// a data file as a PDF. Returns the exit code: 0 written, 1 no installed
// font draws every character of it, 2 the command line is wrong, 3 the data
// file could not be used or the PDF not written.
int runPrint(const QStringList& arguments);

} // namespace cli
