// Sub-audible tones: the table of tone texts, their positions and the
// two-byte codes that the image stores.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace image {

inline constexpr int ToneCount = 260;
inline constexpr int CtcssFirst = 1, CtcssLast = 50;
inline constexpr int DcsNormalFirst = 51, DcsNormalLast = 155;
inline constexpr int DcsInvertedFirst = 156, DcsInvertedLast = 260;

// ToneTable: position p (1..260) is element p - 1. Every tone list holds the
// off entry at position 0 followed by these texts, so a tone position is
// also a list position.
using ToneTable = std::array<std::string, ToneCount>;

// The table is fixed data built once; every call returns the same table.
const ToneTable& FillToneTable();

// The text of position 1..260; empty for 0 and anything outside the table.
std::string_view toneText(int position);

// Position 1..260 of a tone text, 0 when the table has no such text.
int FindTone(std::string_view text);

// Four hexadecimal digits: the low byte's two digits, then the high byte's two.
// "D023N" gives "2380", "67.0" gives "7006".
std::string ToneTextToCode(std::string_view text);

// The tone text of a code; codes that name no tone give texts that FindTone
// does not find ("6F.F" for low 0xFF, high 0x06; "00.0" for 0x00 0x00).
std::string ToneCodeToText(std::uint8_t low, std::uint8_t high);

// The two bytes of a tone text's code as the image stores them. A byte whose
// two digits are not hexadecimal has no value (the encoder leaves it alone).
struct ToneBytes {
    std::optional<std::uint8_t> low;
    std::optional<std::uint8_t> high;
};
ToneBytes toneBytes(std::string_view text);

} // namespace image
