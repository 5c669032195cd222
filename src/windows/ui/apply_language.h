#pragma once

#include "words/language_table.h"

class QWidget;

namespace ui {

// Writes one table's texts in `language` (0 Chinese, 1 English; any other
// value writes nothing) under `root`, a window named in the table or a window
// holding it; a window captions itself with its Chinese design texts this
// way. A list entry is written by position: the selection stays, and writing
// the entry just past the end appends it. Targets that do not exist are
// skipped.
void applyLanguageTable(QWidget* root, LanguageTable table, int language);

} // namespace ui
