// The job's report as a printout: the print module draws it.
#include "cli/exit_codes.h"
#include "cli/history_command.h"
#include "cli/print_command.h"
#include "cli/usage.h"
#include "print/job_report_document.h"
#include "words/file_names.h"

#include <QTextStream>
#include <string>
#include <vector>

namespace cli {

int runJobReportPdf(const QStringList& arguments) {
    std::vector<std::string> bytes;
    for (const QString& argument : arguments)
        bytes.push_back(ui::fileNameBytes(argument).toStdString());
    std::string error;
    const std::optional<HistoryOptions> options = parseHistoryOptions(bytes, error);
    if (!options) {
        QTextStream(stderr) << error.c_str() << "\n"
                            << usageLines({"history"}).c_str() << Qt::flush;
        return ExitUsage;
    }
    int exitCode = ExitDone;
    const std::optional<ui::JobReport> report = loadJobReport(*options, exitCode);
    if (!report)
        return exitCode;
    return writePrintout(print::jobReportDocument(*report),
                         ui::fileNameText(QByteArray::fromStdString(options->output)));
}

} // namespace cli
