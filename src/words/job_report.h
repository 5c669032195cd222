// The report of a job for its customer: one row per radio written in it
// (its values, date, port, result and backup) and the totals, in the
// language asked for; as CSV, or as a printout (print/job_report_document.h),
// from tq305 and from the History window alike.
#pragma once

#include "records/history.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

namespace ui {

struct JobReport {
    QString title;
    QStringList lines; // the job, the image, when the report was made
    QStringList header;
    QList<QStringList> rows;
    QList<std::pair<QString, int>> totals; // radios, programmed, failed, not finished
};

// `radios`: the records of the job's radios, oldest first.
JobReport jobReport(const records::Job& job, const std::vector<records::Record>& radios,
                    int language, std::time_t made);

// The table and, after a blank line, the totals, each a line of its own.
std::string jobReportCsv(const JobReport& report);

} // namespace ui
