// The steps of `tq305 write` for one radio, taken by a write of the radios
// given and by --auto, which writes each radio as it is put on the cable.
#pragma once

#include "cli/link_options.h"
#include "cli/radio_write.h"
#include "cli/write_verdict.h"
#include "settings/value_pattern.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cli {

// The values of the `index`-th radio (from 0) on `where`; none when the
// radio could not hold one of them, `refusal` then naming it.
std::optional<std::vector<settings::AssignedValue>> radioValues(const LinkOptions& options,
                                                                std::uint64_t index,
                                                                const RadioPort& where,
                                                                std::string& refusal);
// The radio is written the job's image with those values in it.
void giveValues(RadioWrite& radio, const WriteJob& job,
                const std::vector<settings::AssignedValue>& values);

struct Ended {
    WriteVerdict verdict;
    std::optional<int> radioBand;
};

// What is said of a radio whose write has ended, and its band.
Ended verdictOf(const RadioWrite& radio, const LinkOptions& options, std::optional<int> fileBand);
// Keeps a radio that was reached in the history.
void keepInHistory(const RadioWrite& radio, const Ended& ended, const LinkOptions& options);

// Several radios: the worst exit code that one of them ended with.
int worstExit(const std::vector<int>& codes);

} // namespace cli
