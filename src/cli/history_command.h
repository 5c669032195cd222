// tq305 history [--json] [--since DATE] [--code CODE] [--file NAME]
// [--job NAME [--format csv|pdf -o FILE [--lang zh|en]]]: the radios read,
// written, verified and restored, oldest first, or a job's report.
#pragma once

#include "records/history.h"
#include "words/job_report.h"

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace cli {

struct HistoryOptions {
    bool json = false;
    records::Filter filter;
    std::optional<std::time_t> deleteBefore;
    // The report of the job filter.job: "csv" or "pdf", into `output`.
    std::string format;
    std::string output;
    int language = 1;
};

// `arguments` begins with "history". None for a wrong command line, `error`
// saying what is wrong.
std::optional<HistoryOptions> parseHistoryOptions(const std::vector<std::string>& arguments,
                                                  std::string& error);

// Whether the command line asks for a job's report as a PDF, which the
// print module writes.
bool wantsPdfReport(const std::vector<std::string>& arguments);

// The report of the job the options name; the exit code when it cannot be
// made (said on standard error).
std::optional<ui::JobReport> loadJobReport(const HistoryOptions& options, int& exitCode);

// Exit codes: 0 done (nothing recorded is no failure), 2 usage or a job the
// history lacks, 3 the history could not be opened or the report could not
// be written. `arguments` begins with "history".
int runHistory(const std::vector<std::string>& arguments);

} // namespace cli
