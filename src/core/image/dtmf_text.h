// The characters a DTMF code may hold: 0-9, A-D, * and #.
#pragma once

#include <optional>

namespace image {

constexpr bool isDtmfCharacter(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'D') || c == u'*' || c == u'#';
}

// A typed character as the DTMF boxes take it: lower-case letters become
// upper case, then anything that is not a DTMF character is refused.
constexpr std::optional<char16_t> dtmfKey(char16_t c) {
    if (c >= u'a' && c <= u'z')
        c = char16_t(c - u'a' + u'A');
    if (isDtmfCharacter(c))
        return c;
    return std::nullopt;
}

} // namespace image
