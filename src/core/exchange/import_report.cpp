#include "exchange/import_report.h"

#include "exchange/text_encoding.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace exchange {

namespace {

using Kind = Finding::Kind;

// A text in both languages; %1, %2... stand for the values in their order.
struct Text {
    const char* zh;
    const char* en;
};

struct FindingText {
    Kind kind;
    Text text;
};

// Every finding's words. The English ones are what the command line prints.
constexpr std::array FindingTexts{
    FindingText{Kind::ReceiveSnapped,
                {"接收频率 %1 已调整为 %2", "receive frequency %1 snapped to %2"}},
    FindingText{Kind::TransmitSnapped,
                {"发射频率 %1 已调整为 %2", "transmit frequency %1 snapped to %2"}},
    FindingText{Kind::OffsetSignDropped,
                {"Offset %1 的正负号已忽略，按 Duplex“%2”的方向计算",
                 "offset %1 taken without its sign, in the direction Duplex \"%2\" gives"}},
    FindingText{
        Kind::ReceiveOutsideBand,
        {"接收频率 %1 超出频段 %2-%3 MHz", "receive frequency %1 lies outside the band %2-%3 MHz"}},
    FindingText{Kind::TransmitOutsideBand,
                {"发射频率 %1 超出频段 %2-%3 MHz",
                 "transmit frequency %1 lies outside the band %2-%3 MHz"}},
    FindingText{Kind::NoFrequency, {"没有频率", "no frequency"}},
    FindingText{Kind::NotANumber,
                {"%1 列的“%2”不是可用的数字", "%1 \"%2\" is not a usable number"}},
    FindingText{Kind::LocationOutside,
                {"信道号“%1”超出 1-%2 范围", "location \"%1\" is outside 1..%2"}},
    FindingText{Kind::NoChannelLeft, {"信道 %1 之后已无可用信道", "no channel left after %1"}},
    FindingText{Kind::ChannelTaken,
                {"信道 %1 已由第 %2 行给出", "channel %1 was already given by line %2"}},
    FindingText{Kind::DuplexUnknown,
                {"本机不支持 Duplex“%1”", "Duplex \"%1\" is not one the radio has"}},
    FindingText{Kind::ToneModeUnknown,
                {"本机不支持亚音频方式“%1”", "tone mode \"%1\" is not one the radio has"}},
    FindingText{Kind::CrossModeUnknown,
                {"本机不支持 CrossMode“%1”", "CrossMode \"%1\" is not one the radio has"}},
    FindingText{
        Kind::PolarityInvalid,
        {"DtcsPolarity“%1”应为两个 N 或 R 字母", "DtcsPolarity \"%1\" is not two of N and R"}},
    FindingText{Kind::CtcssUnknown,
                {"亚音频 %1 不在亚音频表中", "tone %1 is not in the tone table"}},
    FindingText{Kind::DcsUnknown,
                {"DTCS 码 %1 不在亚音频表中", "DTCS code %1 is not in the tone table"}},
    FindingText{
        Kind::PowerUnknown,
        {"功率“%1”既不是 High、Low，也不是瓦数", "power \"%1\" is neither High, Low nor watts"}},
    FindingText{Kind::ModeUnknown,
                {"本机不支持调制方式“%1”", "mode \"%1\" is not one the radio has"}},
    FindingText{Kind::LockUnknown,
                {"BusyLock“%1”既不是 On 也不是 Off", "BusyLock \"%1\" is neither On nor Off"}},
};

constexpr Text ImportedLine{"第 %1 行：信道 %2 已导入", "line %1: channel %2 imported"};
constexpr Text ChangedLine{"第 %1 行：信道 %2 已导入，有改动：%3",
                           "line %1: channel %2 imported with changes: %3"};
constexpr Text SkippedLine{"第 %1 行：已跳过：%2", "line %1: skipped: %2"};
constexpr Text ChangeSeparator{"；", "; "};
constexpr Text DroppedNote{
    "Name、Comment、TStep 及数字制式各列未保留：本机没有信道名称，也没有数字制式",
    "Name, Comment, TStep and the digital columns are not kept: the radio "
    "has no channel names and no digital modes"};
constexpr Text RepeatedColumn{"“%1”列出现了不止一次：只读取第一列",
                              "the column \"%1\" is given more than once: only the first is read"};
constexpr Text Summary{"共 %2 行，导入 %1 行，跳过 %3 行", "%1 of %2 rows imported, %3 skipped"};
constexpr Text UnreadRest{"第 %1 行：引号没有闭合，此后的内容无法读取",
                          "line %1: a quote opens here and is never closed; the rest of the "
                          "file could not be read"};
constexpr Text NoText{"文件中没有文字", "the file holds no text"};
constexpr Text NoColumns{"第一行的列为 %1，缺少 %2 列", "the first line holds the columns %1, "
                                                        "without %2"};
constexpr Text ColumnSeparator{"、", ", "};
constexpr Text And{" 和 ", " and "};
// Columns named in the reason before it stops listing them.
constexpr std::size_t ShownColumns = 8;
// Bytes of a column name shown: the first line of a file that is not a
// channel list may be anything, at any length.
constexpr std::size_t ShownNameBytes = 32;

const char* pick(const Text& text, int language) {
    return language == Chinese ? text.zh : text.en;
}

// The pattern with %1..%9 replaced by the values; a value is never read as
// a pattern itself.
std::string fill(std::string_view pattern, const std::vector<std::string>& values) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const std::size_t index = std::size_t(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && index < values.size()) {
            out += values[index];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string findingText(const Finding& finding, int language) {
    const auto row = std::find_if(FindingTexts.begin(), FindingTexts.end(),
                                  [&](const FindingText& t) { return t.kind == finding.kind; });
    if (row == FindingTexts.end())
        return {};
    // Field texts come from the file: nothing in them may act on a terminal.
    std::vector<std::string> shown;
    for (const std::string& value : finding.values)
        shown.push_back(printableText(value));
    return fill(pick(row->text, language), shown);
}

std::string findingsText(const std::vector<Finding>& findings, int language) {
    std::string text;
    for (const Finding& finding : findings)
        text +=
            (text.empty() ? "" : pick(ChangeSeparator, language)) + findingText(finding, language);
    return text;
}

} // namespace

std::string reportLine(const RowReport& row, int language) {
    const std::string line = std::to_string(row.line);
    const std::string channel = std::to_string(row.channel);
    const std::string findings = findingsText(row.findings, language);
    switch (row.outcome) {
    case RowReport::Outcome::Imported:
        return fill(pick(ImportedLine, language), {line, channel});
    case RowReport::Outcome::Changed:
        return fill(pick(ChangedLine, language), {line, channel, findings});
    case RowReport::Outcome::Skipped:
        break;
    }
    return fill(pick(SkippedLine, language), {line, findings});
}

std::string reportNote(const ImportReport& report, int language) {
    std::string note = report.columnsDropped ? pick(DroppedNote, language) : std::string();
    for (const std::string& name : report.repeatedColumns)
        note.append(note.empty() ? "" : "\n")
            .append(fill(pick(RepeatedColumn, language),
                         {printableText(name.substr(0, ShownNameBytes))}));
    return note;
}

std::string foldedColumnName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return folded;
}

int ImportReport::importedCount() const {
    return int(std::count_if(rows.begin(), rows.end(), [](const RowReport& r) {
        return r.outcome != RowReport::Outcome::Skipped;
    }));
}

std::string reportSummary(const ImportReport& report, int language) {
    const int imported = report.importedCount();
    return fill(pick(Summary, language),
                {std::to_string(imported), std::to_string(report.rows.size()),
                 std::to_string(report.rows.size() - std::size_t(imported))});
}

std::string reportUnreadRest(const ImportReport& report, int language) {
    return report.unclosedQuoteLine == 0
               ? std::string()
               : fill(pick(UnreadRest, language), {std::to_string(report.unclosedQuoteLine)});
}

std::string unusableReason(const ImportReport& report, int language) {
    if (report.header.empty())
        return pick(NoText, language);
    std::string found, missing;
    for (std::size_t i = 0; i < report.header.size() && i <= ShownColumns; ++i) {
        if (i > 0)
            found += pick(ColumnSeparator, language);
        const std::string& name = report.header[i];
        if (i == ShownColumns) {
            found += "…";
            continue;
        }
        // Appended piece by piece: GCC 12 at -O2 and above takes a literal
        // before a std::string for an overlapping copy (-Wrestrict).
        found.append("\"")
            .append(printableText(name.substr(0, ShownNameBytes)))
            .append(name.size() > ShownNameBytes ? "…" : "")
            .append("\"");
    }
    auto has = [&](const char* name) {
        return std::any_of(report.header.begin(), report.header.end(), [&](const std::string& h) {
            return foldedColumnName(h) == foldedColumnName(name);
        });
    };
    if (!report.renumber && !has("Location"))
        missing = "Location";
    if (!has("Frequency"))
        missing += (missing.empty() ? "" : pick(And, language)) + std::string("Frequency");
    return fill(pick(NoColumns, language), {found, missing});
}

} // namespace exchange
