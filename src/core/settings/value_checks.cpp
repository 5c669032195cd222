#include "settings/value_checks.h"

#include "image/decimal_text.h"
#include "image/dtmf_text.h"
#include "image/frequency_codes.h"

#include <string>

namespace settings {

namespace {

using image::Decimal;

constexpr std::string_view Raster = "on the 5 kHz or 6.25 kHz raster";

ParsedValue refused(std::string allowed) {
    ParsedValue refusal;
    refusal.allowed = std::move(allowed);
    return refusal;
}

ParsedValue accepted(std::string text) {
    ParsedValue value;
    value.text = std::move(text);
    return value;
}

std::string mhz(int whole) {
    return std::to_string(whole) + " MHz";
}

// A frequency of at most five decimals within [low, high] (or [low, high)
// when the top is left out), on the channel raster.
ParsedValue frequency(std::string_view text, const image::BandLimits& band, bool highIncluded,
                      bool emptyAllowed) {
    const std::string none = emptyAllowed ? "empty (none) or " : "";
    const std::string range = "a frequency from " + mhz(band.BandLow) + " to " +
                              (highIncluded ? "" : "below ") + mhz(band.BandHigh) + " " +
                              std::string(Raster);
    if (text.empty() && emptyAllowed)
        return accepted({});
    const auto value = Decimal::parse(text);
    const Decimal high = Decimal::fromScaled(band.BandHigh, 0);
    if (!value || !image::isInBand(*value, band) || (!highIncluded && *value == high))
        return refused(none + range);
    const std::string shown = value->format(image::FrequencyPattern);
    const std::optional<std::string> snapped = image::snapFrequencyText(shown);
    if (Decimal::parse(shown) != value || snapped != shown)
        return refused(none + range + ", such as " + snapped.value_or(shown));
    return accepted(shown);
}

ParsedValue offset(std::string_view text) {
    const std::string allowed = "an offset from 0 to 99.995 MHz " + std::string(Raster);
    const auto value = Decimal::parse(text);
    if (!value || value->isNegative() || *value > Decimal::fromScaled(99995, 3))
        return refused(allowed);
    const std::string shown = value->format(image::FrequencyPattern);
    const std::optional<std::string> snapped = image::snapFrequencyText(shown);
    if (Decimal::parse(shown) != value || snapped != shown)
        return refused(allowed + ", such as " + snapped.value_or(shown));
    return accepted(shown);
}

ParsedValue fmFrequency(std::string_view text) {
    const std::string allowed =
        "empty (none) or an FM frequency from 70.00 to 107.95 MHz in steps of 0.05";
    if (text.empty())
        return accepted({});
    const auto value = Decimal::parse(text);
    const auto twentieths =
        value ? value->times(20).scaled(0, image::Rounding::TowardZero) : std::nullopt;
    if (!value || !twentieths || Decimal::fromScaled(*twentieths * 5, 2) != *value ||
        *twentieths < 70 * 20)
        return refused(allowed);
    const auto code = image::FmCode(text);
    const auto shown =
        code ? image::fmCodeToText(std::uint16_t((*code)[0] << 8 | (*code)[1])) : std::nullopt;
    if (!shown)
        return refused(allowed);
    return accepted(*shown);
}

ParsedValue presentChannel(std::string_view text) {
    if (text.empty())
        return accepted({});
    const auto value = Decimal::parse(text);
    const auto whole = value ? value->scaled(0, image::Rounding::TowardZero) : std::nullopt;
    if (!whole || Decimal::fromScaled(*whole, 0) != *value || *whole < 0 || *whole > 99)
        return refused("empty (none) or a whole number from 0 to 99");
    return accepted(std::to_string(*whole));
}

ParsedValue dtmfCode(std::string_view text, int maximum) {
    const std::string allowed =
        "at most " + std::to_string(maximum) + " of the characters 0-9, A-D, * and #";
    if (text.size() > std::size_t(maximum))
        return refused(allowed);
    std::string code;
    for (const char c : text) {
        const auto key = image::dtmfKey(char16_t(static_cast<unsigned char>(c)));
        if (!key)
            return refused(allowed);
        code += char(*key);
    }
    return accepted(code);
}

ParsedValue listEntry(const Setting& setting, std::string_view text) {
    ParsedValue value = parseValueText(setting, text, English);
    if (!value.ok() && setting.tones)
        value.allowed =
            "Off, a CTCSS tone such as 67.0 or 254.1, or a DCS code such as D023N or D754I";
    return value;
}

} // namespace

ParsedValue checkValueText(const Setting& setting, std::string_view text,
                           const image::BandLimits& band) {
    switch (setting.field) {
    case Field::ChannelRxFrequency:
        return frequency(text, band, true, false);
    case Field::ChannelTxFrequency:
        return frequency(text, band, true, true);
    case Field::FeatureText:
        if (std::string_view(setting.control) == "Text6")
            return presentChannel(text);
        if (std::string_view(setting.control) == "Text20")
            return frequency(text, band, false, false);
        return offset(text);
    case Field::DtmfPttId:
    case Field::DtmfOwnCode:
        return dtmfCode(text, setting.maximum);
    case Field::FmPreset:
    case Field::FmFullBand:
        return fmFrequency(text);
    default:
        return setting.kind == Kind::List ? listEntry(setting, text)
                                          : parseValueText(setting, text, English);
    }
}

} // namespace settings
