// tq305: the command-line companion of TQ-305 CloneDesk.
//
//   tq305 dump FILE.dat [--json] [--lang zh|en]
//   tq305 read (--port N | --device PATH) -o OUT.dat
//   tq305 write IN.dat (--port N | --device PATH) [--force-band] [--calibration]
//
// dump prints what the program shows for a data file: the band, the channel
// table, the optional features, the DTMF codes, the FM presets and the power
// levels. The windows themselves are built (without a display) and read, so
// the output is exactly what the program would show. read and write copy the
// radio's memory into a data file and back over the serial line.
#include "cli/dump_command.h"
#include "cli/link_command.h"
#include "cli/link_options.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    // The windows are never on screen: the platform's chatter would only
    // clutter the output.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            fprintf(stderr, "%s\n", qPrintable(message));
    });
    // read and write talk to the radio with no window at all.
    if (argc > 1 && cli::isLinkCommand(argv[1]))
        return cli::runLinkCommand(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return cli::run(QApplication::arguments().mid(1));
}
