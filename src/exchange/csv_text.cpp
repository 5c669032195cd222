#include "exchange/csv_text.h"

namespace exchange {

std::vector<CsvRecord> parseCsv(std::string_view text) {
    std::vector<CsvRecord> records;
    CsvRecord record;
    std::string field;
    bool quoted = false;
    bool fieldStarted = false;
    auto endField = [&] {
        record.push_back(std::move(field));
        field.clear();
        fieldStarted = false;
    };
    auto endRecord = [&] {
        if (fieldStarted || !record.empty())
            endField();
        const bool blank = record.size() == 1 && record[0].empty();
        if (!record.empty() && !blank)
            records.push_back(std::move(record));
        record.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else
                quoted = false;
            continue;
        }
        if (c == '"') {
            quoted = true;
            fieldStarted = true;
        } else if (c == ',') {
            endField();
            fieldStarted = true;
        } else if (c == '\n') {
            endRecord();
        } else if (c != '\r') {
            field += c;
            fieldStarted = true;
        }
    }
    endRecord();
    return records;
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
