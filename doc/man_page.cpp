#include "man_page.h"

#include <algorithm>
#include <span>

namespace helppages {

namespace {

std::string upper(std::string text) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

// Text as roff reads it: a backslash is printed, not obeyed, and a line
// never starts as a request.
std::string escaped(std::string_view text, bool minus = false) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-' && minus)
            out += "\\-";
        else
            out += c;
    }
    if (out.starts_with('.') || out.starts_with('\''))
        out.insert(0, "\\&");
    return out;
}

bool separator(char c) {
    return c == ' ' || c == '[' || c == ']' || c == '(' || c == ')' || c == '|' || c == ',';
}

// A synopsis or a term: options and the program's words in bold, what the
// reader fills in (FILE.dat, N, zh|en) in italics.
std::string marked(std::string_view text, std::size_t boldWords) {
    std::string out;
    std::size_t words = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        if (separator(text[at])) {
            out += text[at++];
            continue;
        }
        std::size_t end = at;
        while (end < text.size() && !separator(text[end]))
            ++end;
        const std::string_view word = text.substr(at, end - at);
        const std::size_t index = words++;
        const bool bold = word.starts_with('-') ||
                          (index < boldWords && std::islower(static_cast<unsigned char>(word[0])));
        out += (bold ? "\\fB" : "\\fI") + escaped(word, true) + "\\fR";
        at = end;
    }
    return out;
}

using Blocks = std::span<const HelpBlock>;

void writeBlocks(std::string& out, Blocks blocks, bool sections) {
    for (const HelpBlock& block : blocks) {
        switch (block.kind) {
        case HelpBlock::Paragraph:
            out += ".PP\n" + escaped(block.text) + '\n';
            break;
        case HelpBlock::Heading:
            out += sections ? ".SH " + upper(block.text) + '\n'
                            : ".PP\n\\fI" + escaped(block.text) + ":\\fR\n";
            break;
        case HelpBlock::Items:
            for (const HelpItem& item : block.items)
                out += ".TP\n" + marked(item.term, 1) + '\n' + escaped(item.text) + '\n';
            break;
        }
    }
}

// The synopses, each a paragraph of its own whose lines hang under the
// program's name, the command after it in bold.
void writeUsage(std::string& out, const std::vector<std::string>& usage, bool commands) {
    for (const std::string& line : usage) {
        const std::size_t space = std::min(line.find(' '), line.size());
        const std::string_view rest =
            std::string_view(line).substr(std::min(space + 1, line.size()));
        out += ".SY " + escaped(line.substr(0, space), true) + '\n' +
               marked(rest, commands ? 1 : 0) + "\n.YS\n";
    }
}

// Where the sections that close a manual page begin, which follow the
// commands' own sections.
std::size_t closingStart(const std::vector<HelpBlock>& blocks) {
    for (std::size_t i = 0; i < blocks.size(); ++i)
        if (blocks[i].kind == HelpBlock::Heading && blocks[i].text == "Exit status")
            return i;
    return blocks.size();
}

} // namespace

std::string manPageText(const ManPage& page) {
    std::string out = ".TH " + upper(page.program) + " 1 \"" + page.date + "\" \"" + page.source +
                      "\" \"User Commands\"\n"
                      ".\\\" Made from the program's --help; not to be edited.\n"
                      // Words stay whole, so what the page says can be found as the help says it.
                      ".nr HY 0\n.nh\n.ad l\n"
                      ".SH NAME\n" +
                      escaped(page.program, true) + " \\- " + escaped(page.summary) +
                      "\n.SH SYNOPSIS\n";
    writeUsage(out, page.help.usage, !page.commands.empty());
    out += ".SH DESCRIPTION\n";
    const Blocks blocks = page.help.blocks;
    const std::size_t closing = closingStart(page.help.blocks);
    writeBlocks(out, blocks.first(closing), true);
    for (const auto& [name, help] : page.commands) {
        out += ".SH " + upper(page.program + ' ' + name) + '\n';
        writeUsage(out, help.usage, true);
        writeBlocks(out, help.blocks, false);
    }
    writeBlocks(out, blocks.subspan(closing), true);
    return out;
}

} // namespace helppages
