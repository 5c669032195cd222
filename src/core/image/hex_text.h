// Bytes as upper-case hexadecimal text and back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace image {

// Two digits, with a leading zero: 0x0A gives "0A".
std::string hexByte(std::uint8_t value);

// Without a leading zero: 0x0A gives "A", 0x54 gives "54".
std::string hexDigits(std::uint8_t value);

// One or two hexadecimal digits (either case) as a byte; nullopt for anything else.
std::optional<std::uint8_t> parseHexByte(std::string_view text);

} // namespace image
