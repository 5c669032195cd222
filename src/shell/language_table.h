#pragma once

#include <span>

// The window texts in both languages, as data. Each window keeps its rows
// in a file of its own; `languageTables()` lists them in the order the
// language is applied.
namespace shell {

enum class TextTarget {
    Caption,    // a window, menu, action, label, button or frame caption
    ToolTip,    // a tool bar button's tip
    ListEntry,  // entry `index` of a drop-down list
    HeaderCell, // column `index` of a table's header row
    Geometry,   // "left,top,width" in twips; the height is kept
};

struct LanguageRow {
    const char* window;  // objectName of the window
    const char* control; // objectName of the control; empty: the window itself
    TextTarget target;
    int index;
    const char* zh; // nullptr: this language leaves the target alone
    const char* en;
};

using LanguageTable = std::span<const LanguageRow>;

// The tables in the order ApplyLanguage works through them.
std::span<const LanguageTable> languageTables();

// Rows of the main window; further windows add theirs beside it.
extern const LanguageTable MainWindowTexts;
extern const LanguageTable ChannelTableTexts;     // Form1
extern const LanguageTable OptionalFeaturesTexts; // Form3
extern const LanguageTable PowerLevelsTexts;      // Form4

} // namespace shell
