#pragma once

#include <QGuiApplication>
#include <QStringList>
#include <memory>

namespace cli {

// tq305 print FILE.dat -o OUT.pdf [--lang zh|en]: the program's printout of
// a data file as a PDF. Returns the exit code: 0 written, 1 the data file
// could not be used or the PDF not written, 2 the command line is wrong.
int runPrint(const QStringList& arguments);

// The application the printout's painter needs, without a display.
std::unique_ptr<QGuiApplication> printApplication(int& argc, char** argv);

} // namespace cli
