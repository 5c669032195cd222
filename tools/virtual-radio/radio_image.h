// The memory the virtual radio starts with.
#pragma once

#include "image/image_layout.h"

#include <optional>
#include <string>

namespace radio {

// The band of a radio whose image names none: "400-480MHz", the band the
// program starts with.
inline constexpr int DefaultBand = 3;

struct RadioImage {
    image::MemoryImage memory{};
    int band = DefaultBand;
};

// All 0xFF, as a radio with nothing programmed.
RadioImage blankRadioImage();

// A .dat file (band from its header when that names one of 0..7) or a raw
// image of exactly 2048 bytes. On failure, says why.
std::optional<RadioImage> loadRadioImage(const std::string& path, std::string& error);

} // namespace radio
