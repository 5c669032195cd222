// The print module's entry, the one symbol it exports.
#include "cli/print_module.h"

#include "cli/print_command.h"

#include <type_traits>

extern "C" Q_DECL_EXPORT int tq305_run_print(int& argc, char** argv, const QStringList& arguments) {
    // The entry's type and name are declared once, for loader and module.
    static_assert(std::is_same_v<decltype(&tq305_run_print), cli::PrintModuleEntry>);
    const auto app = cli::printApplication(argc, argv);
    return arguments.value(0) == "history" ? cli::runJobReportPdf(arguments)
                                           : cli::runPrint(arguments);
}
