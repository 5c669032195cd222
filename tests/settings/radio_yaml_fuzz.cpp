// Reads whatever the input holds as a radio's YAML file and checks what
// must always hold:
// - a refused file names a line and a column that exist in it;
// - a file taken gives an image whose YAML form is taken again, with
//   nothing to report, and gives the same bytes and the same text again.
#include "settings/radio_yaml.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "radio YAML fuzz: %s\n", what);
        std::abort();
    }
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
        check(imported.error.line >= 0 && imported.error.line <= lines + 1,
              "a refusal names a line the file lacks");
        check(!imported.error.problem.empty(), "a refusal says nothing");
        return 0;
    }
    const settings::RadioImage& radio = *imported.radio;
    const settings::YamlExport exported = settings::exportYaml(radio.image, radio.band, "fuzz");
    check(exported.report.empty(), "a file taken exports with a report");
    const settings::YamlImport again = settings::importYaml(exported.text);
    check(again.radio.has_value(), "an export of a file taken is refused");
    check(again.radio->band == radio.band && sameImage(again.radio->image, radio.image),
          "an export of a file taken gives other bytes");
    check(settings::exportYaml(again.radio->image, again.radio->band, "fuzz").text ==
              exported.text,
          "an export read back exports another text");
    return 0;
}
