#pragma once

#include <QString>

// The `parameter` file in the program's folder keeps the serial port choice.
namespace shell {

// Reads the byte at offset 0 (0..255); a missing file is created empty and,
// like an empty or unreadable one, gives 0.
int readComPortIndex(const QString& programFolder);

// Writes the index as a little-endian signed 16-bit number at offset 0,
// keeping any later bytes. Failures are not reported.
void writeComPortIndex(const QString& programFolder, int index);

} // namespace shell
