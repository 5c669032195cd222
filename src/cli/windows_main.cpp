// tq305-windows: the commands of tq305 that build the program's windows,
// without a display. dump reads the windows the file was opened into, so
// the output is exactly what the program would show; diff tells what
// differs between two files as the windows name it; print writes the
// program's printout; write sends what the windows encode. tq305 hands
// these commands over by replacing itself with this program, with the same
// command line.
#include "cli/diff_command.h"
#include "cli/dump_command.h"
#include "cli/file_windows.h"
#include "cli/link_command.h"
#include "cli/output_check.h"
#include "cli/print_command.h"
#include "cli/window_messages.h"
#include "cli/windowless_commands.h"
#include "cli/write_command.h"

#include <string_view>

namespace {

int run(const QStringList& arguments) {
    if (arguments.value(0) == "print")
        return cli::runPrint(arguments);
    if (arguments.value(0) == "diff")
        return cli::runDiff(arguments);
    return cli::run(arguments);
}

} // namespace

int main(int argc, char* argv[]) {
    if (const std::optional<int> done = cli::runWithoutWindows(argc, argv))
        return *done;
    // write opens its file into the windows only to encode it.
    if (std::string_view(argv[1]) == "write")
        return cli::runLinkCommand(argc, argv, cli::runWrite);
    const auto app = cli::windowApplication(argc, argv);
    return cli::exitAfterWindowMessages(cli::finishOutput(run(cli::commandArguments(argc, argv))));
}
