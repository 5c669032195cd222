// tq305 read and tq305 write: the radio's memory to a data file and back,
// from the command line, without a display.
#pragma once

namespace cli {

// Runs the command in argv[1] ("read" or "write") under an application of
// its own: a read needs no window, a write opens its file into the
// program's windows, off screen, and sends what they encode. Returns the
// exit code (Exit): 0 done; 1 the radio failed; 2 a wrong command line; 3
// the port, the data file or a backup could not be opened or kept; 4 a
// write stopped part-way; 130 interrupted (Ctrl+C, SIGTERM, SIGHUP,
// SIGQUIT), the radio told to end the transfer. write_command.h tells the
// write's codes for several radios.
int runLinkCommand(int& argc, char** argv);

} // namespace cli
