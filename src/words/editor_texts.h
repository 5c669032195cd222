#pragma once

#include "words/language_table.h"

// The language rows of the editor windows, each kept beside its window.
namespace editors {

extern const ui::LanguageTable ChannelTableTexts;     // Form1
extern const ui::LanguageTable OptionalFeaturesTexts; // Form3
extern const ui::LanguageTable PowerLevelsTexts;      // Form4
// FrmImportPreview and FrmImportReport, made when they are shown.
extern const ui::LanguageTable ImportReportTexts;

} // namespace editors
