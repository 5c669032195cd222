#pragma once

#include <QStringList>

namespace cli {

// tq305 print FILE.dat -o OUT.pdf [--lang zh|en]: the program's printout of
// a data file as a PDF. Returns the exit code: 0 written, 1 the data file
// could not be used or the PDF not written, 2 the command line is wrong.
int runPrint(const QStringList& arguments);

} // namespace cli
