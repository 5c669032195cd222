#include "exchange/import_report.h"

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
constexpr Text Summary{"共 %1 行：%2 行原样导入，%3 行调整后导入，%4 行已跳过",
                       "%1 rows: %2 imported, %3 imported with changes, %4 skipped"};

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
    return row == FindingTexts.end() ? std::string()
                                     : fill(pick(row->text, language), finding.values);
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
    return report.columnsDropped ? pick(DroppedNote, language) : std::string();
}

std::string reportSummary(const ImportReport& report, int language) {
    auto count = [&](RowReport::Outcome outcome) {
        return std::to_string(
            std::count_if(report.rows.begin(), report.rows.end(),
                          [&](const RowReport& r) { return r.outcome == outcome; }));
    };
    return fill(pick(Summary, language),
                {std::to_string(report.rows.size()), count(RowReport::Outcome::Imported),
                 count(RowReport::Outcome::Changed), count(RowReport::Outcome::Skipped)});
}

} // namespace exchange
