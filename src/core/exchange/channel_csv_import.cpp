#include "exchange/channel_csv.h"
#include "exchange/channel_fields.h"
#include "exchange/csv_text.h"
#include "exchange/text_encoding.h"
#include "image/decimal_text.h"
#include "image/frequency_codes.h"
#include "image/tone_codes.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <optional>
#include <string_view>

namespace exchange {

namespace {

using image::Decimal;

using Kind = Finding::Kind;

// A row that cannot become a channel, and why.
struct Skip {
    Finding reason;
};

// A line break at either end of a quoted cell is as blank as a space.
std::string trimmed(const std::string& text) {
    constexpr const char* Blank = " \t\r\n";
    const auto first = text.find_first_not_of(Blank);
    const auto last = text.find_last_not_of(Blank);
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// "146,520" in a file whose fields a semicolon separates: a decimal comma.
bool hasDecimalComma(const std::string& value) {
    return value.find_first_not_of("0123456789,+- ") == std::string::npos &&
           value.find(',') == value.rfind(',') && value.find(',') != std::string::npos &&
           value.find_first_of("0123456789") != std::string::npos;
}

class Fields {
  public:
    Fields(const ChannelList& list, const CsvRecord& record)
        : m_columns(list.columns), m_record(record), m_decimalComma(list.text.separator == ';') {}

    std::string operator[](const std::string& name) const {
        const auto it = m_columns.find(foldedColumnName(name));
        if (it == m_columns.end() || it->second >= m_record.size())
            return {};
        std::string value = trimmed(m_record[it->second]);
        if (m_decimalComma && hasDecimalComma(value))
            value[value.find(',')] = '.';
        return value;
    }

  private:
    const std::map<std::string, std::size_t>& m_columns;
    const CsvRecord& m_record;
    bool m_decimalComma;
};

enum class Side { Receive, Transmit };

// A frequency as the channel table takes a typed one: inside the band, then
// onto the raster; a move onto the raster is told in `changes`.
std::string channelFrequency(const Decimal& value, Side side, const image::BandLimits& band,
                             std::vector<Finding>& changes) {
    const bool rx = side == Side::Receive;
    const std::string typed = value.toString();
    if (!image::isInBand(value, band))
        throw Skip{{rx ? Kind::ReceiveOutsideBand : Kind::TransmitOutsideBand,
                    {typed, std::to_string(band.BandLow), std::to_string(band.BandHigh)}}};
    const std::string snapped = image::snapFrequencyText(typed).value_or(typed);
    if (Decimal::parse(snapped) != value)
        changes.push_back({rx ? Kind::ReceiveSnapped : Kind::TransmitSnapped, {typed, snapped}});
    return snapped;
}

Decimal number(const std::string& text, const char* column) {
    const auto value = Decimal::parse(text);
    if (!value || !value->scaled(FrequencyDecimals, image::Rounding::HalfEven))
        throw Skip{{Kind::NotANumber, {column, text}}};
    return *value;
}

// rx moved by the offset's size in the direction of `sign`. Done on
// magnitudes without a sign bit, so that no offset a number() gives can make
// the sum leave its type.
Decimal shifted(const Decimal& rx, const Decimal& offset, int sign) {
    const std::int64_t r = frequencyUnits(rx), o = frequencyUnits(offset);
    const std::uint64_t size = o < 0 ? 0 - std::uint64_t(o) : std::uint64_t(o);
    const std::uint64_t from = std::uint64_t(r); // in band, so not negative
    const bool negative = sign < 0 && size > from;
    const std::uint64_t result = sign > 0 ? from + size : negative ? size - from : from - size;
    constexpr std::uint64_t Unit = 1'000'000; // 10^FrequencyDecimals
    std::string fraction = std::to_string(result % Unit);
    fraction.insert(0, std::size_t(FrequencyDecimals) - fraction.size(), '0');
    // Appended piece by piece: GCC 12 at -O2 and above takes a literal
    // before a std::string for an overlapping copy (-Wrestrict).
    std::string text = negative ? "-" : "";
    text.append(std::to_string(result / Unit)).append(".").append(fraction);
    return *Decimal::parse(text);
}

// Tone list position 1..260 of a CTCSS frequency such as "88.5" or "88.50".
int ctcss(const std::string& text) {
    const auto formatted = image::formatNumberText(text, "0.0");
    const int position = formatted ? image::FindTone(*formatted) : 0;
    if (position < image::CtcssFirst || position > image::CtcssLast)
        throw Skip{{Kind::CtcssUnknown, {text}}};
    return position;
}

// Tone list position of a DCS code such as "23" or "023", 'N' or 'R'.
int dcs(const std::string& text, char polarity) {
    const auto formatted = image::formatNumberText(text, "000");
    const int position =
        formatted ? image::FindTone("D" + *formatted + (polarity == 'R' ? "I" : "N")) : 0;
    if (position < image::DcsNormalFirst)
        throw Skip{{Kind::DcsUnknown, {text}}};
    return position;
}

struct TonePair {
    int tx = 0, rx = 0;
};

TonePair tones(const Fields& f) {
    const std::string mode = f["Tone"];
    std::string polarity = f["DtcsPolarity"];
    if (polarity.empty())
        polarity = "NN";
    if (polarity.size() != 2 || polarity.find_first_not_of("NR") != std::string::npos)
        throw Skip{{Kind::PolarityInvalid, {polarity}}};
    if (mode.empty())
        return {};
    if (mode == "Tone")
        return {ctcss(f["rToneFreq"]), 0};
    if (mode == "TSQL")
        return {ctcss(f["cToneFreq"]), ctcss(f["cToneFreq"])};
    if (mode == "DTCS")
        return {dcs(f["DtcsCode"], polarity[0]), dcs(f["DtcsCode"], polarity[1])};
    if (mode != "Cross")
        throw Skip{{Kind::ToneModeUnknown, {mode}}};
    const std::string cross = f["CrossMode"];
    const auto arrow = cross.find("->");
    const std::string txKind = arrow == std::string::npos ? "?" : cross.substr(0, arrow);
    const std::string rxKind = arrow == std::string::npos ? "?" : cross.substr(arrow + 2);
    TonePair pair;
    if (txKind == "Tone")
        pair.tx = ctcss(f["rToneFreq"]);
    else if (txKind == "DTCS")
        pair.tx = dcs(f["DtcsCode"], polarity[0]);
    else if (!txKind.empty())
        throw Skip{{Kind::CrossModeUnknown, {cross}}};
    if (rxKind == "Tone")
        pair.rx = ctcss(f["cToneFreq"]);
    else if (rxKind == "DTCS")
        pair.rx = dcs(f["RxDtcsCode"], polarity[1]);
    else if (!rxKind.empty() || txKind.empty())
        throw Skip{{Kind::CrossModeUnknown, {cross}}};
    return pair;
}

int power(const std::string& text) {
    if (text.empty())
        return PowerHigh;
    const char first = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    if (first == 'H')
        return PowerHigh;
    if (first == 'L')
        return PowerLow;
    if (!std::isdigit(static_cast<unsigned char>(text[0])) && text[0] != '.')
        throw Skip{{Kind::PowerUnknown, {text}}};
    return Decimal::leadingNumber(text) >= Decimal::fromScaled(2, 0) ? PowerHigh : PowerLow;
}

bool sameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

int lock(const std::string& text) {
    if (text.empty() || sameLetters(text, "Off"))
        return LockOff;
    if (sameLetters(text, "On"))
        return LockOn;
    throw Skip{{Kind::LockUnknown, {text}}};
}

int width(const std::string& mode) {
    if (mode.empty() || mode == "FM")
        return Wide;
    if (mode == "NFM")
        return Narrow;
    throw Skip{{Kind::ModeUnknown, {mode}}};
}

// The row's channel values; `changes` collects what was adjusted.
image::ChannelRow channelRow(const Fields& f, const image::BandLimits& band,
                             std::vector<Finding>& changes) {
    image::ChannelRow row;
    const std::string rxText = f["Frequency"];
    if (rxText.empty())
        throw Skip{{Kind::NoFrequency, {}}};
    const Decimal rx = number(rxText, "Frequency");
    row.freqText[0] = channelFrequency(rx, Side::Receive, band, changes);
    const std::string duplex = f["Duplex"];
    if (duplex == "+" || duplex == "-") {
        // Published lists write "-,-7.6": the sign of the offset repeats the
        // direction, which Duplex alone gives.
        const std::string offsetText = f["Offset"];
        const Decimal offset = number(offsetText, "Offset");
        if (offset.isNegative())
            changes.push_back({Kind::OffsetSignDropped, {offsetText, duplex}});
        row.freqText[1] = channelFrequency(shifted(rx, offset, duplex == "+" ? 1 : -1),
                                           Side::Transmit, band, changes);
    } else if (duplex == "split")
        row.freqText[1] =
            channelFrequency(number(f["Offset"], "Offset"), Side::Transmit, band, changes);
    else if (duplex.empty())
        row.freqText[1] = row.freqText[0];
    else if (duplex != "off")
        throw Skip{{Kind::DuplexUnknown, {duplex}}};
    const TonePair pair = tones(f);
    row.listIndex[RxToneIndex] = pair.rx;
    row.listIndex[TxToneIndex] = pair.tx;
    row.toneText[0] = image::toneText(pair.rx);
    row.toneText[1] = image::toneText(pair.tx);
    row.listIndex[PowerIndex] = power(f["Power"]);
    row.listIndex[LockIndex] = lock(f[std::string(LockColumn)]);
    row.listIndex[ScanIndex] = f["Skip"] == "S" ? ScanOff : ScanOn;
    row.listIndex[WidthIndex] = width(f["Mode"]);
    return row;
}

constexpr const char* DroppedColumns[] = {"Name",     "Comment",  "URCALL",
                                          "RPT1CALL", "RPT2CALL", "DVCODE"};

// Whether the row holds something the radio cannot keep. A tuning step of
// 5 or 6.25 kHz is the raster every frequency is put on anyway.
bool dropsValues(const Fields& f) {
    for (const char* name : DroppedColumns)
        if (!f[name].empty())
            return true;
    const std::string step = f["TStep"];
    const auto value = Decimal::parse(step);
    return !step.empty() && value != Decimal::parse("5") && value != Decimal::parse("6.25");
}

// The channel a row names, or the next one when renumbering.
int channelOf(const Fields& f, bool renumber, int nextChannel) {
    if (renumber) {
        if (nextChannel < 1 || nextChannel > image::ChannelCount)
            throw Skip{{Kind::NoChannelLeft, {std::to_string(image::ChannelCount)}}};
        return nextChannel;
    }
    const std::string location = f["Location"];
    const auto value = Decimal::parse(location);
    const auto whole = value ? value->scaled(0, image::Rounding::TowardZero) : std::nullopt;
    if (!whole || Decimal::fromScaled(*whole, 0) != *value || *whole < 1 ||
        *whole > image::ChannelCount)
        throw Skip{{Kind::LocationOutside, {location, std::to_string(image::ChannelCount)}}};
    return static_cast<int>(*whole);
}

} // namespace

ChannelList readChannelList(std::string_view bytes) {
    ChannelList list;
    list.text = parseCsv(utf8Text(bytes));
    if (!list.text.rows.empty()) {
        const CsvRecord& header = list.text.rows.front().fields;
        for (std::size_t i = 0; i < header.size(); ++i) {
            const std::string name = trimmed(header[i]);
            if (!list.columns.emplace(foldedColumnName(name), i).second && !name.empty())
                list.repeated.push_back(name);
        }
    }
    return list;
}

ImportReport importChannels(std::string_view csv, const image::BandLimits& band,
                            const Placement& placement, image::ChannelTableValues& table) {
    return importChannels(readChannelList(csv), band, placement, table);
}

ImportReport importChannels(const ChannelList& list, const image::BandLimits& band,
                            const Placement& placement, image::ChannelTableValues& table) {
    const bool renumber = placement.renumber;
    ImportReport report;
    report.renumber = renumber;
    report.unclosedQuoteLine = list.text.unclosedQuoteLine;
    const std::vector<CsvRow>& rows = list.text.rows;
    if (!rows.empty())
        for (const std::string& name : rows.front().fields)
            report.header.push_back(trimmed(name));
    report.repeatedColumns = list.repeated;
    if (!list.columns.contains("frequency") || (!renumber && !list.columns.contains("location")))
        return report;
    report.usable = true;

    int nextChannel = placement.firstChannel;
    std::array<int, image::ChannelCount> takenBy{}; // the line that filled each channel
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const Fields f(list, rows[i].fields);
        RowReport line;
        line.line = rows[i].line;
        report.columnsDropped = report.columnsDropped || dropsValues(f);
        try {
            const int channel = channelOf(f, renumber, nextChannel);
            // A second row for a channel would silently replace the first.
            if (const int earlier = takenBy[std::size_t(channel - 1)])
                throw Skip{
                    {Kind::ChannelTaken, {std::to_string(channel), std::to_string(earlier)}}};
            std::vector<Finding> changes;
            table.row(channel) = channelRow(f, band, changes);
            takenBy[std::size_t(channel - 1)] = line.line;
            ++nextChannel;
            line.channel = channel;
            line.outcome =
                changes.empty() ? RowReport::Outcome::Imported : RowReport::Outcome::Changed;
            line.findings = std::move(changes);
        } catch (const Skip& skip) {
            line.outcome = RowReport::Outcome::Skipped;
            line.findings = {skip.reason};
        }
        report.rows.push_back(std::move(line));
    }
    return report;
}

} // namespace exchange
