// The exit codes of tq305's commands, one table for all (the help's "Exit
// status").
#pragma once

namespace cli {

enum Exit {
    ExitDone = 0,
    ExitRadio = 1,  // the radio failed: nothing written, or not as sent
    ExitNoFont = 1, // print: no installed font draws every character of the printout
    ExitUsage = 2,
    ExitCannotOpen = 3, // the port, a file (a missing one too) or the backup: not opened or kept
    ExitPartial = 4,    // a write stopped part-way: the radio holds a mix of old and new memory
    ExitInterrupted = 130,
};

} // namespace cli
