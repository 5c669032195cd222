#pragma once

#include "print/print_document.h"

#include <QFont>
#include <QString>
#include <QStringList>

// Whether the installed fonts can draw a printout: Qt draws a character
// its font lacks with another installed font that has it, and only a
// character no font has comes out as a box.
namespace print {

// The characters of `texts` (each once, in the order met) that neither
// `font` nor any installed font Qt falls back on can draw. Spaces and
// control characters draw nothing and are never named.
QString uncoveredCharacters(const QStringList& texts, const QFont& font);

// The same for every text of the document, page numbers too, in the font
// printouts are laid out in.
QString uncoveredCharacters(const PrintDocument& document);

// The characters as a message names them: themselves (the first 32 of a
// longer list, then "..."), and the code points of the first eight, which
// read the same without a font for them: "编程 (U+7F16 U+7A0B)".
QString charactersNamed(const QString& characters);

} // namespace print
