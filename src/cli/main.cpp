// tq305: the command-line companion of TQ-305 CloneDesk. Its commands and
// their options are listed in usage_table.cpp.
//
// read and write copy the radio's memory into a data file and back over the
// serial line; export and import exchange the channel table with other
// programming software as CSV. dump prints what the program shows for a data
// file, diff tells what differs between two files, setting by setting, and
// print writes the program's printout of a file as a PDF.
//
// No command builds a window: they compute from the core's values and the
// settings catalogue. This program links Qt Core and the serial port; print
// loads its module (print_module.h) with Qt GUI's painter, never a window
// library.
#include "cli/windowless_commands.h"

int main(int argc, char* argv[]) {
    return cli::runCommand(argc, argv);
}
