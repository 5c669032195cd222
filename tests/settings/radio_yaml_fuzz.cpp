// Reads whatever the input holds as a radio's YAML file and checks what
// must always hold:
// - a refused file names a line and a column that exist in it, and the key
//   unless the fault is of the file as a whole, on one line in either
//   language;
// - a file taken gives an image whose YAML form is taken again, with
//   nothing to report, and gives the same bytes and the same text again.
#include "settings/radio_yaml.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "radio YAML fuzz: %s\n", what);
        std::abort();
    }
}

// The faults of a file as a whole, which no key names.
constexpr std::string_view FileFaults[] = {
    "not YAML",          "not a map",       "holds no settings",       "a second document",
    "nested too deeply", "a NUL character", "a key that is not a name"};

bool isFileFault(const std::string& problem) {
    return std::ranges::any_of(FileFaults,
                               [&](std::string_view fault) { return problem.starts_with(fault); });
}

bool isOneLine(const std::string& line) {
    return std::ranges::none_of(line, [](char c) { return c == '\n' || c == '\r' || c == '\0'; });
}

bool sameImage(const image::MemoryImage& a, const image::MemoryImage& b) {
    return std::equal(a.begin(), a.begin() + image::ImageSize, b.begin());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const settings::YamlImport imported = settings::importYaml(text);
    if (!imported.radio) {
        const long lines = std::count(text.begin(), text.end(), '\n') + 1;
        const settings::YamlError& error = imported.error;
        check(error.line >= 1 && error.line <= lines + 1, "a refusal names a line the file lacks");
        check(error.column >= 1, "a refusal names no column");
        check(!error.problem.en.empty() && !error.problem.zh.empty(), "a refusal says nothing");
        check(!error.key.empty() || isFileFault(error.problem.en), "a refusal names no key");
        for (int language : {0, 1})
            check(isOneLine(settings::errorLine("radio.yaml", error, language)),
                  "a refusal takes more than one line");
        return 0;
    }
    const settings::RadioImage& radio = *imported.radio;
    const settings::YamlExport exported = settings::exportYaml(radio.image, radio.band, "fuzz");
    check(exported.report.empty(), "a file taken exports with a report");
    const settings::YamlImport again = settings::importYaml(exported.text);
    check(again.radio.has_value(), "an export of a file taken is refused");
    check(again.radio->band == radio.band && sameImage(again.radio->image, radio.image),
          "an export of a file taken gives other bytes");
    check(settings::exportYaml(again.radio->image, again.radio->band, "fuzz").text == exported.text,
          "an export read back exports another text");
    return 0;
}
