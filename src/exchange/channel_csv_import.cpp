#include "exchange/channel_csv.h"
#include "exchange/channel_fields.h"
#include "exchange/csv_text.h"
#include "image/decimal_text.h"
#include "image/frequency_codes.h"
#include "image/tone_codes.h"

#include <array>
#include <cctype>
#include <map>
#include <optional>

namespace exchange {

namespace {

using image::Decimal;

using Kind = Finding::Kind;

// A row that cannot become a channel, and why.
struct Skip {
    Finding reason;
};

class Fields {
  public:
    Fields(const std::map<std::string, std::size_t>& columns, const CsvRecord& record)
        : m_columns(columns), m_record(record) {}

    std::string operator[](const std::string& name) const {
        const auto it = m_columns.find(name);
        if (it == m_columns.end() || it->second >= m_record.size())
            return {};
        std::string value = m_record[it->second];
        const auto first = value.find_first_not_of(" \t");
        const auto last = value.find_last_not_of(" \t");
        return first == std::string::npos ? std::string() : value.substr(first, last - first + 1);
    }

  private:
    const std::map<std::string, std::size_t>& m_columns;
    const CsvRecord& m_record;
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

Decimal plus(const Decimal& a, const Decimal& b, int sign) {
    return Decimal::fromScaled(frequencyUnits(a) + sign * frequencyUnits(b), FrequencyDecimals);
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
    if (duplex == "+" || duplex == "-")
        row.freqText[1] =
            channelFrequency(plus(rx, number(f["Offset"], "Offset"), duplex == "+" ? 1 : -1),
                             Side::Transmit, band, changes);
    else if (duplex == "split")
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
    row.listIndex[LockIndex] = LockOff;
    row.listIndex[ScanIndex] = f["Skip"] == "S" ? ScanOff : ScanOn;
    row.listIndex[WidthIndex] = width(f["Mode"]);
    return row;
}

constexpr const char* DroppedColumns[] = {"Name",     "Comment",  "TStep", "URCALL",
                                          "RPT1CALL", "RPT2CALL", "DVCODE"};

} // namespace

ImportReport importChannels(std::string_view csv, const image::BandLimits& band,
                            const Placement& placement, image::ChannelTableValues& table) {
    const bool renumber = placement.renumber;
    ImportReport report;
    const std::vector<CsvRecord> records = parseCsv(csv);
    if (records.empty())
        return report;
    std::map<std::string, std::size_t> columns;
    for (std::size_t i = 0; i < records[0].size(); ++i) {
        std::string name = records[0][i];
        if (i == 0 && name.starts_with("\xEF\xBB\xBF")) // a byte order mark
            name.erase(0, 3);
        columns.emplace(name, i);
    }
    if (!columns.contains("Frequency") || (!renumber && !columns.contains("Location")))
        return report;
    report.usable = true;

    bool dropped = false;
    int nextChannel = placement.firstChannel;
    std::array<int, image::ChannelCount> takenBy{}; // the line that filled each channel
    for (std::size_t i = 1; i < records.size(); ++i) {
        const Fields f(columns, records[i]);
        RowReport line;
        line.line = static_cast<int>(i) + 1;
        for (const char* name : DroppedColumns)
            dropped = dropped || !f[name].empty();
        try {
            int channel = nextChannel;
            if (!renumber) {
                const std::string location = f["Location"];
                const auto value = Decimal::parse(location);
                const auto whole =
                    value ? value->scaled(0, image::Rounding::TowardZero) : std::nullopt;
                if (!whole || Decimal::fromScaled(*whole, 0) != *value || *whole < 1 ||
                    *whole > image::ChannelCount)
                    throw Skip{
                        {Kind::LocationOutside, {location, std::to_string(image::ChannelCount)}}};
                channel = static_cast<int>(*whole);
            } else if (channel < 1 || channel > image::ChannelCount) {
                throw Skip{{Kind::NoChannelLeft, {std::to_string(image::ChannelCount)}}};
            }
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
    report.columnsDropped = dropped;
    return report;
}

} // namespace exchange
