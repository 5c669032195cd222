// tq305 write: a data file to one radio or to several at once, each with a
// backup before and a verify after.
#pragma once

#include "cli/link_options.h"

namespace cli {

// Exit codes (see Exit): one radio: 0 verified (written with --no-verify),
// 1 nothing written or not as sent, 3 the port, the file or the backup
// could not be opened or kept, 4 partial, 130 interrupted before a block
// went out or after the last. Several radios: 0 only when every radio
// ended with 0; otherwise the first of 4, 130, 1 and 3 that one of them
// ended with.
int runWrite(int& argc, char** argv, const LinkOptions& options);

} // namespace cli
