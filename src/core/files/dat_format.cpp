#include "files/dat_format.h"

#include "image/decimal_text.h"
#include "image/hex_text.h"

#include <algorithm>
#include <string>

namespace files {

DatHeader makeDatHeader(std::uint8_t band) {
    DatHeader header;
    header.fill(0xFF);
    constexpr std::string_view product = "TQ-305";
    constexpr std::string_view version = "V0100";
    std::copy(product.begin(), product.end(), header.begin());
    header[DatBandOffset] = band;
    std::copy(version.begin(), version.end(), header.begin() + 10);
    return header;
}

bool hasProductName(std::span<const std::uint8_t> header) {
    if (header.size() < 8)
        return false;
    std::string text;
    for (std::uint8_t b : header.first(8))
        text += image::hexByte(b);
    return text.find("54512D333035") != std::string::npos;
}

std::optional<int> bandFromHeader(std::uint8_t byte7) {
    const auto number = image::Decimal::leadingNumber(image::hexByte(byte7));
    const auto value = number.scaled(0, image::Rounding::TowardZero);
    if (!value || *value < 0 || *value > 7)
        return std::nullopt;
    return int(*value);
}

} // namespace files
