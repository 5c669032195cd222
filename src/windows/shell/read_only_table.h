#pragma once

#include "words/language_table.h"

#include <QDialogButtonBox>
#include <functional>

class QPushButton;
class QTableView;
class QTableWidget;

namespace shell {

// A table the user reads and picks rows in, nothing else: whole rows are
// picked, one at a time, Tab leaves it for the buttons, and the last column
// takes the room left.
void makeReadOnlyList(QTableView& table);

// Sizes a read-only table's columns and rows to their texts, header titles
// included. The header's own measure can fall short of a title in a font
// that stands in for missing glyphs (Chinese in a bold header), which would
// cut the last title short. Rows are of one line: each is as tall as the
// tallest of the first, so that a long list is not measured row by row.
void fitTableToTexts(QTableView& table);

// The width the columns of a fitted table take, for the table's minimum. The
// header's length will not do: the stretched last column measures the room
// it was given, not its texts, and once shown it never narrows below the
// header's default size, so a window sized by the header's length scrolls.
int fittedWidth(const QTableView& table);

// The table's column titles from the window's language table, the table's
// object name naming its header cells.
void setHeaderTitles(QTableWidget& table, const ui::LanguageTable& texts, const char* window,
                     int language);

// A button of the window's row of buttons, named for its language table.
QPushButton* addButton(QDialogButtonBox& buttons, const char* name,
                       QDialogButtonBox::ButtonRole role, const QString& caption = {});

// The Delete key on the list alone: in a text box beside it the key
// deletes a character.
void onDeleteKey(QTableView& table, std::function<void()> action);

} // namespace shell
