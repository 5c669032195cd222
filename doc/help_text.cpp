#include "help_text.h"

namespace helppages {

namespace {

std::string_view trimmed(std::string_view line) {
    const std::size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return {};
    return line.substr(start, line.find_last_not_of(' ') - start + 1);
}

std::size_t indentOf(std::string_view line) {
    return std::min(line.find_first_not_of(' '), line.size());
}

bool startsUsage(std::string_view line) {
    return line.starts_with("usage: ") || line.starts_with("Usage: ");
}

void appendWords(std::string& text, std::string_view words) {
    if (words.empty())
        return;
    if (!text.empty())
        text += ' ';
    text += words;
}

// Reads the text line by line, each line continuing or ending the block
// before it.
class Reader {
  public:
    void line(std::string_view line);
    HelpText result() { return std::move(m_help); }

  private:
    enum State { Start, Usage, InParagraph, InItem, Between };
    HelpBlock& open(HelpBlock::Kind kind) {
        if (m_help.blocks.empty() || m_help.blocks.back().kind != kind || kind != HelpBlock::Items)
            m_help.blocks.push_back({kind, {}, {}});
        return m_help.blocks.back();
    }

    HelpText m_help;
    State m_state = Start;
};

void Reader::line(std::string_view line) {
    const std::size_t indent = indentOf(line);
    const std::string_view text = trimmed(line);
    if (text.empty()) {
        m_state = Between;
        return;
    }
    if (m_state == Start && startsUsage(line)) {
        m_help.usage.emplace_back(trimmed(line.substr(7)));
        m_state = Usage;
    } else if (m_state == Usage && indent > 0) {
        // A line of its own for each synopsis that names the program again;
        // the rest of a long one goes on under it.
        const std::string& first = m_help.usage.front();
        if (text.starts_with(first.substr(0, first.find(' ') + 1)))
            m_help.usage.emplace_back(text);
        else
            appendWords(m_help.usage.back(), text);
    } else if (indent == 2) {
        // The term ends where two spaces part it from its text.
        const std::size_t gap = text.find("  ");
        HelpItem item{std::string(text.substr(0, gap)), {}};
        if (gap != std::string_view::npos)
            item.text = trimmed(text.substr(gap));
        open(HelpBlock::Items).items.push_back(std::move(item));
        m_state = InItem;
    } else if (indent > 2 && m_state == InItem) {
        appendWords(m_help.blocks.back().items.back().text, text);
    } else if (m_state == InParagraph) {
        appendWords(m_help.blocks.back().text, text);
    } else if (text.ends_with(':')) {
        open(HelpBlock::Heading).text = text.substr(0, text.size() - 1);
        m_state = Between;
    } else {
        open(HelpBlock::Paragraph).text = text;
        m_state = InParagraph;
    }
}

} // namespace

HelpText parseHelp(std::string_view text) {
    Reader reader;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        reader.line(text.substr(at, end - at));
        at = end + 1;
    }
    return reader.result();
}

std::vector<HelpItem> itemsUnder(const HelpText& help, std::string_view heading) {
    for (std::size_t i = 0; i + 1 < help.blocks.size(); ++i)
        if (help.blocks[i].kind == HelpBlock::Heading && help.blocks[i].text == heading &&
            help.blocks[i + 1].kind == HelpBlock::Items)
            return help.blocks[i + 1].items;
    return {};
}

std::vector<TermName> termNames(std::string_view term) {
    std::vector<TermName> names;
    std::size_t at = 0;
    while (at < term.size()) {
        const std::size_t end = std::min(term.find(", ", at), term.size());
        const std::string_view one = term.substr(at, end - at);
        const std::size_t space = one.find(' ');
        if (space == std::string_view::npos)
            names.push_back({std::string(one), {}});
        else
            names.push_back(
                {std::string(one.substr(0, space)), std::string(one.substr(space + 1))});
        at = end + 2;
    }
    return names;
}

} // namespace helppages
