// tq305: the command-line companion of TQ-305 CloneDesk.
//
//   tq305 dump FILE.dat [--json] [--lang zh|en]
//   tq305 diff A.dat B.dat [--json] [--lang zh|en]
//   tq305 print FILE.dat -o OUT.pdf [--lang zh|en]
//   tq305 read (--port N | --device PATH) -o OUT.dat
//   tq305 write IN.dat (--port N | --device PATH) [--force-band] [--calibration]
//   tq305 export FILE.dat -o OUT.csv
//   tq305 import IN.csv -o OUT.dat --band N [--base FILE.dat] [--renumber]
//
// dump prints what the program shows for a data file: the band, the channel
// table, the optional features, the DTMF codes, the FM presets and the power
// levels. The windows themselves are built (without a display) and read, so
// the output is exactly what the program would show; diff tells what
// differs between two files, setting by setting; print writes the
// program's printout of the file as a PDF. read and write copy the
// radio's memory into a data file and back over the serial line. export and
// import exchange the channel table with other programming software as CSV.
#include "cli/csv_commands.h"
#include "cli/diff_command.h"
#include "cli/dump_command.h"
#include "cli/file_windows.h"
#include "cli/link_command.h"
#include "cli/link_options.h"
#include "cli/output_check.h"
#include "cli/print_command.h"
#include "cli/window_messages.h"
#include "ui/file_names.h"

#include <csignal>
#include <cstdio>

namespace {

int run(const QStringList& arguments) {
    if (cli::isCsvCommand(arguments.value(0)))
        return cli::runCsvCommand(arguments);
    if (arguments.value(0) == "print")
        return cli::runPrint(arguments);
    if (arguments.value(0) == "diff")
        return cli::runDiff(arguments);
    return cli::run(arguments);
}

} // namespace

int main(int argc, char* argv[]) {
    // The windows are never on screen: the platform's chatter would only
    // clutter the output.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            fprintf(stderr, "%s\n", qPrintable(message));
    });
    // Past a file size limit a write fails and is reported, instead of the signal ending us.
    std::signal(SIGXFSZ, SIG_IGN);
    // read needs no window at all, write only to encode its file.
    if (argc > 1 && cli::isLinkCommand(argv[1]))
        return cli::runLinkCommand(argc, argv);
    const auto app = cli::windowApplication(argc, argv);
    // Read as file names, so a name that is not UTF-8 still reaches its file.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << ui::fileNameText(argv[i]);
    return cli::exitAfterWindowMessages(cli::finishOutput(run(arguments)));
}
