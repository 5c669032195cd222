// Delimited text as spreadsheets save it: records of fields, quoted fields,
// CR, LF or CRLF line ends, and a comma, semicolon or tab between fields.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace exchange {

using CsvRecord = std::vector<std::string>;

// A record with the line of the text it starts on, counted from 1.
struct CsvRow {
    int line = 0;
    CsvRecord fields;
};

struct CsvText {
    char separator = ',';
    std::vector<CsvRow> rows;
    // The line where a quote opens that is never closed; 0 when every quote
    // closes. The record it starts, and everything after, are not in `rows`.
    int unclosedQuoteLine = 0;
};

// The records of a text. The separator is the one of comma, semicolon and tab
// that the first line holds most of outside quotes (a comma when it holds
// none). A field that starts with a double quote may hold separators, line
// breaks and doubled quotes up to the closing one; a quote further into a
// field is a character of it. Blank lines give no record.
CsvText parseCsv(std::string_view text);

// One record as a line ending in CRLF, comma-separated, fields quoted where
// they need it.
std::string csvLine(const CsvRecord& record);

} // namespace exchange
