// tq305 history [--json] [--since DATE] [--code CODE] [--file NAME]: the
// radios read, written, verified and restored, oldest first.
#pragma once

#include <string>
#include <vector>

namespace cli {

// Exit codes: 0 done (nothing recorded is no failure), 2 usage, 3 the
// history could not be opened. `arguments` begins with "history".
int runHistory(const std::vector<std::string>& arguments);

} // namespace cli
