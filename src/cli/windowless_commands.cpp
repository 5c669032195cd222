#include "cli/windowless_commands.h"

#include "cli/csv_commands.h"
#include "cli/link_command.h"
#include "cli/output_check.h"
#include "ui/file_names.h"

#include <csignal>
#include <cstdio>
#include <string_view>

namespace cli {

void prepareCommandProcess() {
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            fprintf(stderr, "%s\n", qPrintable(message));
    });
    std::signal(SIGXFSZ, SIG_IGN);
}

QStringList commandArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << ui::fileNameText(argv[i]);
    return arguments;
}

std::optional<int> runWindowlessCommand(int& argc, char** argv) {
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "read")
        return runLinkCommand(argc, argv, runRead);
    if (isCsvCommand(QString::fromUtf8(command)))
        return finishOutput(runCsvCommand(commandArguments(argc, argv)));
    return std::nullopt;
}

} // namespace cli
