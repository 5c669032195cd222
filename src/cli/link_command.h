// tq305 read and tq305 write: the radio's memory to a data file and back,
// from the command line, without a display.
#pragma once

namespace cli {

// Runs the command in argv[1] ("read" or "write") under an application of
// its own: a read needs no window, a write opens its file into the
// program's windows, off screen, and sends what they encode. Returns the
// exit code: 0 done; 1 the radio failed; 2 a wrong command line; 3 the
// port or the data file could not be opened; 130 interrupted (Ctrl+C,
// SIGTERM, SIGHUP, SIGQUIT), the radio told to end the transfer.
int runLinkCommand(int& argc, char** argv);

} // namespace cli
