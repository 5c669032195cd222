#include "cli/windowed_program.h"

#include "cli/exit_codes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace cli {

namespace {

int cannotStart(const char* command, const std::string& why) {
    std::fprintf(stderr, "tq305: %s needs %s\n", command, why.c_str());
    return ExitCannotOpen;
}

} // namespace

int runWindowedProgram(char** argv) {
    namespace fs = std::filesystem;
    std::error_code error;
    // This program's own file, whatever link or path it was called through.
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return cannotStart(
            argv[1], std::string(TQ_WINDOWS_PROGRAM) +
                         ", which cannot be found without /proc/self/exe: " + error.message());
    // Beside this program (the build tree), then in the installation's
    // private folder.
    const fs::path beside = self.parent_path();
    const fs::path installed = (beside / TQ_WINDOWS_PROGRAM_FOLDER).lexically_normal();
    for (const fs::path& folder : {beside, installed}) {
        const std::string program = folder / TQ_WINDOWS_PROGRAM;
        ::execv(program.c_str(), argv);
        // Only a program that is not there sends us on to the next place.
        if (errno != ENOENT && errno != ENOTDIR)
            return cannotStart(argv[1],
                               program + ", which could not be started: " + std::strerror(errno));
    }
    return cannotStart(argv[1], std::string(TQ_WINDOWS_PROGRAM) + ", which is neither in " +
                                    beside.string() + " nor in " + installed.string());
}

} // namespace cli
