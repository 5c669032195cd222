#pragma once

#include <QStringList>

namespace cli {

// tq305 export FILE.dat -o OUT.csv
// tq305 import IN.csv -o OUT.dat --band N [--base FILE.dat] [--renumber]
// Exit codes: 0 done, 1 unusable input, 2 usage, 3 a file not opened or written.
bool isCsvCommand(const QString& command);
int runCsvCommand(const QStringList& arguments);

} // namespace cli
