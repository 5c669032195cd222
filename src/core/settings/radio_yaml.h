// The whole radio as a YAML file a person can read, keep in git, compare
// and edit: the band, the channels in use, the optional features and the
// VFO, the DTMF codes, the FM presets and settings, the power calibration,
// and the bytes no window shows as hex, so that nothing is lost. Keys are
// the catalogue's, values as the English windows show them.
#pragma once

#include "image/image_layout.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// A radio's YAML file is some tens of kilobytes; a larger one is something
// else and is not read.
inline constexpr std::size_t YamlSizeLimit = 1024 * 1024;

// An image with the band of its file.
struct RadioImage {
    image::MemoryImage image{};
    int band = 0;
};

struct YamlExport {
    std::string text;
    // One line per value the file cannot carry as the image holds it, by key
    // ("channels[99].rx_tone: 6F.F is a tone code in no tone list; written as Off").
    std::vector<std::string> report;
};

// `band`: the file's, when it names one (else the default band, as the
// program opens it). `heading` names the program and its version.
YamlExport exportYaml(const image::MemoryImage& image, std::optional<int> band,
                      std::string_view heading);

// Where and why a file was refused: 1-based line and column, the key, and
// what was wrong with the value and what is allowed.
struct YamlError {
    int line = 0;
    int column = 0;
    std::string key;
    std::string problem;
};

// "radio.yaml:12:19: channels[3].power: Mid is refused; allowed: one of Low, High"
std::string errorLine(std::string_view file, const YamlError& error);

struct YamlImport {
    std::optional<RadioImage> radio;
    YamlError error; // when there is no radio
};

// Reads a file written by exportYaml, or edited since. Keys left out keep
// the values of `base` (its band when the file names none), else those of
// a new image of the file's band. A channel or FM preset given as null (~)
// is emptied. Nothing is taken from a file with any fault.
YamlImport importYaml(std::string_view text, const RadioImage* base = nullptr);

} // namespace settings
