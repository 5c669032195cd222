#pragma once

#include "ui/language_table.h"

namespace shell {

// FrmBackups: its caption, folder line (index 0 with backups, 1 without),
// column titles and buttons.
extern const ui::LanguageTable BackupsTexts;

} // namespace shell
