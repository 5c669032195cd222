// The commands that show what the program's windows show (dump, print,
// diff, write) live in a program of their own, tq305-windows, which loads
// the window libraries tq305 does without. It lies beside tq305 in the
// build tree, and in a private folder once installed.
#pragma once

namespace cli {

// Replaces this process with tq305-windows, given the same arguments
// (argv[0] too, so that its messages name the program as it was called).
// Returns only when that program could not be started, after one line
// saying why: exit code 3.
int runWindowedProgram(char** argv);

} // namespace cli
