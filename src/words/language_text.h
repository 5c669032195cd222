#pragma once

#include "words/language_table.h"

#include <QString>

// Looking texts up in the language tables, for what shows a window's texts
// without the window: the texts stay defined once, in the tables.
namespace ui {

// The text a table gives `target` in `language` (0 Chinese, 1 English);
// empty when the table has no such row or leaves that language alone.
QString languageText(LanguageTable table, const char* window, const char* control,
                     TextTarget target, int index, int language);

// A caption as a title: no access-key marks, no trailing colon.
QString plainCaption(QString text);

} // namespace ui
