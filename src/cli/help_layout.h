// Lays help texts out for an 80-column terminal, in the one shape the
// manual pages and the shell completion are made from (cmake/help_pages.cmake
// reads it): paragraphs at the left margin, a heading as a line of its own
// ending with ':', and item lists with the term indented by two and its text
// in a column of its own.
#pragma once

#include <string>
#include <string_view>

namespace cli {

inline constexpr std::size_t HelpWidth = 79;

// The text wrapped to HelpWidth, every line indented by `indent`. Blank
// lines ("\n\n") stay paragraph breaks.
std::string wrappedText(std::string_view text, std::size_t indent = 0);

// One item of a list: the term at two spaces, its text from column 18, or
// on the next line when the term is too long for that.
std::string helpItem(std::string_view term, std::string_view text);

} // namespace cli
