#include "cli/windowless_commands.h"

#include "cli/csv_commands.h"
#include "cli/history_command.h"
#include "cli/link_command.h"
#include "cli/output_check.h"
#include "cli/usage.h"
#include "ui/file_names.h"

#include <csignal>
#include <cstdio>
#include <string_view>

namespace cli {

std::optional<int> runWithoutWindows(int& argc, char** argv) {
    // Help, the version and a missing command need nothing built.
    if (const std::optional<int> answered = answerHelpRequest(argc, argv))
        return answered;
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            fprintf(stderr, "%s\n", qPrintable(message));
    });
    std::signal(SIGXFSZ, SIG_IGN);
    const std::string_view command = argv[1];
    if (command == "read")
        return runLinkCommand(argc, argv, runRead);
    if (command == "history")
        return finishOutput(runHistory(std::vector<std::string>(argv + 1, argv + argc)));
    if (isCsvCommand(QString::fromUtf8(command)))
        return finishOutput(runCsvCommand(commandArguments(argc, argv)));
    return std::nullopt;
}

QStringList commandArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << ui::fileNameText(argv[i]);
    return arguments;
}

} // namespace cli
