// The channel table's list positions that the CSV columns map onto.
#pragma once

#include "image/decimal_text.h"

#include <cstdint>

namespace exchange {

// ChannelRow::listIndex members, and their positions.
inline constexpr int RxToneIndex = 0, TxToneIndex = 1, PowerIndex = 2, LockIndex = 3, ScanIndex = 4,
                     WidthIndex = 5;
inline constexpr int PowerLow = 0, PowerHigh = 1;
inline constexpr int LockOn = 0, LockOff = 1;
inline constexpr int ScanOff = 0, ScanOn = 1;
inline constexpr int Narrow = 0, Wide = 1;

// Frequencies in the CSV carry six decimals; the offset is worked out in
// units of 10^-FrequencyDecimals MHz.
inline constexpr int FrequencyDecimals = 6;

inline std::int64_t frequencyUnits(const image::Decimal& mhz) {
    return mhz.scaled(FrequencyDecimals, image::Rounding::HalfEven).value_or(0);
}

} // namespace exchange
