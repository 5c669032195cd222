#pragma once

#include "words/language_table.h"

namespace shell {

// Rows of the main window.
extern const ui::LanguageTable MainWindowTexts;

} // namespace shell
