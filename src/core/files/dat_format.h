// The .dat image file: a 48-byte header with the product name and the band
// code, then the 2048-byte memory image.
#pragma once

#include "image/image_layout.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace files {

inline constexpr std::size_t DatHeaderSize = 48;
inline constexpr std::size_t DatFileSize = DatHeaderSize + image::ImageSize; // 2096
inline constexpr std::size_t DatBandOffset = 7;

using DatHeader = std::array<std::uint8_t, DatHeaderSize>;

// "TQ-305", 0xFF, the band, 0xFF 0xFF, "V0100", then 0xFF.
DatHeader makeDatHeader(std::uint8_t band);

// Whether the first eight bytes, written as hexadecimal text, contain the
// product name "TQ-305" (54512D333035) anywhere. Fewer than eight bytes never do.
bool hasProductName(std::span<const std::uint8_t> header);

// The band of header byte 7: its two hexadecimal digits read as a decimal
// number (their leading decimal digits, none giving 0); 0..7 is a band,
// anything else none. 0x03 gives 3, 0xFF gives 0, 0x10 gives none.
std::optional<int> bandFromHeader(std::uint8_t byte7);

} // namespace files
