#include "cli/output_check.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace cli {

int finishOutput(int exitCode) {
    // A write that failed earlier left its reason in errno: the output stream
    // is the last thing a command finishes.
    int error = errno;
    if (std::fflush(stdout) != 0)
        error = errno;
    else if (!std::ferror(stdout))
        return exitCode;
    std::fprintf(stderr, "tq305: the output could not be written%s%s\n", error ? ": " : "",
                 error ? std::strerror(error) : "");
    return exitCode ? exitCode : 1;
}

bool outputWritten() {
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
}

} // namespace cli
