#include "cli/history_command.h"

#include "cli/exit_codes.h"
#include "cli/link_failure_text.h"
#include "cli/usage.h"
#include "platform/history_file.h"
#include "words/band_entries.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace cli {

namespace {

struct HistoryOptions {
    bool json = false;
    records::Filter filter;
    std::optional<std::time_t> deleteBefore;
};

std::optional<HistoryOptions> parseHistoryOptions(const std::vector<std::string>& arguments,
                                                  std::string& error) {
    HistoryOptions options;
    for (std::size_t n = 1; n < arguments.size(); ++n) {
        const std::string& option = arguments[n];
        if (option == "--json") {
            options.json = true;
            continue;
        }
        if (option != "--since" && option != "--code" && option != "--file" &&
            option != "--delete-before") {
            error = "tq305 history: unknown option " + option;
            return std::nullopt;
        }
        if (n + 1 >= arguments.size()) {
            error = "tq305 history: " + option + " needs a value";
            return std::nullopt;
        }
        const std::string& value = arguments[++n];
        if (option == "--since" || option == "--delete-before") {
            auto& time = option == "--since" ? options.filter.since : options.deleteBefore;
            time = records::parseLocalTime(value);
            if (!time) {
                error = "tq305 history: " + option + " " + value + ": not a date (2026-12-08 or " +
                        "2026-12-08 14:30)";
                return std::nullopt;
            }
        } else if (option == "--code") {
            options.filter.code = value;
        } else {
            options.filter.file = value;
        }
    }
    // Deleting only what a filter shows is not what --delete-before does:
    // refused rather than deleting more than the user meant.
    if (options.deleteBefore &&
        (options.filter.since || !options.filter.code.empty() || !options.filter.file.empty())) {
        error = "tq305 history: --delete-before deletes every record before its date; give it "
                "without --since, --code or --file";
        return std::nullopt;
    }
    return options;
}

std::string bandText(std::optional<int> band) {
    if (!band)
        return "-";
    const QString entry = editors::bands::entryText(*band);
    return entry.isEmpty() ? "code " + std::to_string(*band) : entry.toStdString();
}

std::string valuesText(const records::Record& record) {
    std::string text;
    for (const auto& [key, value] : record.values)
        text += (text.empty() ? "" : " ") + key + "=" + value;
    return text.empty() ? "-" : text;
}

std::string placeText(const records::Record& record) {
    return record.port.empty() ? record.device : record.port;
}

QString text(const std::string& bytes) {
    return QString::fromUtf8(bytes);
}

QJsonObject jsonOf(const records::Record& record) {
    QJsonObject values;
    for (const auto& [key, value] : record.values)
        values[text(key)] = text(value);
    return {
        {"id", qint64(record.id)},
        {"time", text(records::localTimeText(record.at))},
        {"action", records::actionName(record.action)},
        {"port", text(record.port)},
        {"device", text(record.device)},
        {"file", text(record.file)},
        {"sha256", text(record.sha256)},
        {"band", record.band ? QJsonValue(*record.band) : QJsonValue()},
        {"band_text", record.band ? text(bandText(record.band)) : QJsonValue()},
        {"values", values},
        {"result", text(record.result)},
        {"backup", text(record.backup)},
        {"version", text(record.version)},
    };
}

void printJson(const std::vector<records::Record>& found) {
    QJsonArray array;
    for (const records::Record& record : found)
        array.append(jsonOf(record));
    std::fputs(QJsonDocument(array).toJson(QJsonDocument::Indented).constData(), stdout);
}

// One line per record, in columns; the file and the backup, of any length,
// last.
void printTable(const std::vector<records::Record>& found) {
    const std::vector<std::string> heads = {"time", "action", "port", "band", "values", "result"};
    std::vector<std::vector<std::string>> rows;
    for (const records::Record& record : found)
        rows.push_back({records::localTimeText(record.at), records::actionName(record.action),
                        placeText(record), bandText(record.band), valuesText(record),
                        record.result});
    std::vector<std::size_t> widths;
    for (std::size_t c = 0; c < heads.size(); ++c) {
        widths.push_back(heads[c].size());
        for (const auto& row : rows)
            widths[c] = std::max(widths[c], row[c].size());
    }
    const auto line = [&](const std::vector<std::string>& cells, const std::string& file,
                          const std::string& backup) {
        for (std::size_t c = 0; c < cells.size(); ++c)
            std::printf("%-*s  ", int(widths[c]), cells[c].c_str());
        std::printf("%s  %s\n", file.c_str(), backup.c_str());
    };
    line(heads, "file", "backup");
    for (std::size_t n = 0; n < found.size(); ++n)
        line(rows[n], found[n].file.empty() ? "-" : shownName(found[n].file),
             found[n].backup.empty() ? "-" : shownName(found[n].backup));
}

} // namespace

int runHistory(const std::vector<std::string>& arguments) {
    std::string error;
    const std::optional<HistoryOptions> options = parseHistoryOptions(arguments, error);
    if (!options) {
        std::fprintf(stderr, "%s\n%s", error.c_str(), usageLines({"history"}).c_str());
        return ExitUsage;
    }
    std::vector<records::Record> found;
    // Asking makes no history: none yet is an empty one.
    if (QFile::exists(radiolink::historyFile()) || QFile::exists(radiolink::pendingRecordsFile())) {
        const std::unique_ptr<records::History> history = radiolink::openHistory(error);
        if (!history) {
            std::fprintf(stderr, "tq305: %s\n", error.c_str());
            return ExitCannotOpen;
        }
        if (options->deleteBefore) {
            const std::optional<int> removed = history->removeBefore(*options->deleteBefore);
            if (!removed) {
                std::fprintf(stderr, "tq305: %s\n", history->lastError().c_str());
                return ExitCannotOpen;
            }
            std::fprintf(stderr, "tq305: %d record%s deleted\n", *removed,
                         *removed == 1 ? "" : "s");
        }
        found = history->list(options->filter);
    }
    if (options->json)
        printJson(found);
    else
        printTable(found);
    return ExitDone;
}

} // namespace cli
