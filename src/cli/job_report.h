// The report of a job for its customer: one row per radio written in it
// (its values, date, port, result and backup) and the totals, in the
// language asked for; as CSV from tq305, as a PDF from the print module.
#pragma once

#include "records/history.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <ctime>
#include <utility>
#include <vector>

namespace cli {

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

} // namespace cli
