// What differs between two memory images, told as the windows show it.
#pragma once

#include "image/image_layout.h"

#include <span>
#include <string>
#include <vector>

namespace settings {

// One setting that differs: where (the band, a channel, a window), what (a
// column title or a caption; empty for a whole channel), and the texts the
// window shows before and after.
struct Change {
    std::string place;
    std::string setting;
    std::string before;
    std::string after;

    friend bool operator==(const Change&, const Change&) = default;
};

// The names of the places, as the windows caption themselves in the
// language asked for: the windows' own texts, which their language tables
// hold.
struct PlaceNames {
    std::string band;         // the band list's label
    std::string functions;    // the optional features' function frame
    std::string vox;          // their VOX frame
    std::string vfo;          // their VFO frame
    std::string dtmf;         // the DTMF window
    std::string fm;           // the FM presets
    std::string powerLevels;  // the power levels window
    std::string presetColumn; // the FM presets' number column
};

inline constexpr image::ByteRange WholeImage{0, image::ImageSize - 1};

// The changes from `before` to `after` within the `compared` bytes, in
// `language` (0 Chinese, 1 English), in the order the windows stand: the
// band, the channels, the optional features, DTMF, the FM presets and the
// power levels. Bytes that differ where no window shows a difference (a
// spare byte, a bit written as a constant, the model text) end the list as
// runs of "other bytes", so an empty list means the compared bytes are equal.
std::vector<Change> imageDifference(const image::MemoryImage& before,
                                    const image::MemoryImage& after, int language,
                                    const PlaceNames& places,
                                    std::span<const image::ByteRange> compared = {&WholeImage, 1});

// One change as a line: "CH 5 / RXFre: 146.52000 → 146.55000".
std::string changeLine(const Change& change);

} // namespace settings
