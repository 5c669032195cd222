// The messages of windows the command line builds: nobody could answer a
// box, so each message is one line on the standard error, and a command
// that met one does not end in success.
#pragma once

namespace cli {

// From here on, every message of the program's windows goes to the
// standard error as "tq305: TEXT" (its lines joined), answered as Escape
// would answer it.
void sendWindowMessagesToStandardError();

// Whether a window had something to say since the sink was installed.
bool windowsSpoke();

// `exitCode`, or 1 when it says success but a window had something to say.
int exitAfterWindowMessages(int exitCode);

} // namespace cli
