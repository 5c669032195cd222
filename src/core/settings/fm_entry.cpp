#include "settings/fm_entry.h"

#include "image/decimal_text.h"
#include "image/frequency_codes.h"

namespace editors {

namespace {

using image::Decimal;

const Decimal FmLowest = Decimal::fromScaled(70, 0);
const Decimal FmHighestPreset = Decimal::fromScaled(10795, 2);
const Decimal FmFullBandLimit = Decimal::fromScaled(108, 0);

template <typename InRange> FmEntry check(std::string_view typed, InRange inRange) {
    if (typed.empty())
        return {FmEntry::Empty, {}};
    const auto value = Decimal::parse(typed);
    if (!value)
        return {FmEntry::NotANumber, {}};
    if (!inRange(*value))
        return {FmEntry::OutOfRange, {}};
    return {FmEntry::Accepted, image::FormatFmFrequency(typed)};
}

} // namespace

FmEntry checkFmPreset(std::string_view typed) {
    return check(typed, [](const Decimal& f) { return f >= FmLowest && f <= FmHighestPreset; });
}

FmEntry checkFmFullBand(std::string_view typed) {
    return check(typed, [](const Decimal& f) { return f >= FmLowest && f < FmFullBandLimit; });
}

} // namespace editors
