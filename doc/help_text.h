// A program's --help text read back into its parts. The texts keep to one
// layout (src/cli/help_layout.h): usage lines first, then paragraphs at the
// left margin, headings that end with ':', and items whose term stands two
// spaces in with its text two or more spaces after it or on the lines below.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace helppages {

struct HelpItem {
    std::string term; // "-o OUT.csv", "-v, --verbose"
    std::string text; // its lines joined with single spaces
};

struct HelpBlock {
    enum Kind { Paragraph, Heading, Items };
    Kind kind = Paragraph;
    std::string text;            // Paragraph and Heading (without its ':')
    std::vector<HelpItem> items; // Items
};

struct HelpText {
    std::vector<std::string> usage; // the synopses, without "usage: "
    std::vector<HelpBlock> blocks;
};

HelpText parseHelp(std::string_view text);

// The items that follow the heading `heading`, or none.
std::vector<HelpItem> itemsUnder(const HelpText& help, std::string_view heading);

// A term's names with their values: "-v, --verbose" gives "-v" and
// "--verbose", "--lang zh|en" gives "--lang" with the value "zh|en".
struct TermName {
    std::string name;
    std::string value;
};
std::vector<TermName> termNames(std::string_view term);

} // namespace helppages
