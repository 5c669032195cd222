// tq305 write --auto: each chosen port is watched with a probe at a calm
// pace, and every radio put on its cable gets the safe write (backup,
// write, verify) with its own values, once: the port then waits until that
// radio is taken off. It ends at q (or the end of the input) once the
// radios in progress are done, and at a signal as a transfer does.
#pragma once

#include "cli/link_options.h"
#include "cli/radio_write.h"

namespace cli {

// The exit code is the worst that one radio ended with (refused and failed
// radios give 1), 130 after a signal, 2 when a value ran out.
int writeAsPutOn(const LinkOptions& options, const WriteJob& job);

} // namespace cli
