#include "cli/show_options.h"

#include "cli/file_arguments.h"

namespace cli {

std::optional<ShowOptions> parseShowOptions(const QStringList& arguments, const QString& command,
                                            int fileCount) {
    if (arguments.value(0) != command)
        return std::nullopt;
    ShowOptions options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == "--json")
            options.json = true;
        else if (a == "--lang" && languageArgument(arguments.value(i + 1)))
            options.language = *languageArgument(arguments[++i]);
        else if (!a.startsWith("--") && options.paths.size() < fileCount)
            options.paths << a;
        else
            return std::nullopt;
    }
    if (options.paths.size() != fileCount)
        return std::nullopt;
    return options;
}

} // namespace cli
