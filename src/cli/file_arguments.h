#pragma once

#include "files/dat_file.h"

#include <QString>
#include <optional>

namespace cli {

// The value of --lang: "zh" 0, "en" 1.
std::optional<int> languageArgument(const QString& value);

// Reads a data file or a radio's YAML file; on failure says why on the
// standard error ("tq305: FILE: reason") and gives nothing.
std::optional<files::DatFile> loadForCommand(const QString& path);

} // namespace cli
