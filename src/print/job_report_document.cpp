#include "print/job_report_document.h"

namespace print {

PrintDocument jobReportDocument(const ui::JobReport& report) {
    PrintDocument document;
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

} // namespace print
