#pragma once

#include "print/print_document.h"
#include "words/job_report.h"

namespace print {

// A job's report as a printout: its title and lines, the table of radios
// (its header repeated on every page it runs over to), then the totals.
PrintDocument jobReportDocument(const ui::JobReport& report);

} // namespace print
