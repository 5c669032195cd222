#include "words/job_report.h"

#include "exchange/csv_text.h"
#include "records/write_result.h"
#include "words/file_names.h"
#include "words/job_report_texts.h"
#include "words/language_text.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>

namespace ui {

namespace {

QString text(const char* control, int index, int language,
             ui::TextTarget target = ui::TextTarget::Caption) {
    return ui::languageText(JobReportTexts, "JobReport", control, target, index, language);
}

QString utf8(const std::string& bytes) {
    return QString::fromUtf8(bytes);
}

// A customer reads the file's name; the path is the bench's own.
QString fileName(const std::string& path) {
    return fileNameText(QByteArray::fromStdString(std::filesystem::path(path).filename().string()));
}

// "端口3" as the History window names the program's port 3; a device by its
// name.
QString portText(const records::Record& radio, int language) {
    static const std::string Port = "port ";
    if (radio.port.starts_with(Port))
        return text("Port", 0, language)
            .arg(QString::fromStdString(radio.port.substr(Port.size())));
    return radio.port.empty() ? fileNameText(QByteArray::fromStdString(radio.device))
                              : utf8(radio.port);
}

// The keys of the values the radios got, in the order first met; those the
// job keeps from each radio are marked.
std::vector<std::string> valueKeys(const std::vector<records::Record>& radios) {
    std::vector<std::string> keys;
    for (const records::Record& radio : radios)
        for (const auto& [key, value] : radio.values)
            if (std::ranges::find(keys, key) == keys.end())
                keys.push_back(key);
    return keys;
}

bool kept(const records::Job& job, const std::string& key) {
    return job.patterns.find("keep " + key + "\n") != std::string::npos;
}

QString valueOf(const records::Record& radio, const std::string& key) {
    const auto found = std::ranges::find_if(
        radio.values, [&](const records::VariedValue& value) { return value.first == key; });
    return found == radio.values.end() ? QString() : utf8(found->second);
}

} // namespace

JobReport jobReport(const records::Job& job, const std::vector<records::Record>& radios,
                    int language, std::time_t made) {
    JobReport report;
    report.title = text("", 0, language);
    report.lines << text("Job", 0, language).arg(utf8(job.name));
    if (!radios.empty())
        report.lines << text("Image", 0, language)
                            .arg(fileName(radios.back().file) + "  (SHA-256 " +
                                 utf8(job.sha256.substr(0, 16)) + "…)");
    report.lines << text("Made", 0, language).arg(utf8(records::localTimeText(made)));
    const auto head = [&](int column) {
        return text("Table", column, language, ui::TextTarget::HeaderCell);
    };
    const std::vector<std::string> keys = valueKeys(radios);
    report.header << head(0) << head(1) << head(2);
    for (const std::string& key : keys)
        report.header << utf8(key) + (kept(job, key) ? text("Kept", 0, language) : QString());
    report.header << head(3) << head(4);
    std::array<int, 4> totals{};
    for (std::size_t n = 0; n < radios.size(); ++n) {
        const records::Record& radio = radios[n];
        QStringList row{QString::number(n + 1), utf8(records::localTimeText(radio.at)),
                        portText(radio, language)};
        for (const std::string& key : keys)
            row << valueOf(radio, key);
        row << utf8(records::resultTextIn(radio.result, language))
            << (radio.backup.empty() ? QString("-") : fileName(radio.backup));
        report.rows << row;
        ++totals[0];
        ++totals[records::completedResult(radio.result)   ? 1
                 : records::isStartedResult(radio.result) ? 3
                                                          : 2];
    }
    for (int n = 0; n < int(totals.size()); ++n)
        report.totals.append({text("Total", n, language), totals[std::size_t(n)]});
    return report;
}

std::string jobReportCsv(const JobReport& report) {
    const auto line = [](const QStringList& cells) {
        exchange::CsvRecord record;
        for (const QString& cell : cells)
            record.push_back(cell.toStdString());
        return exchange::csvLine(record);
    };
    std::string csv = line(report.header);
    for (const QStringList& row : report.rows)
        csv += line(row);
    csv += "\r\n";
    for (const auto& [label, count] : report.totals)
        csv += line({label, QString::number(count)});
    return csv;
}

} // namespace ui
