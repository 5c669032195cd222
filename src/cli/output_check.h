#pragma once

namespace cli {

// Flushes the standard output and turns a failed write (a full disk, a file
// size limit) into one line on the standard error and exit code 1, so that
// nothing written in vain passes for success. Returns the exit code to use.
int finishOutput(int exitCode);

// Whether everything written to the standard output so far reached it.
bool outputWritten();

} // namespace cli
