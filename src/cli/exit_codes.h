// The exit codes of tq305 read and write.
#pragma once

namespace cli {

enum Exit {
    ExitDone = 0,
    ExitRadio = 1, // the radio failed: nothing written, or not as sent
    ExitUsage = 2,
    ExitCannotOpen = 3, // the port, a data file or the backup could not be opened or kept
    ExitPartial = 4,    // a write stopped part-way: the radio holds a mix of old and new memory
    ExitInterrupted = 130,
};

} // namespace cli
