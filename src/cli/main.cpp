// tq305: the command-line companion of TQ-305 CloneDesk.
//
//   tq305 dump FILE.dat [--json] [--lang zh|en]
//
// prints what the program shows for a data file: the band, the channel
// table, the optional features, the DTMF codes, the FM presets and the power
// levels. The windows themselves are built (without a display) and read, so
// the output is exactly what the program would show.
#include "cli/dump_command.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return cli::run(QApplication::arguments().mid(1));
}
