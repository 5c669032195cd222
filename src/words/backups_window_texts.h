#pragma once

#include "words/language_table.h"

namespace shell {

// FrmBackups: its caption, folder line (index 0 with backups, 1 without),
// column titles, buttons and the port as a cell shows it; FrmRestorePort,
// which asks where a backup goes.
extern const ui::LanguageTable BackupsTexts;

} // namespace shell
