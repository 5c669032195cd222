#include "exchange/csv_text.h"

#include <algorithm>
#include <array>

namespace exchange {

namespace {

// The separator the first line uses most outside quoted fields. A quote
// opens one only at the start of a field, which any separator may end.
char separatorOf(std::string_view text) {
    constexpr std::array<char, 3> candidates{',', ';', '\t'};
    std::array<int, 3> counts{};
    bool quoted = false, atFieldStart = true;
    for (const char c : text) {
        const bool separator =
            std::find(candidates.begin(), candidates.end(), c) != candidates.end();
        if (c == '"' && (quoted || atFieldStart))
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted)
            for (std::size_t i = 0; i < candidates.size(); ++i)
                counts[i] += c == candidates[i];
        atFieldStart = !quoted && separator;
    }
    const auto most = std::max_element(counts.begin(), counts.end());
    return *most == 0 ? ',' : candidates[std::size_t(most - counts.begin())];
}

} // namespace

CsvText parseCsv(std::string_view text) {
    CsvText parsed;
    parsed.separator = separatorOf(text);
    CsvRow row;
    std::string field;
    bool quoted = false;
    bool fieldStarted = false;
    bool atFieldStart = true; // a quote here opens a quoted field; elsewhere it is a character
    int line = 1;
    int quoteLine = 0;
    row.line = line;
    auto endField = [&] {
        row.fields.push_back(std::move(field));
        field.clear();
        fieldStarted = false;
    };
    auto endRecord = [&] {
        if (fieldStarted || !row.fields.empty())
            endField();
        const bool blank = row.fields.size() == 1 && row.fields[0].empty();
        if (!row.fields.empty() && !blank)
            parsed.rows.push_back(std::move(row));
        row = CsvRow{line, {}};
        atFieldStart = true;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // CR, LF and CRLF each end one line, inside quotes too.
        const bool lineEnd =
            c == '\n' || (c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
        if (lineEnd)
            ++line;
        if (quoted) {
            if (c != '"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else
                quoted = false;
            continue;
        }
        if (c == '"' && atFieldStart) {
            quoted = true;
            quoteLine = line;
            fieldStarted = true;
            atFieldStart = false;
        } else if (c == parsed.separator) {
            endField();
            fieldStarted = true;
            atFieldStart = true;
        } else if (lineEnd) {
            endRecord();
        } else if (c != '\r') {
            field += c;
            fieldStarted = true;
            atFieldStart = false;
        }
    }
    if (quoted)
        parsed.unclosedQuoteLine = quoteLine;
    else
        endRecord();
    return parsed;
}

std::string csvLine(const CsvRecord& record) {
    std::string line;
    for (std::size_t i = 0; i < record.size(); ++i) {
        if (i > 0)
            line += ',';
        const std::string& f = record[i];
        if (f.find_first_of(",\"\r\n") == std::string::npos) {
            line += f;
            continue;
        }
        line += '"';
        for (char c : f) {
            if (c == '"')
                line += '"';
            line += c;
        }
        line += '"';
    }
    return line + "\r\n";
}

} // namespace exchange
