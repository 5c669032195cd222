#pragma once

#include "words/language_table.h"

#include <QString>

// The language rows of a window's settings, made from the settings
// catalogue: the caption beside each setting (a label, a check box, a table
// column) and its list's entries. The window's other texts stay in its own
// language table.
namespace editors {

ui::LanguageTable settingTexts(const char* window);

// A setting's caption in the Chinese the windows are built with.
QString designCaption(const char* window, const char* control);

} // namespace editors
