#include "settings/feature_entries.h"

#include "image/decimal_text.h"
#include "image/frequency_codes.h"

#include <cstdint>

namespace editors::features {

namespace {

using image::Decimal;

const Decimal MaxPresentChannel = Decimal::fromScaled(99, 0);
const Decimal MaxOffset = Decimal::fromScaled(99995, 3);

std::string snapped(const Decimal& value) {
    const std::string text = value.format(image::FrequencyPattern);
    return image::snapFrequencyText(text).value_or(text);
}

} // namespace

std::string presentChannelTyped(std::string_view text) {
    if (Decimal::leadingNumber(text) > MaxPresentChannel)
        return "99";
    return std::string(text);
}

std::string presentChannelLeft(std::string_view text) {
    const auto whole = Decimal::leadingNumber(text).scaled(0, image::Rounding::TowardZero);
    if (!whole || *whole < 1)
        return {};
    return std::to_string(*whole);
}

std::string vfoFrequencyLeft(std::string_view text, const image::BandLimits& band) {
    const Decimal value = Decimal::leadingNumber(text);
    const Decimal low = Decimal::fromScaled(band.BandLow, 0);
    if (low <= value && value < Decimal::fromScaled(band.BandHigh, 0))
        return snapped(value);
    return low.format(image::FrequencyPattern);
}

std::string offsetLeft(std::string_view text) {
    Decimal value = Decimal::leadingNumber(text);
    if (value > MaxOffset)
        value = MaxOffset;
    // A pasted minus sign would give an offset the image cannot hold.
    if (value.isNegative())
        value = Decimal();
    return snapped(value);
}

std::string bandCentreText(const image::BandLimits& band) {
    // (low + high) / 2 exactly: tenths of a MHz.
    const auto sum = static_cast<std::int16_t>(band.BandLow + band.BandHigh);
    return Decimal::fromScaled(std::int64_t(sum) * 5, 1).format(image::FrequencyPattern);
}

} // namespace editors::features
