// Radio frequencies as 8-digit BCD, the channel raster, and FM broadcast codes.
#pragma once

#include "image/band_limits.h"
#include "image/decimal_text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace image {

// The byte of a frequency text for part 1..4: part 1 holds digits 1-2 (the
// byte at the highest address), part 4 digits 7-8 (the lowest address). The
// text needs three integer digits ("000.00000"); with or without its point it
// gives the same bytes. The two characters are read as hexadecimal, so the
// decimal digits become the nibbles. nullopt when they are not hexadecimal
// digits; 0 for a part number outside 1..4.
std::optional<std::uint8_t> FreqTextToBcd(std::string_view text, int part);

// The frequency text "XXX.XXXXX" of four code bytes given in address order
// (bytes[0] is the lowest address and holds digits 7-8). Nibbles that are not
// decimal show as their hexadecimal letters: all 0xFF gives "FFF.FFFFF".
std::string freqTextFromBcd(std::span<const std::uint8_t, 4> bytes);

// Moves a frequency (MHz) down onto the nearer of the 5 kHz and 6.25 kHz
// rasters, as an exact value. The text is taken to five decimals first, as
// the editors show it. nullopt when the text is not a number.
std::optional<Decimal> SnapFrequency(std::string_view text);

// SnapFrequency formatted with "0.00000", the form the editors store.
std::optional<std::string> snapFrequencyText(std::string_view text);

// Whether a frequency lies within whole-MHz band limits, both included. The
// value is taken as given, before any rounding: 174.00001 is outside 136-174.
bool isInBand(const Decimal& mhz, const BandLimits& band);

// FM broadcast frequencies: code = (MHz - 70) * 20, one step per 50 kHz.
inline constexpr std::uint16_t FmCodeEditorMax = 0x02F7; // 107.95 MHz, the editors' limit
inline constexpr std::uint16_t FmCodeEmpty = 0xFFFF;

// The two bytes of an FM text in address order (high byte first). An empty
// text gives 0xFF 0xFF. A text that is not a number, or whose code falls
// outside 0..0xFFFE (below 70 MHz or from 3346.75 MHz on, where it would
// collide with the empty marker or need more than 16 bits), gives nullopt and
// the encoder leaves the bytes as they were. A code between two steps is
// rounded to the nearest step, ties to even.
std::optional<std::array<std::uint8_t, 2>> FmCode(std::string_view text);

// The FM text of a code as the editors show it ("88.05"), or nullopt for the
// empty marker and any code above the editors' limit of 107.95 MHz.
std::optional<std::string> fmCodeToText(std::uint16_t code);

// Normalises an FM text to two decimals, the second 0 or 5, moving the value
// down onto the 50 kHz raster: "88" gives "88.00", "88.17" gives "88.15".
// The digits before the point stay as typed.
std::string FormatFmFrequency(std::string_view text);

} // namespace image
