#pragma once

#include "shell/language_table.h"

class QWidget;

namespace shell {

// Rewrites every window text under `mainWindow` in the language of
// UILanguage (0 Chinese, 1 English; any other value writes nothing).
// A list entry is written by position: the selection stays, and writing
// the entry just past the end appends it. Targets that do not exist are
// skipped.
void ApplyLanguage(QWidget* mainWindow);

// Writes one table's texts in `language` under `root`, a window named in the
// table or a window holding it; a window captions itself with its Chinese
// design texts this way.
void applyLanguageTable(QWidget* root, LanguageTable table, int language);

} // namespace shell
