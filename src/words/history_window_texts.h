#pragma once

#include "words/language_table.h"

namespace shell {

// FrmHistory: its caption, filter, column titles and buttons.
extern const ui::LanguageTable HistoryTexts;

} // namespace shell
