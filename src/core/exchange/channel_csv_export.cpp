#include "exchange/channel_csv.h"
#include "exchange/channel_fields.h"
#include "exchange/csv_text.h"
#include "image/decimal_text.h"
#include "image/tone_codes.h"
#include "settings/unwritable_values.h"

#include <numeric>

namespace exchange {

namespace {

using image::Decimal;

enum class ToneKind { None, Ctcss, Dcs };

struct Tone {
    ToneKind kind = ToneKind::None;
    std::string value;   // "88.5" or "023"
    char polarity = 'N'; // 'N' or 'R'
};

Tone toneAt(int position) {
    Tone tone;
    const std::string text(image::toneText(position));
    if (position >= image::CtcssFirst && position <= image::CtcssLast) {
        tone.kind = ToneKind::Ctcss;
        tone.value = text;
    } else if (position >= image::DcsNormalFirst && position <= image::DcsInvertedLast) {
        tone.kind = ToneKind::Dcs;
        tone.value = text.substr(1, 3); // "D023N"
        tone.polarity = position >= image::DcsInvertedFirst ? 'R' : 'N';
    }
    return tone;
}

// The Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode and
// CrossMode columns; unused ones hold the other software's defaults.
void putTones(const Tone& tx, const Tone& rx, CsvRecord& r) {
    std::string mode, rTone = "88.5", cTone = "88.5", dtcs = "023", rxDtcs = "023";
    std::string cross = "Tone->Tone";
    const std::string polarity{tx.polarity, rx.polarity};
    if (tx.kind == ToneKind::None && rx.kind == ToneKind::None) {
    } else if (tx.kind == ToneKind::Ctcss && rx.kind == ToneKind::None) {
        mode = "Tone", rTone = tx.value;
    } else if (tx.kind == ToneKind::Ctcss && rx.kind == ToneKind::Ctcss && tx.value == rx.value) {
        // Both columns, as published lists write it: a reader that takes
        // either finds the tone.
        mode = "TSQL", rTone = tx.value, cTone = tx.value;
    } else if (tx.kind == ToneKind::Dcs && rx.kind == ToneKind::Dcs && tx.value == rx.value) {
        mode = "DTCS", dtcs = tx.value;
    } else {
        mode = "Cross";
        const char* txName = tx.kind == ToneKind::Ctcss ? "Tone"
                             : tx.kind == ToneKind::Dcs ? "DTCS"
                                                        : "";
        const char* rxName = rx.kind == ToneKind::Ctcss ? "Tone"
                             : rx.kind == ToneKind::Dcs ? "DTCS"
                                                        : "";
        cross = std::string(txName) + "->" + rxName;
        if (tx.kind == ToneKind::Ctcss)
            rTone = tx.value;
        if (tx.kind == ToneKind::Dcs)
            dtcs = tx.value;
        if (rx.kind == ToneKind::Ctcss)
            cTone = rx.value;
        if (rx.kind == ToneKind::Dcs)
            rxDtcs = rx.value;
    }
    r.insert(r.end(), {mode, rTone, cTone, dtcs, polarity, rxDtcs, cross});
}

std::string frequency(const Decimal& value) {
    return value.format("0.000000");
}

} // namespace

std::string exportChannels(const image::ChannelTableValues& table) {
    std::vector<int> all(image::ChannelCount);
    std::iota(all.begin(), all.end(), 1);
    return exportChannels(table, all);
}

std::string exportChannels(const image::ChannelTableValues& table,
                           const std::vector<int>& channels) {
    std::string out = std::string(CsvHeader) + "," + std::string(LockColumn) + "\r\n";
    for (const int n : channels) {
        if (n < 1 || n > image::ChannelCount)
            continue;
        const image::ChannelRow& row = table.row(n);
        if (row.isEmpty())
            continue;
        const Decimal rx = Decimal::leadingNumber(row.freqText[0]);
        CsvRecord r{std::to_string(n), "", frequency(rx)};
        if (row.freqText[1].empty()) {
            r.insert(r.end(), {"off", frequency(Decimal())});
        } else {
            const Decimal tx = Decimal::leadingNumber(row.freqText[1]);
            const std::int64_t diff = frequencyUnits(tx) - frequencyUnits(rx);
            const char* duplex = diff > 0 ? "+" : diff < 0 ? "-" : "";
            r.insert(r.end(), {duplex, frequency(Decimal::fromScaled(diff < 0 ? -diff : diff,
                                                                     FrequencyDecimals))});
        }
        putTones(toneAt(row.listIndex[TxToneIndex]), toneAt(row.listIndex[RxToneIndex]), r);
        r.push_back(row.listIndex[WidthIndex] == Narrow ? "NFM" : "FM");
        r.push_back("5.00");
        r.push_back(row.listIndex[ScanIndex] == ScanOff ? "S" : "");
        r.push_back(row.listIndex[PowerIndex] == PowerLow ? "Low" : "High");
        r.insert(r.end(), {"", "", "", "", ""});
        r.push_back(row.listIndex[LockIndex] == LockOn ? "On" : "Off");
        out += csvLine(r);
    }
    return out;
}

std::vector<std::string> exportNotes(const image::ChannelTableValues& table) {
    image::EditorValues values;
    values.Form1 = table;
    std::vector<std::string> notes;
    for (const settings::UnwritableValue& value : settings::unwritableValues(values))
        notes.push_back(
            settings::describe(value) +
            (value.kind == settings::UnwritableValue::Kind::ToneInNoTable
                 ? "; exported without a tone"
                 : "; exported as if it were " + frequency(Decimal::leadingNumber(value.held))));
    return notes;
}

} // namespace exchange
