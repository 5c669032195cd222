#pragma once

#include "words/language_table.h"

namespace print {

// The preview's commands in both languages; its caption is the same in both.
extern const ui::LanguageTable PrintPreviewTexts;

} // namespace print
