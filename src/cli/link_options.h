// The command lines of `tq305 read` and `tq305 write`.
#pragma once

#include "link/link_engine.h"

#include <optional>
#include <string>
#include <vector>

namespace cli {

struct LinkOptions {
    radiolink::TransferKind kind = radiolink::TransferKind::Read;
    std::optional<int> port; // --port N, 1..16
    std::string device;      // --device PATH, when no port is given
    // The data file: the output of a read, the input of a write. Kept as the
    // bytes of the command line, so any name the system allows works.
    std::string file;
    bool forceBand = false;   // write: a band mismatch is written anyway
    bool calibration = false; // write: the calibration block goes too
};

// `arguments` begins with the command ("read" or "write"). None for a wrong
// command line; `error` then says what is wrong, in one line.
std::optional<LinkOptions> parseLinkOptions(const std::vector<std::string>& arguments,
                                            std::string& error);

// Whether the command is one of read and write.
bool isLinkCommand(const std::string& command);

} // namespace cli
