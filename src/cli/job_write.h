// tq305 write --job NAME: the radios take their values from a job kept in
// the history, each value once, whichever program asks and however many
// runs the order takes.
#pragma once

#include "cli/link_options.h"
#include "records/history.h"
#include "settings/value_pattern.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace cli {

// Before any radio: the job is made when it is new, and refused (the exit
// code) when it was begun with another image or other values, unless
// --change-job, or when the history cannot keep it.
int prepareJob(const LinkOptions& options);

struct JobRadio {
    std::vector<settings::AssignedValue> values;
    records::Record started; // kept already
};

// The radios on `ports` take their places in the job in one transaction,
// each kept as started with its values, checked for the file's `band`.
// None when they cannot: `refusal` says why, `exitCode` is 2 for a value a
// radio cannot have, 3 for a history that cannot hand them out.
std::optional<std::vector<JobRadio>> takeJobRadios(const LinkOptions& options,
                                                   std::optional<int> band,
                                                   std::span<const RadioPort> ports,
                                                   std::string& refusal, int& exitCode);

} // namespace cli
