#include "exchange/text_encoding.h"

#include <cstdint>

namespace exchange {

namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

std::string fromUtf16(std::string_view bytes, bool bigEndian) {
    constexpr char32_t Replacement = 0xFFFD;
    auto unit = [&](std::size_t i) {
        const auto a = std::uint8_t(bytes[i]), b = std::uint8_t(bytes[i + 1]);
        return char32_t(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t c = unit(i);
        const bool high = c >= 0xD800 && c <= 0xDBFF, low = c >= 0xDC00 && c <= 0xDFFF;
        if (high && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00));
            i += 2;
        } else {
            appendUtf8(out, high || low ? Replacement : c);
        }
    }
    if (i < bytes.size())
        appendUtf8(out, Replacement);
    return out;
}

// The length of the UTF-8 character at `at` and its code; length 0 when the
// bytes there are not one.
std::pair<std::size_t, char32_t> utf8At(std::string_view text, std::size_t at) {
    const auto lead = std::uint8_t(text[at]);
    const std::size_t length = lead < 0x80             ? 1
                               : (lead & 0xE0) == 0xC0 ? 2
                               : (lead & 0xF0) == 0xE0 ? 3
                               : (lead & 0xF8) == 0xF0 ? 4
                                                       : 0;
    if (length == 0 || at + length > text.size())
        return {0, 0};
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = std::uint8_t(text[at + k]);
        if ((next & 0xC0) != 0x80)
            return {0, 0};
        c = (c << 6) | (next & 0x3F);
    }
    constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < Least[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return {0, 0}; // overlong, beyond Unicode or a surrogate
    return {length, c};
}

std::string hexEscape(char32_t value) {
    constexpr char Digits[] = "0123456789ABCDEF";
    std::string hex;
    do {
        hex.insert(hex.begin(), Digits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (hex.size() < 2)
        hex.insert(hex.begin(), '0');
    return "\\x" + hex;
}

// The marks and embeddings that turn the text around them: a name could
// show as another one.
bool isBidiControl(char32_t c) {
    return c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

} // namespace

std::string utf8Text(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return std::string(bytes.substr(3));
    if (bytes.starts_with("\xFF\xFE"))
        return fromUtf16(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF"))
        return fromUtf16(bytes.substr(2), true);
    return std::string(bytes);
}

std::string printableText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto [length, c] = utf8At(text, i);
        if (length == 0) {
            out += hexEscape(std::uint8_t(text[i]));
            ++i;
            continue;
        }
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 ||
                 isBidiControl(c))
            out += hexEscape(c);
        else
            out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

} // namespace exchange
