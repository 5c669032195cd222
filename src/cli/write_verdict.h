// What `tq305 write` says about one radio once its safe write has ended:
// the lines, the exit code and the few words of the batch table.
#pragma once

#include "cli/exit_codes.h"
#include "link/safe_write_result.h"

#include <optional>
#include <string>
#include <vector>

namespace cli {

struct WriteContext {
    std::string port;       // as portName gives it
    std::string portOption; // "--port 3" or "--device PATH", to write again
    std::string file;       // shown
    std::optional<int> fileBand;
    bool calibration = false;
    bool backupTaken = false;  // asked for (not --no-backup)
    std::string backupPath;    // as the system's bytes; empty when none was kept
    std::string backupFailure; // why the backup could not be kept
};

struct WriteVerdict {
    std::vector<std::string> lines; // each said as a line of its own
    int exitCode = ExitDone;
    std::string summary; // "verified", "PARTIAL at block 0x310", ...
};

WriteVerdict writeVerdict(const radiolink::SafeWriteResult& result, const WriteContext& context);

// A word of the shell as one can paste it: quoted when it has to be, and
// bytes a terminal would act on or that are not UTF-8 written as $'\xHH'.
std::string shellWord(const std::string& word);

} // namespace cli
