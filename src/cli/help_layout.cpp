#include "cli/help_layout.h"

namespace cli {

namespace {

constexpr std::size_t TermIndent = 2;
constexpr std::size_t TextColumn = 18;

// One paragraph's words, filled into lines of at most HelpWidth columns.
void fillParagraph(std::string& out, std::string_view paragraph, std::size_t indent) {
    std::size_t column = 0;
    std::size_t at = 0;
    while (at < paragraph.size()) {
        const std::size_t start = paragraph.find_first_not_of(" \n", at);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(paragraph.find_first_of(" \n", start), paragraph.size());
        const std::string_view word = paragraph.substr(start, end - start);
        if (column > indent && column + 1 + word.size() > HelpWidth) {
            out += '\n';
            column = 0;
        }
        if (column == 0) {
            out.append(indent, ' ');
            column = indent;
        } else {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        at = end;
    }
    if (column > 0)
        out += '\n';
}

} // namespace

std::string wrappedText(std::string_view text, std::size_t indent) {
    std::string out;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t end = std::min(text.find("\n\n", at), text.size());
        if (!out.empty())
            out += '\n';
        fillParagraph(out, text.substr(at, end - at), indent);
        at = end + 2;
    }
    return out;
}

std::string helpItem(std::string_view term, std::string_view text) {
    std::string out(TermIndent, ' ');
    out += term;
    std::string body = wrappedText(text, TextColumn);
    if (out.size() + 2 <= TextColumn)
        body.replace(0, out.size(), out);
    else
        body.insert(0, out + '\n');
    return body;
}

} // namespace cli
