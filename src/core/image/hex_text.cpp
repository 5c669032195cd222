#include "image/hex_text.h"

namespace image {

namespace {
constexpr char Digits[] = "0123456789ABCDEF";

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}
} // namespace

std::string hexByte(std::uint8_t value) {
    return {Digits[value >> 4], Digits[value & 0x0F]};
}

std::string hexDigits(std::uint8_t value) {
    return value < 0x10 ? std::string(1, Digits[value]) : hexByte(value);
}

std::optional<std::uint8_t> parseHexByte(std::string_view text) {
    if (text.empty() || text.size() > 2)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        const int v = hexValue(c);
        if (v < 0)
            return std::nullopt;
        value = value * 16 + v;
    }
    return static_cast<std::uint8_t>(value);
}

} // namespace image
