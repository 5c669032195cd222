// tq305 read and tq305 write: the radio's memory to a data file and back,
// from the command line, without a display or a window. A write sends what
// the program would encode for its file (write_command.h).
#pragma once

#include "cli/link_options.h"

namespace cli {

// A transfer as a command runs it once its command line is read; returns
// the exit code (Exit).
using LinkTransfer = int (*)(int& argc, char** argv, const LinkOptions& options);

// Reads the command line of argv[1] ("read" or "write"): a wrong one gets
// the usage (exit 2); otherwise `transfer` runs it, under an application of
// its own. Exit codes (Exit): 0 done; 1 the radio failed; 2 a wrong command
// line; 3 the port, the data file or a backup could not be opened or kept;
// 4 a write stopped part-way; 130 interrupted (Ctrl+C, SIGTERM, SIGHUP,
// SIGQUIT), the radio told to end the transfer. write_command.h tells the
// write's codes for several radios.
int runLinkCommand(int& argc, char** argv, LinkTransfer transfer);

// tq305 read: the radio into a data file, with no window at all.
int runRead(int& argc, char** argv, const LinkOptions& options);

} // namespace cli
