#include "cli/windowless_commands.h"

#include "cli/csv_commands.h"
#include "cli/diff_command.h"
#include "cli/dump_command.h"
#include "cli/history_command.h"
#include "cli/link_command.h"
#include "cli/output_check.h"
#include "cli/print_module.h"
#include "cli/usage.h"
#include "cli/write_command.h"
#include "words/file_names.h"

#include <csignal>
#include <cstdio>
#include <string_view>

namespace cli {

int runCommand(int& argc, char** argv) {
    // Help, the version and a missing command need nothing built.
    if (const std::optional<int> answered = answerHelpRequest(argc, argv))
        return *answered;
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            fprintf(stderr, "%s\n", qPrintable(message));
    });
    std::signal(SIGXFSZ, SIG_IGN);
    const std::string_view command = argv[1];
    if (command == "read")
        return runLinkCommand(argc, argv, runRead);
    if (command == "history") {
        const std::vector<std::string> history(argv + 1, argv + argc);
        // A report as a PDF is drawn by the print module.
        if (wantsPdfReport(history))
            return finishOutput(runPrintModule(argc, argv, commandArguments(argc, argv)));
        return finishOutput(runHistory(history));
    }
    if (command == "write")
        return runLinkCommand(argc, argv, runWrite);
    const QStringList arguments = commandArguments(argc, argv);
    if (isCsvCommand(arguments[0]))
        return finishOutput(runCsvCommand(arguments));
    if (command == "diff")
        return finishOutput(runDiff(arguments));
    if (command == "print")
        return finishOutput(runPrintModule(argc, argv, arguments));
    return finishOutput(run(arguments));
}

QStringList commandArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << ui::fileNameText(argv[i]);
    return arguments;
}

} // namespace cli
