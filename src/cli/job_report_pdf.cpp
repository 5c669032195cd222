// The job's report as a printout: the print module draws it.
#include "cli/exit_codes.h"
#include "cli/history_command.h"
#include "cli/print_command.h"
#include "cli/usage.h"
#include "print/print_document.h"
#include "words/file_names.h"

#include <QTextStream>
#include <string>
#include <vector>

namespace cli {

namespace {

print::PrintDocument reportDocument(const JobReport& report) {
    print::PrintDocument document;
    document.setTitle(report.title);
    document.heading(report.title);
    for (const QString& line : report.lines)
        document.textLine(line);
    document.lineBreak();
    document.grid({QString(), report.header, report.rows});
    document.lineBreak();
    document.setBold(true);
    for (const auto& [label, count] : report.totals)
        document.textLine(label + ": " + QString::number(count));
    return document;
}

} // namespace

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
    const std::optional<JobReport> report = loadJobReport(*options, exitCode);
    if (!report)
        return exitCode;
    return writePrintout(reportDocument(*report),
                         ui::fileNameText(QByteArray::fromStdString(options->output)));
}

} // namespace cli
