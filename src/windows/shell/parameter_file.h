#pragma once

#include <QString>

// The `parameter` file keeps the serial port choice, in the program's folder
// or, where that cannot be written, in the per-user data folder.
namespace shell {

// The file's path in `folder`.
QString parameterPath(const QString& folder);

// Reads the byte at offset 0 (0..255); a missing file is created empty and,
// like an empty or unreadable one, gives 0.
int readComPortIndex(const QString& folder);

// Writes the index as a little-endian signed 16-bit number at offset 0,
// keeping any later bytes. Failures are not reported.
void writeComPortIndex(const QString& folder, int index);

} // namespace shell
