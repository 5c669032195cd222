// The characters a DTMF code may hold: the sixteen keys of a DTMF keypad.
// The DTMF boxes accept only these, and a DTMF text read from an image ends
// at the first byte that is not one of them.
#pragma once

#include <string_view>

namespace image {

inline constexpr std::string_view DtmfCharacters = "0123456789ABCD*#";

constexpr bool isDtmfCharacter(char32_t c) {
    return c < 0x80 && DtmfCharacters.find(static_cast<char>(c)) != std::string_view::npos;
}

} // namespace image
