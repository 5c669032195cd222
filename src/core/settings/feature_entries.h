#pragma once

#include "image/band_limits.h"

#include <string>
#include <string_view>

// The corrections the optional features window makes to its three entry
// boxes: the present channel (Text6), the VFO frequency (Text20) and the
// offset (Text21). Texts are read as the leading number they start with,
// as typed ("145.1.2" reads 145.1, an empty box reads 0).
namespace editors::features {

// Text6 as it is typed: a number above 99 reads "99"; otherwise unchanged.
std::string presentChannelTyped(std::string_view text);

// Text6 on leaving: the whole number without leading zeros, or empty when
// it is below 1 (no channel).
std::string presentChannelLeft(std::string_view text);

// Text20 on leaving: a frequency inside [BandLow, BandHigh) is put on the
// channel raster; anything else becomes the lower band limit.
std::string vfoFrequencyLeft(std::string_view text, const image::BandLimits& band);

// Text21 on leaving: at most 99.995 and not below 0, put on the raster.
std::string offsetLeft(std::string_view text);

// The present channel a started program shows, and the offset StartForm shows.
inline constexpr std::string_view InitialPresentChannelText = "1";
inline constexpr std::string_view DefaultOffsetText = "10.00000";

// The VFO frequency StartForm and the band selection show: the band centre.
std::string bandCentreText(const image::BandLimits& band);

} // namespace editors::features
