#pragma once

#include "words/language_table.h"

namespace ui {

// The report of a job for its customer: its title, the lines above the
// table, the table's column titles and the totals.
extern const ui::LanguageTable JobReportTexts;

} // namespace ui
