#include "image/frequency_codes.h"

#include "image/hex_text.h"
#include "image/text_slices.h"

#include <cstdlib>

namespace image {

namespace {

std::string withoutPoints(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c != '.')
            out.push_back(c);
    }
    return out;
}

} // namespace

std::optional<std::uint8_t> FreqTextToBcd(std::string_view text, int part) {
    const std::string digits = withoutPoints(text);
    switch (part) {
    case 1:
        return parseHexByte(slice::left(text, 2));
    case 2:
        return parseHexByte(slice::mid(digits, 3, 2));
    case 3:
        return parseHexByte(slice::mid(digits, 5, 2));
    case 4:
        return parseHexByte(slice::right(text, 2));
    default:
        return std::uint8_t{0};
    }
}

std::string freqTextFromBcd(std::span<const std::uint8_t, 4> bytes) {
    const std::string digits =
        hexByte(bytes[3]) + hexByte(bytes[2]) + hexByte(bytes[1]) + hexByte(bytes[0]);
    return digits.substr(0, 3) + "." + digits.substr(3);
}

std::optional<Decimal> SnapFrequency(std::string_view text) {
    const auto value = Decimal::parse(text);
    if (!value)
        return std::nullopt;
    // Whole units of 10 Hz; the last four digits are the part below 100 kHz.
    const auto units = value->scaled(5, Rounding::HalfAwayFromZero);
    if (!units)
        return std::nullopt;
    const std::int64_t magnitude = std::llabs(*units);
    const std::int64_t r = magnitude % 10000;
    const std::int64_t a = r % 500; // above the 5 kHz raster
    const std::int64_t b = r % 625; // above the 6.25 kHz raster
    if (a == 0 || b == 0)
        return Decimal::fromScaled(*units, 5);
    const std::int64_t snapped = magnitude - (a < b ? a : b);
    return Decimal::fromScaled(*units < 0 ? -snapped : snapped, 5);
}

std::optional<std::string> snapFrequencyText(std::string_view text) {
    const auto value = SnapFrequency(text);
    if (!value)
        return std::nullopt;
    return value->format(FrequencyPattern);
}

bool isInBand(const Decimal& mhz, const BandLimits& band) {
    return mhz >= Decimal::fromScaled(band.BandLow, 0) &&
           mhz <= Decimal::fromScaled(band.BandHigh, 0);
}

std::optional<std::array<std::uint8_t, 2>> FmCode(std::string_view text) {
    if (text.empty())
        return std::array<std::uint8_t, 2>{0xFF, 0xFF};
    const auto value = Decimal::parse(text);
    if (!value)
        return std::nullopt;
    const auto steps = value->times(20).scaled(0, Rounding::HalfEven);
    if (!steps)
        return std::nullopt;
    const std::int64_t code = *steps - 70 * 20;
    if (code < 0 || code >= FmCodeEmpty)
        return std::nullopt;
    return std::array<std::uint8_t, 2>{std::uint8_t(code >> 8), std::uint8_t(code & 0xFF)};
}

std::optional<std::string> fmCodeToText(std::uint16_t code) {
    if (code > FmCodeEditorMax)
        return std::nullopt;
    // One step is 5 hundredths of a MHz.
    return Decimal::fromScaled(7000 + std::int64_t(code) * 5, 2).format("0.00");
}

std::string FormatFmFrequency(std::string_view text) {
    const auto point = text.find('.');
    if (point == std::string_view::npos)
        return std::string(text) + ".00";
    const std::size_t decimals = text.size() - point - 1;
    if (decimals == 0)
        return std::string(text) + "00";
    if (decimals == 1)
        return std::string(text) + "0";
    const char second = text[point + 2];
    return std::string(text.substr(0, point + 2)) + (second >= '5' ? "5" : "0");
}

} // namespace image
