#include "cli/history_command.h"

#include "cli/exit_codes.h"
#include "cli/file_arguments.h"
#include "cli/link_failure_text.h"
#include "cli/usage.h"
#include "files/file_io.h"
#include "platform/history_file.h"
#include "words/band_entries.h"
#include "words/job_report_texts.h"
#include "words/language_text.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>
#include <optional>
#include <span>

namespace cli {

namespace {

constexpr const char* ValueOptions[] = {"--since", "--code",   "--file", "--delete-before",
                                        "--job",   "--format", "-o",     "--lang"};

// What the report options need besides each other; empty when they are
// right.
std::string reportRefusal(const HistoryOptions& options, bool languageGiven) {
    if (!options.format.empty() && options.format != "csv" && options.format != "pdf")
        return "--format takes csv or pdf, not " + options.format;
    if (!options.format.empty() && (options.filter.job.empty() || options.output.empty()))
        return "--format " + options.format + " writes a job's report: give --job NAME and -o FILE";
    if (options.format.empty() && (!options.output.empty() || languageGiven))
        return "-o and --lang go with --format csv|pdf";
    if (!options.format.empty() && options.json)
        return "--json lists records; a report is --format csv|pdf";
    return {};
}

} // namespace

std::optional<HistoryOptions> parseHistoryOptions(const std::vector<std::string>& arguments,
                                                  std::string& error) {
    HistoryOptions options;
    bool languageGiven = false;
    for (std::size_t n = 1; n < arguments.size(); ++n) {
        const std::string& option = arguments[n];
        if (option == "--json") {
            options.json = true;
            continue;
        }
        if (std::ranges::find(ValueOptions, option) == std::end(ValueOptions)) {
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
        } else if (option == "--job") {
            options.filter.job = value;
        } else if (option == "--format") {
            options.format = value;
        } else if (option == "-o") {
            options.output = value;
        } else if (option == "--lang") {
            const std::optional<int> language = languageArgument(QString::fromStdString(value));
            if (!language) {
                error = "tq305 history: --lang takes zh or en, not " + value;
                return std::nullopt;
            }
            options.language = *language;
            languageGiven = true;
        } else {
            options.filter.file = value;
        }
    }
    if (const std::string refusal = reportRefusal(options, languageGiven); !refusal.empty()) {
        error = "tq305 history: " + refusal;
        return std::nullopt;
    }
    // Deleting only what a filter shows is not what --delete-before does:
    // refused rather than deleting more than the user meant.
    if (options.deleteBefore && (options.filter.since || !options.filter.code.empty() ||
                                 !options.filter.file.empty() || !options.filter.job.empty())) {
        error = "tq305 history: --delete-before deletes every record before its date; give it "
                "without --since, --code, --file or --job";
        return std::nullopt;
    }
    return options;
}

bool wantsPdfReport(const std::vector<std::string>& arguments) {
    std::string error;
    const std::optional<HistoryOptions> options = parseHistoryOptions(arguments, error);
    return options && options->format == "pdf";
}

namespace {

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
        {"job", text(record.job)},
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

std::optional<ui::JobReport> loadJobReport(const HistoryOptions& options, int& exitCode) {
    std::string error;
    const std::unique_ptr<records::History> history =
        QFile::exists(radiolink::historyFile()) ? radiolink::openHistory(error) : nullptr;
    std::optional<records::Job> job = history ? history->job(options.filter.job) : std::nullopt;
    if (!job) {
        const bool unknown = !history ? error.empty() : history->lastError().empty();
        std::fprintf(stderr, "tq305: %s\n",
                     unknown ? ui::languageText(ui::JobReportTexts, "JobReport", "Unknown",
                                                ui::TextTarget::Caption, 0, options.language)
                                   .arg(QString::fromStdString(options.filter.job))
                                   .toUtf8()
                                   .constData()
                     : history ? history->lastError().c_str()
                               : error.c_str());
        exitCode = unknown ? ExitUsage : ExitCannotOpen;
        return std::nullopt;
    }
    return ui::jobReport(*job, history->list(options.filter), options.language, std::time(nullptr));
}

namespace {

int writeCsvReport(const HistoryOptions& options) {
    int exitCode = ExitDone;
    const std::optional<ui::JobReport> report = loadJobReport(options, exitCode);
    if (!report)
        return exitCode;
    const std::string csv = ui::jobReportCsv(*report);
    const files::WriteResult written = files::writeFileAtomically(
        options.output, std::span(reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size()));
    if (!written.ok()) {
        std::fprintf(stderr, "tq305: %s\n", saveFailureText(options.output, written).c_str());
        return ExitCannotOpen;
    }
    return ExitDone;
}

} // namespace

int runHistory(const std::vector<std::string>& arguments) {
    std::string error;
    const std::optional<HistoryOptions> options = parseHistoryOptions(arguments, error);
    if (!options) {
        std::fprintf(stderr, "%s\n%s", error.c_str(), usageLines({"history"}).c_str());
        return ExitUsage;
    }
    if (options->format == "csv")
        return writeCsvReport(*options);
    int unknownJob = ExitDone;
    if (!options->filter.job.empty() && !loadJobReport(*options, unknownJob))
        return unknownJob;
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
