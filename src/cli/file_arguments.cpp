#include "cli/file_arguments.h"

#include "cli/radio_files.h"
#include "words/file_names.h"

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
    return loadRadioFile(ui::fileNameBytes(path).toStdString()).file;
}

} // namespace cli
