// The whole radio as a YAML file a person can read, keep in git, compare
// and edit: the band, the channels in use, the optional features and the
// VFO, the DTMF codes, the FM presets and settings, the power calibration,
// and the bytes no window shows as hex, so that nothing is lost. Keys are
// the catalogue's, values as the English windows show them.
#pragma once

#include "image/image_layout.h"
#include "settings/phrase.h"

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

// The format a file's first line names. A later format is read by every
// later program, and so is this one: a change that an earlier program could
// not read takes the next number.
inline constexpr int YamlFormatVersion = 1;

// `band`: the file's, when it names one (else the default band, as the
// program opens it). `program` names the program on the first line, with
// the format version (not the program's version, so that an upgrade does
// not change every radio's file).
YamlExport exportYaml(const image::MemoryImage& image, std::optional<int> band,
                      std::string_view program);

// Where and why a file was refused: 1-based line and column, the key, and
// what was wrong with the value and what is allowed.
// Column counts characters. A fault of the whole file (not YAML, no
// settings, a second document) names no key.
struct YamlError {
    int line = 0;
    int column = 0;
    std::string key;
    Phrase problem;
};

// "radio.yaml:12:19: channels[3].power: Mid is refused; allowed: one of Low, High",
// on one line, in `language` (0 Chinese, 1 English).
std::string errorLine(std::string_view file, const YamlError& error, int language = 1);

struct YamlImport {
    std::optional<RadioImage> radio;
    YamlError error; // when there is no radio
};

// Reads a file written by exportYaml, or edited since. Keys left out keep
// the values of `base` (its band when the file names none), else those of
// a new image of the file's band. A channel or FM preset given as null (~)
// is emptied, and so is every one under an empty map ("channels: {}"). A
// file that gives no setting at all is refused, and so is one with a
// second document. Nothing is taken from a file with any fault.
YamlImport importYaml(std::string_view text, const RadioImage* base = nullptr);

} // namespace settings
