#pragma once

#include <QStringList>
#include <optional>

namespace cli {

// The command line of a command that shows data files: the command, then
// exactly `fileCount` files, --json and --lang zh|en, in any order.
struct ShowOptions {
    QStringList paths;
    bool json = false;
    int language = 1; // English unless --lang says otherwise
};

std::optional<ShowOptions> parseShowOptions(const QStringList& arguments, const QString& command,
                                            int fileCount);

} // namespace cli
