#pragma once

#include <span>

// The window texts in both languages, as data. Each window keeps its rows
// in a file of its own, beside the window.
namespace ui {

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

} // namespace ui
