// The text of a file as spreadsheets save it, as UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace exchange {

// UTF-16 with a byte order mark (either byte order) becomes UTF-8, a UTF-8
// byte order mark is dropped; other bytes stay as they are. A lone surrogate
// or an odd last byte becomes U+FFFD.
std::string utf8Text(std::string_view bytes);

// The text with what a terminal or a report line would act on shown as
// escapes instead: LF, CR and tab as \n, \r and \t, other control characters,
// line and paragraph separators and the bidirectional controls as \xNN
// (their code), and bytes that are not UTF-8 as \xNN (the byte).
std::string printableText(std::string_view text);

} // namespace exchange
