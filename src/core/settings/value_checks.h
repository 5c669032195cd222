// A value as a hand-edited file gives it, checked against what the windows
// let a user enter: the band's limits, the channel raster, the lists'
// entries, the characters a box takes. A value that passes is in the form
// the windows keep ("438.5" becomes "438.50000").
#pragma once

#include "image/band_limits.h"
#include "settings/setting.h"
#include "settings/setting_values.h"

#include <string_view>

namespace settings {

// The language of the values a file gives: the English windows'.
inline constexpr int English = 1;

// English entries for lists; `allowed` says what the setting takes.
ParsedValue checkValueText(const Setting& setting, std::string_view text,
                           const image::BandLimits& band);

} // namespace settings
