// Comma-separated text: records of fields, quoted fields and CRLF accepted.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace exchange {

using CsvRecord = std::vector<std::string>;

// The records of a text. A field in double quotes may hold commas, line
// breaks and doubled quotes; CR before LF is dropped; blank lines give no record.
std::vector<CsvRecord> parseCsv(std::string_view text);

// One record as a line ending in CRLF, fields quoted where they need it.
std::string csvLine(const CsvRecord& record);

} // namespace exchange
