// What tq305 keeps in the history for a radio it read or wrote.
#pragma once

#include "cli/link_options.h"
#include "records/history.h"

#include <optional>
#include <string>

namespace cli {

// A record of `action` on the radio at `where`, reached through `device`,
// with the data file (and its SHA-256) and the band.
records::Record radioRecord(records::Action action, const RadioPort& where,
                            const std::string& device, const std::string& file,
                            std::optional<int> band);

// The device as records name it: where the port's link leads.
std::string recordedDevice(const std::string& device);

// Keeps the record (given its token on the first time); a history that
// cannot take it is a note on standard error, a record kept nowhere a loud
// line and false.
bool keepRadioRecord(records::Record& record);

} // namespace cli
