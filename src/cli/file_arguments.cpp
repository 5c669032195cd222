#include "cli/file_arguments.h"

#include "cli/link_failure_text.h"
#include "ui/file_names.h"

#include <QTextStream>

namespace cli {

std::optional<int> languageArgument(const QString& value) {
    if (value == "zh")
        return 0;
    if (value == "en")
        return 1;
    return std::nullopt;
}

std::optional<files::DatFile> loadForCommand(const QString& path) {
    const files::LoadResult loaded = files::loadDatFile(ui::fileNameBytes(path).toStdString());
    if (loaded.ok())
        return loaded.file;
    QTextStream(stderr) << "tq305: " << ui::printableFileName(path) << ": "
                        << QString::fromStdString(loadFailureReason(loaded)) << Qt::endl;
    return std::nullopt;
}

} // namespace cli
