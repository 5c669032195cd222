#pragma once

#include "words/language_table.h"

namespace shell {

// FrmWriteChanges: its caption, count line (index 0 with the number, 1 for
// none), column titles and buttons.
extern const ui::LanguageTable WriteChangesTexts;

} // namespace shell
