#include "settings/setting_values.h"

#include "image/dtmf_text.h"
#include "image/tone_codes.h"
#include "settings/catalogue.h"
#include "settings/feature_entries.h"
#include "settings/fm_entry.h"

#include <charconv>
#include <cstring>

namespace settings {

namespace {

using Values = image::OptionalFeaturesValues;

// The optional features' lists, by control name.
constexpr std::pair<std::string_view, image::ListPosition Values::*> FeatureLists[] = {
    {"Combo1", &Values::Combo1},   {"Combo2", &Values::Combo2},   {"Combo3", &Values::Combo3},
    {"Combo4", &Values::Combo4},   {"Combo5", &Values::Combo5},   {"Combo6", &Values::Combo6},
    {"Combo7", &Values::Combo7},   {"Combo8", &Values::Combo8},   {"Combo9", &Values::Combo9},
    {"Combo10", &Values::Combo10}, {"Combo11", &Values::Combo11}, {"Combo12", &Values::Combo12},
    {"Combo13", &Values::Combo13}, {"Combo14", &Values::Combo14}, {"Combo15", &Values::Combo15},
    {"Combo16", &Values::Combo16}, {"Combo19", &Values::Combo19}, {"Combo105", &Values::Combo105},
    {"Combo22", &Values::Combo22}, {"Combo23", &Values::Combo23}, {"Combo24", &Values::Combo24},
    {"Combo25", &Values::Combo25}, {"Combo27", &Values::Combo27}, {"Combo30", &Values::Combo30},
};

constexpr std::pair<std::string_view, std::string Values::*> FeatureTexts[] = {
    {"Text6", &Values::Text6}, {"Text20", &Values::Text20}, {"Text21", &Values::Text21}};

template <typename Member, std::size_t N>
Member memberOf(const std::pair<std::string_view, Member> (&table)[N], std::string_view control) {
    for (const auto& [name, member] : table)
        if (name == control)
            return member;
    return nullptr;
}

std::size_t slot(int index) {
    return std::size_t(index - 1);
}

// The list position a setting keeps in the values; nullptr for none.
image::ListPosition* positionSlot(const Setting& setting, image::EditorValues& values) {
    switch (setting.field) {
    case Field::Band:
        return &values.band;
    case Field::FeatureList:
        if (const auto member = memberOf(FeatureLists, setting.control))
            return &(values.Form3.*member);
        return nullptr;
    case Field::FmList:
        return &values.Form5.Combo1.at(std::size_t(setting.column));
    default:
        return nullptr;
    }
}

// The text a setting keeps in the values; nullptr for none.
std::string* textSlot(const Setting& setting, image::EditorValues& values, int index) {
    switch (setting.field) {
    case Field::ChannelRxFrequency:
        return &values.Form1.row(index).freqText[0];
    case Field::ChannelTxFrequency:
        return &values.Form1.row(index).freqText[1];
    case Field::ChannelRxTone:
        return &values.Form1.row(index).toneText[0];
    case Field::ChannelTxTone:
        return &values.Form1.row(index).toneText[1];
    case Field::FeatureText:
        if (const auto member = memberOf(FeatureTexts, setting.control))
            return &(values.Form3.*member);
        return nullptr;
    case Field::FmPreset:
        return &values.Form5.presets.at(slot(index));
    case Field::FmFullBand:
        return &values.Form5.Text2;
    default:
        return nullptr;
    }
}

std::u16string* codeSlot(const Setting& setting, image::EditorValues& values) {
    if (setting.field == Field::DtmfPttId)
        return &values.Form2.Text2;
    if (setting.field == Field::DtmfOwnCode)
        return &values.Form2.Text3;
    return nullptr;
}

int* numberSlot(const Setting& setting, image::EditorValues& values, int index) {
    switch (setting.field) {
    case Field::HighPower:
        return &values.Form4.Slider1;
    case Field::LowPower:
        return &values.Form4.Slider2;
    case Field::ChannelRxTone:
    case Field::ChannelTxTone:
    case Field::ChannelFlag:
        return &values.Form1.row(index).listIndex.at(std::size_t(setting.column - 3));
    default:
        return nullptr;
    }
}

bool isChannelField(Field field) {
    return field >= Field::ChannelRxFrequency && field <= Field::ChannelFlag;
}

std::string utf8(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) {
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// A DTMF code as its box takes it: its characters, cut to the box's length.
std::u16string dtmfCode(std::u16string_view code, int maximum) {
    std::u16string kept;
    for (const char16_t c : code)
        if (const auto key = image::dtmfKey(c))
            kept += *key;
    return kept.substr(0, std::size_t(maximum));
}

void takeChannel(image::ChannelRow& shown, const image::ChannelRow& decoded) {
    if (decoded.isEmpty()) {
        shown = {};
        return;
    }
    shown.freqText = decoded.freqText;
    shown.toneText = decoded.toneText;
    for (std::size_t tone = 0; tone < 2; ++tone)
        shown.listIndex[tone] = decoded.toneText[tone].empty() ? 0 : decoded.listIndex[tone];
    for (std::size_t flag = 2; flag < shown.listIndex.size(); ++flag)
        if (decoded.listIndex[flag] == 0 || decoded.listIndex[flag] == 1)
            shown.listIndex[flag] = decoded.listIndex[flag];
}

// An FM frequency as its box takes a typed one: a preset refused keeps what
// it held, a full-band frequency refused is cleared.
void takeEntered(const Setting& setting, std::string& shown, const std::string& decoded) {
    const bool preset = setting.field == Field::FmPreset;
    const editors::FmEntry entry =
        preset ? editors::checkFmPreset(decoded) : editors::checkFmFullBand(decoded);
    if (entry.verdict == editors::FmEntry::Accepted)
        shown = entry.text;
    else if (entry.verdict == editors::FmEntry::Empty ||
             (!preset && entry.verdict == editors::FmEntry::OutOfRange))
        shown.clear();
}

} // namespace

int entryCount(const Setting& setting) {
    return int(setting.entries.size()) + (setting.tones ? image::ToneCount : 0);
}

std::string entryText(const Setting& setting, int position, int language) {
    const int own = int(setting.entries.size());
    if (position >= 0 && position < own)
        return setting.entries[std::size_t(position)].in(language);
    if (setting.tones)
        return std::string(image::toneText(position - own + 1));
    return {};
}

image::BandLimits bandLimits(int band) {
    const std::span<const Texts> bands = bandEntries();
    const char* entry =
        bands[std::size_t(band >= 0 && band < int(bands.size()) ? band : DefaultBandCode)].en;
    int low = 0, high = 0;
    std::from_chars(entry, entry + 3, low);
    std::from_chars(entry + 4, entry + 7, high);
    return {low, high};
}

image::EditorValues newValues(int band) {
    image::EditorValues values;
    for (const Setting& setting : catalogue()) {
        if (setting.kind == Kind::List) {
            if (image::ListPosition* position = positionSlot(setting, values))
                *position = setting.newPosition;
        } else if (setting.kind == Kind::Number) {
            if (int* number = numberSlot(setting, values, 1))
                *number = setting.newPosition;
        }
    }
    values.band = band;
    values.Form3.Text6 = editors::features::InitialPresentChannelText;
    values.Form3.Text20 = editors::features::bandCentreText(bandLimits(band));
    values.Form3.Text21 = editors::features::DefaultOffsetText;
    return values;
}

void takeDecoded(image::EditorValues& shown, const image::DecodedImage& decoded) {
    for (int n = 1; n <= image::ChannelCount; ++n)
        takeChannel(shown.Form1.row(n), decoded.Form1.row(n));
    image::EditorValues source;
    static_cast<image::WindowValues&>(source) = decoded;
    for (const Setting& setting : catalogue()) {
        if (isChannelField(setting.field))
            continue;
        switch (setting.taking) {
        case Taking::WhenListHolds:
            if (const image::ListPosition& position = *positionSlot(setting, source);
                position && *position >= 0 && *position < entryCount(setting))
                *positionSlot(setting, shown) = position;
            break;
        case Taking::WithinRange:
            if (const int number = *numberSlot(setting, source, 1);
                number >= setting.minimum && number <= setting.maximum)
                *numberSlot(setting, shown, 1) = number;
            break;
        case Taking::Always:
            for (int index = 1; index <= setting.count; ++index)
                if (std::string* text = textSlot(setting, source, index))
                    *textSlot(setting, shown, index) = *text;
                else if (std::u16string* code = codeSlot(setting, source))
                    *codeSlot(setting, shown) = dtmfCode(*code, setting.maximum);
            break;
        case Taking::AsEntered:
            for (int index = 1; index <= setting.count; ++index)
                takeEntered(setting, *textSlot(setting, shown, index),
                            *textSlot(setting, source, index));
            break;
        case Taking::Never:
            break;
        }
    }
}

image::EditorValues shownValues(const image::DecodedImage& decoded, std::optional<int> band) {
    image::EditorValues shown = newValues(DefaultBandCode);
    if (band && *band >= 0 && *band < int(bandEntries().size())) {
        shown.band = band;
        shown.Form3.Text20 = editors::features::bandCentreText(bandLimits(*band));
    }
    takeDecoded(shown, decoded);
    return shown;
}

std::optional<int> positionOf(const Setting& setting, const image::EditorValues& values,
                              int index) {
    auto& mutableValues = const_cast<image::EditorValues&>(values);
    if (const image::ListPosition* position = positionSlot(setting, mutableValues))
        return *position;
    if (const int* number = numberSlot(setting, mutableValues, index))
        return *number;
    if (setting.field == Field::None && setting.kind != Kind::Text)
        return setting.newPosition;
    return std::nullopt;
}

std::string textOf(const Setting& setting, const image::EditorValues& values, int index) {
    auto& mutableValues = const_cast<image::EditorValues&>(values);
    if (const std::string* text = textSlot(setting, mutableValues, index))
        return *text;
    if (const std::u16string* code = codeSlot(setting, mutableValues))
        return utf8(*code);
    return {};
}

std::string valueText(const Setting& setting, const image::EditorValues& values, int index,
                      int language) {
    if (isChannelField(setting.field) && values.Form1.row(index).isEmpty())
        return {};
    switch (setting.kind) {
    case Kind::List:
        if (setting.field == Field::ChannelRxTone || setting.field == Field::ChannelTxTone)
            if (std::string tone = textOf(setting, values, index); !tone.empty())
                return tone;
        if (const auto position = positionOf(setting, values, index))
            return entryText(setting, *position, language);
        return {};
    case Kind::Number:
        return std::to_string(positionOf(setting, values, index).value_or(0));
    case Kind::Text:
        return textOf(setting, values, index);
    case Kind::Check:
        return {};
    }
    return {};
}

bool setValue(const Setting& setting, image::EditorValues& values, int index,
              const ParsedValue& value) {
    if (!setting.inImage() || !value.ok() || index < 1 || index > setting.count)
        return false;
    if (image::ListPosition* position = positionSlot(setting, values)) {
        *position = value.number;
        return true;
    }
    if (setting.field == Field::ChannelRxTone || setting.field == Field::ChannelTxTone) {
        // Off is position 0 with no tone text; a tone keeps its text and position.
        const int position = value.number.value_or(0);
        *numberSlot(setting, values, index) = position < int(setting.entries.size()) ? 0 : position;
        *textSlot(setting, values, index) =
            position < int(setting.entries.size()) ? std::string() : value.text;
        return true;
    }
    if (int* number = numberSlot(setting, values, index)) {
        *number = value.number.value_or(0);
        return true;
    }
    if (std::string* text = textSlot(setting, values, index)) {
        *text = value.text;
        return true;
    }
    if (std::u16string* code = codeSlot(setting, values)) {
        *code = std::u16string(value.text.begin(), value.text.end());
        return true;
    }
    return false;
}

} // namespace settings
