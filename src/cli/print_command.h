#pragma once

#include "print/print_document.h"

#include <QGuiApplication>
#include <QStringList>
#include <memory>

namespace cli {

// tq305 print FILE.dat -o OUT.pdf [--lang zh|en]: the program's printout of
// a data file as a PDF. Returns the exit code: 0 written, 1 no installed
// font draws every character of it, 2 the command line is wrong, 3 the data
// file could not be used or the PDF not written.
int runPrint(const QStringList& arguments);

// Writes a printout as the PDF `output`: refused (1) when no installed font
// draws every character of it, 3 when the PDF cannot be written.
int writePrintout(const print::PrintDocument& document, const QString& output);

// tq305 history --job NAME --format pdf -o OUT.pdf [--lang zh|en]: the
// job's report for its customer. `arguments` begin with "history".
int runJobReportPdf(const QStringList& arguments);

// The application the printout's painter needs, without a display.
std::unique_ptr<QGuiApplication> printApplication(int& argc, char** argv);

} // namespace cli
