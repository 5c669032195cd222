#include "link/receive_text.h"

#include "image/hex_text.h"

namespace radiolink::receive_text {

namespace {
constexpr std::size_t DigitsPerByte = 2;

std::string hexText(std::span<const std::uint8_t> bytes) {
    std::string text;
    append(text, bytes);
    return text;
}

const std::string AcknowledgeText = image::hexByte(protocol::Acknowledge);
const std::string ProductText = hexText(protocol::ProductName);              // 54512D333035
const std::string BlockCommandText = image::hexByte(protocol::BlockCommand); // 57

// RxHex holds nothing but hexadecimal digits, so a digit pair always reads.
std::uint8_t byteAt(std::string_view rxHex, std::size_t position) {
    return image::parseHexByte(rxHex.substr(position, DigitsPerByte)).value_or(0);
}
} // namespace

void append(std::string& rxHex, std::span<const std::uint8_t> bytes) {
    for (std::uint8_t b : bytes)
        rxHex += image::hexByte(b);
}

bool holdsAcknowledge(std::string_view rxHex) {
    for (std::size_t i = 0; i + DigitsPerByte <= rxHex.size(); i += DigitsPerByte)
        if (rxHex.substr(i, DigitsPerByte) == AcknowledgeText)
            return true;
    return false;
}

bool isAcknowledge(std::string_view rxHex) {
    return rxHex == AcknowledgeText;
}

bool isRefusal(std::string_view rxHex) {
    static const std::string refusal = image::hexByte(protocol::Refusal);
    if (rxHex.empty())
        return false;
    for (std::size_t i = 0; i < rxHex.size(); i += DigitsPerByte)
        if (rxHex.substr(i, DigitsPerByte) != refusal)
            return false;
    return true;
}

bool startsWithAcknowledge(std::string_view rxHex) {
    return rxHex.starts_with(AcknowledgeText);
}

void dropLeadingAcknowledges(std::string& rxHex) {
    std::size_t end = 0;
    while (rxHex.compare(end, DigitsPerByte, AcknowledgeText) == 0)
        end += DigitsPerByte;
    rxHex.erase(0, end);
}

bool isIdent(std::string_view rxHex) {
    return rxHex.size() == protocol::IdentSize * DigitsPerByte && rxHex.starts_with(ProductText);
}

bool namesOtherProduct(std::string_view rxHex) {
    return rxHex.size() == protocol::IdentSize * DigitsPerByte && !rxHex.starts_with(ProductText);
}

std::string productName(std::string_view ident) {
    std::string name;
    for (std::size_t n = 0; n < protocol::ProductName.size(); ++n)
        name += char(byteAt(ident, n * DigitsPerByte));
    return name;
}

int identBand(std::string_view ident) {
    return byteAt(ident, protocol::IdentBandByte * DigitsPerByte) & 0x0F;
}

bool isBlock(std::string_view rxHex) {
    return rxHex.size() == protocol::BlockFrameSize * DigitsPerByte &&
           rxHex.starts_with(BlockCommandText);
}

std::uint16_t blockAddress(std::string_view block) {
    return std::uint16_t(byteAt(block, 1 * DigitsPerByte) << 8 | byteAt(block, 2 * DigitsPerByte));
}

std::uint8_t blockByte(std::string_view block, std::size_t n) {
    return byteAt(block, (protocol::BlockHeaderSize + n) * DigitsPerByte);
}

} // namespace radiolink::receive_text
