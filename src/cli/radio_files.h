// Data files of either kind the commands take: a .dat, or the YAML form of
// a radio (.yaml, .yml).
#pragma once

#include "files/dat_file.h"
#include "settings/radio_yaml.h"

#include <QString>
#include <optional>
#include <string>

namespace cli {

bool isYamlName(const QString& name);

struct LoadedRadioFile {
    std::optional<files::DatFile> file;
    int failureCode = 0; // 1 a refused YAML file or a file of another kind, 3 unreadable
};

// A YAML file as `tq305 import` makes it into a data file (keys it leaves
// out taken from `base`, else from a new image of its band); on failure
// says why in one line on the standard error.
LoadedRadioFile loadYamlFile(const std::string& path, const settings::RadioImage* base);

// A data file, or a YAML file by its name's extension.
LoadedRadioFile loadRadioFile(const std::string& path);

// The values no window can write back, for a command to say before it
// writes the file: "channels[99].rx_tone: 6F.F is a tone code in no tone
// list; written as Off".
std::vector<std::string> writeNotes(const files::DatFile& file);

} // namespace cli
