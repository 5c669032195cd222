// File names between the system's bytes and the program's texts.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

namespace ui {

// A file name as text that gives the same bytes back: valid UTF-8 reads as
// usual, and each byte that is not valid UTF-8 is kept as the code unit
// U+DC80..U+DCFF (as Python's "surrogateescape" does). Qt's own decoding puts
// U+FFFD in place of such bytes, after which the file cannot be found again.
QString fileNameText(const QByteArray& name);

// The bytes of a file name: the inverse of fileNameText, and plain UTF-8 for
// a name typed or chosen in a dialog.
QByteArray fileNameBytes(const QString& name);

// The file name on one line for a message: kept bytes as \xFF, line breaks
// and other control characters as \n, \t, \x1B and the like.
QString printableFileName(const QString& name);

// Bytes from the command line or the system (a name, a value given) on one
// line for a message, escaped as printableFileName escapes them.
std::string printableBytes(std::string_view bytes);

} // namespace ui
