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
#include <cstdio>

int main(int argc, char* argv[]) {
    // The windows are never on screen: the platform's chatter would only
    // clutter the output.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            fprintf(stderr, "%s\n", qPrintable(message));
    });
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return cli::run(QApplication::arguments().mid(1));
}
