// The command lines of `tq305 read` and `tq305 write`.
#pragma once

#include "link/link_engine.h"
#include "settings/value_pattern.h"

#include <optional>
#include <string>
#include <vector>

namespace cli {

// Where a radio is: --port N or --device PATH.
struct RadioPort {
    std::optional<int> number; // 1..16
    std::string device;        // when no number is given
    friend bool operator==(const RadioPort&, const RadioPort&) = default;
};

struct LinkOptions {
    radiolink::TransferKind kind = radiolink::TransferKind::Read;
    // One for a read; a write programs every radio given, all at once.
    std::vector<RadioPort> ports;
    // The data file: the output of a read, the input of a write. Kept as the
    // bytes of the command line, so any name the system allows works.
    std::string file;
    bool forceBand = false;   // write: a band mismatch is written anyway
    bool calibration = false; // write: the calibration block goes too
    bool backup = true;       // write: read the radio into the backup folder first
    bool verify = true;       // write: read the radio again and compare
    // write: values of each radio's own (--set KEY=VALUE, counters with +),
    // the counters' start (--start N), and set after set (--repeat).
    std::vector<settings::ValuePattern> values;
    std::optional<std::uint64_t> start;
    bool repeat = false;
    // write: a counted value the history says another radio got is given
    // all the same (--again), as when a radio is written over.
    bool again = false;
    // write: each radio as it is put on the cable, until q (--auto).
    bool autoWrite = false;
    // write: the job whose values the radios take (--job NAME), and one
    // kept with another image or other patterns taken as given now
    // (--change-job).
    std::string job;
    bool changeJob = false;
    // write: settings each radio keeps as its backup read them (--keep KEY).
    std::vector<std::string> keep;
};

// `arguments` begins with the command ("read" or "write"). None for a wrong
// command line; `error` then says what is wrong, in one line.
std::optional<LinkOptions> parseLinkOptions(const std::vector<std::string>& arguments,
                                            std::string& error);

// Whether the command is one of read and write.
bool isLinkCommand(const std::string& command);

} // namespace cli
