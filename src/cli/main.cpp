// tq305: the command-line companion of TQ-305 CloneDesk. Its commands and
// their options are listed in usage_table.cpp.
//
// read and write copy the radio's memory into a data file and back over the
// serial line; export and import exchange the channel table with other
// programming software as CSV. dump prints what the program shows for a data
// file, diff tells what differs between two files, setting by setting, and
// print writes the program's printout of a file as a PDF.
//
// This program links Qt Core and the serial port alone, so that help, read,
// export and import start as fast as any small Qt program. The commands
// that build the program's windows (dump, print, diff, write) run in
// tq305-windows (windows_main.cpp), which takes this process's place.
#include "cli/windowed_program.h"
#include "cli/windowless_commands.h"

int main(int argc, char* argv[]) {
    if (const std::optional<int> done = cli::runWithoutWindows(argc, argv))
        return *done;
    return cli::runWindowedProgram(argv);
}
