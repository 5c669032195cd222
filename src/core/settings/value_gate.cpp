#include "settings/value_gate.h"

#include "image/decimal_text.h"
#include "image/dtmf_text.h"
#include "image/frequency_codes.h"

#include <algorithm>
#include <cstdio>

namespace settings {

namespace {

using image::Decimal;

// No setting takes a number near this; a larger one is refused before any
// arithmetic can overflow on it.
const Decimal Largest = Decimal::fromScaled(100000, 0);

// An echoed value is cut after this many characters.
constexpr std::size_t EchoLength = 40;

const Phrase Raster{"，位于 5 kHz 或 6.25 kHz 步进上", " on the 5 kHz or 6.25 kHz raster"};
const Phrase NoneOr{"空（无）或", "empty (none) or "};

ParsedValue refusal(Phrase allowed) {
    ParsedValue value;
    value.allowed = std::move(allowed);
    return value;
}

ParsedValue accepted(std::string text) {
    ParsedValue value;
    value.text = std::move(text);
    return value;
}

// The text as a number no setting's arithmetic overflows on.
std::optional<Decimal> number(std::string_view text) {
    const std::optional<Decimal> value = Decimal::parse(text);
    if (!value || *value > Largest || *value < Decimal::fromScaled(-100000, 0))
        return std::nullopt;
    return value;
}

Phrase such(const std::string& example) {
    return {"，例如 " + example, ", such as " + example};
}

// A frequency in range, as the windows show it, when it lies on the
// channel raster (10 Hz digits kept, nothing rounded away); else refused,
// naming the nearest frequency that does.
ParsedValue onRaster(const Decimal& value, const Phrase& allowed) {
    const std::string shown = value.format(image::FrequencyPattern);
    const std::optional<std::string> snapped = image::snapFrequencyText(shown);
    if (Decimal::parse(shown) != value || snapped != shown)
        return refusal(allowed + such(snapped.value_or(shown)));
    return accepted(shown);
}

// A frequency of at most five decimals within [low, high] (or [low, high)
// when the top is left out), on the channel raster.

ParsedValue frequency(std::string_view text, const image::BandLimits& band, bool highIncluded,
                      bool emptyAllowed) {
    const std::string low = std::to_string(band.BandLow) + " MHz";
    const std::string high = std::to_string(band.BandHigh) + " MHz";
    Phrase allowed = emptyAllowed ? NoneOr : Phrase{};
    allowed += highIncluded ? Phrase{low + " 到 " + high + " 的频率",
                                     "a frequency from " + low + " to " + high}
                            : Phrase{low + " 到 " + high + "（不含）的频率",
                                     "a frequency from " + low + " to below " + high};
    allowed += Raster;
    if (text.empty() && emptyAllowed)
        return accepted({});
    const auto value = number(text);
    if (!value || !image::isInBand(*value, band) ||
        (!highIncluded && *value == Decimal::fromScaled(band.BandHigh, 0)))
        return refusal(allowed);
    return onRaster(*value, allowed);
}

ParsedValue offset(std::string_view text) {
    const Phrase allowed =
        Phrase{"0 到 99.995 MHz 的异频", "an offset from 0 to 99.995 MHz"} + Raster;
    const auto value = number(text);
    if (!value || value->isNegative() || *value > Decimal::fromScaled(99995, 3))
        return refusal(allowed);
    return onRaster(*value, allowed);
}

ParsedValue fmFrequency(std::string_view text) {
    const Phrase allowed =
        NoneOr + Phrase{"70.00 到 107.95 MHz、步进 0.05 的收音机频率",
                        "an FM frequency from 70.00 to 107.95 MHz in steps of 0.05"};
    if (text.empty())
        return accepted({});
    const auto value = number(text);
    const auto twentieths =
        value ? value->times(20).scaled(0, image::Rounding::TowardZero) : std::nullopt;
    if (!value || !twentieths || Decimal::fromScaled(*twentieths * 5, 2) != *value ||
        *twentieths < 70 * 20)
        return refusal(allowed);
    const auto code = image::FmCode(text);
    const auto shown =
        code ? image::fmCodeToText(std::uint16_t((*code)[0] << 8 | (*code)[1])) : std::nullopt;
    if (!shown)
        return refusal(allowed);
    return accepted(*shown);
}

ParsedValue wholeNumber(std::string_view text, int minimum, int maximum, bool emptyAllowed) {
    if (text.empty() && emptyAllowed)
        return accepted({});
    const auto value = number(text);
    const auto whole = value ? value->scaled(0, image::Rounding::TowardZero) : std::nullopt;
    if (!whole || Decimal::fromScaled(*whole, 0) != *value || *whole < minimum ||
        *whole > maximum) {
        const std::string from = std::to_string(minimum), to = std::to_string(maximum);
        return refusal(
            (emptyAllowed ? NoneOr : Phrase{}) +
            Phrase{from + " 到 " + to + " 的整数", "a whole number from " + from + " to " + to});
    }
    ParsedValue parsed = accepted(std::to_string(*whole));
    parsed.number = int(*whole);
    return parsed;
}

ParsedValue dtmfCode(std::string_view text, int maximum) {
    const std::string most = std::to_string(maximum);
    const Phrase allowed{"最多 " + most + " 个字符，只能是 0-9、A-D、* 和 #",
                         "at most " + most + " of the characters 0-9, A-D, * and #"};
    if (text.size() > std::size_t(maximum))
        return refusal(allowed);
    std::string code;
    for (const char c : text) {
        const auto key = image::dtmfKey(char16_t(static_cast<unsigned char>(c)));
        if (!key)
            return refusal(allowed);
        code += char(*key);
    }
    return accepted(code);
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// An entry as given matches the list's: letters in either case, numbers by value.
bool sameEntry(std::string_view given, std::string_view entry) {
    if (std::ranges::equal(given, entry, [](char a, char b) { return lower(a) == lower(b); }))
        return true;
    const auto a = number(given), b = number(entry);
    return a && b && *a == *b;
}

std::string joined(const Setting& setting, int language) {
    std::string texts;
    for (int position = 0; position < entryCount(setting); ++position)
        texts += (position ? ", " : "") + entryText(setting, position, language);
    return texts;
}

ParsedValue listEntry(const Setting& setting, std::string_view text, int language) {
    for (int position = 0; position < entryCount(setting); ++position)
        if (sameEntry(text, entryText(setting, position, English)) ||
            (language != English && sameEntry(text, entryText(setting, position, language)))) {
            ParsedValue parsed = accepted(entryText(setting, position, English));
            parsed.number = position;
            return parsed;
        }
    // The Chinese words name the entries the door takes.
    if (setting.tones)
        return refusal({entryText(setting, 0, language) +
                            "、CTCSS 亚音（如 67.0 或 254.1）或 DCS 码（如 D023N 或 D754I）",
                        "Off, a CTCSS tone such as 67.0 or 254.1, or a DCS code such as D023N "
                        "or D754I"});
    return refusal(
        {"以下之一：" + joined(setting, language), "one of " + joined(setting, English)});
}

ParsedValue text(std::string_view given, int maximum) {
    if (maximum > 0 && given.size() > std::size_t(maximum)) {
        const std::string most = std::to_string(maximum);
        return refusal({"最多 " + most + " 个字符", "at most " + most + " characters"});
    }
    return accepted(std::string(given));
}

// The length of the UTF-8 sequence `text` starts with; 0 when it is none.
std::size_t sequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || length > text.size())
        return 0;
    for (std::size_t n = 1; n < length; ++n)
        if ((static_cast<unsigned char>(text[n]) & 0xC0) != 0x80)
            return 0;
    return length;
}

} // namespace

ParsedValue enterValue(const Setting& setting, std::string_view text, int band, int language) {
    const image::BandLimits limits = bandLimits(band);
    switch (setting.field) {
    case Field::ChannelRxFrequency:
        return frequency(text, limits, true, false);
    case Field::ChannelTxFrequency:
        return frequency(text, limits, true, true);
    case Field::FeatureText:
        if (std::string_view(setting.control) == "Text6")
            return wholeNumber(text, 0, 99, true);
        if (std::string_view(setting.control) == "Text20")
            return frequency(text, limits, false, false);
        return offset(text);
    case Field::DtmfPttId:
    case Field::DtmfOwnCode:
        return dtmfCode(text, setting.maximum);
    case Field::FmPreset:
    case Field::FmFullBand:
        return fmFrequency(text);
    default:
        break;
    }
    switch (setting.kind) {
    case Kind::List:
        return listEntry(setting, text, language);
    case Kind::Number:
        return wholeNumber(text, setting.minimum, setting.maximum, false);
    case Kind::Text:
    case Kind::Check:
        break;
    }
    return settings::text(text, setting.maximum);
}

Phrase refused(Phrase problem, const Phrase& allowed) {
    return problem + Phrase{"；可用：", "; allowed: "} + allowed;
}

Phrase refusalOf(std::string_view text, const ParsedValue& value) {
    const Phrase given = text.empty() ? Phrase{"空值", "an empty value"} : both(echoed(text));
    return refused(given + Phrase{" 不被接受", " is refused"}, value.allowed);
}

std::string echoed(std::string_view text) {
    std::string shown;
    std::size_t characters = 0;
    while (!text.empty()) {
        if (characters++ == EchoLength)
            return shown + "…";
        const std::size_t length = sequenceLength(text);
        const auto c = static_cast<unsigned char>(text[0]);
        if (length == 0 || c < 0x20 || c == 0x7F) {
            char escaped[8];
            if (c == '\n' || c == '\t' || c == '\r')
                std::snprintf(escaped, sizeof escaped, "\\%c",
                              c == '\n'   ? 'n'
                              : c == '\t' ? 't'
                                          : 'r');
            else
                std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            shown += escaped;
            text.remove_prefix(1);
            continue;
        }
        shown += text.substr(0, length);
        text.remove_prefix(length);
    }
    return shown;
}

} // namespace settings
