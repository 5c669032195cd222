#include "settings/unwritable_values.h"

#include "image/decimal_text.h"
#include "settings/catalogue.h"
#include "settings/setting_values.h"

namespace settings {

namespace {

bool isChannelFrequency(Field field) {
    return field == Field::ChannelRxFrequency || field == Field::ChannelTxFrequency;
}

bool isChannelTone(Field field) {
    return field == Field::ChannelRxTone || field == Field::ChannelTxTone;
}

} // namespace

std::vector<UnwritableValue> unwritableValues(const image::EditorValues& values) {
    using Kind = UnwritableValue::Kind;
    std::vector<UnwritableValue> found;
    for (int n = 1; n <= image::ChannelCount; ++n) {
        if (values.Form1.row(n).isEmpty())
            continue;
        for (const Setting& setting : catalogue()) {
            if (!isChannelFrequency(setting.field) && !isChannelTone(setting.field))
                continue;
            const std::string text = textOf(setting, values, n);
            // A tone the lists lack keeps its text at position 0, which the
            // encoder writes as no tone.
            if (isChannelTone(setting.field) && !text.empty() &&
                positionOf(setting, values, n) == 0)
                found.push_back({Kind::ToneInNoTable, keyOf(setting, n), text});
            if (isChannelFrequency(setting.field) && !text.empty() && !image::isNumber(text))
                found.push_back({Kind::NotAFrequency, keyOf(setting, n), text});
        }
    }
    return found;
}

std::string writtenText(const UnwritableValue& value, int language) {
    if (value.kind == UnwritableValue::Kind::ToneInNoTable)
        if (const auto keyed = findKey(value.key))
            return entryText(*keyed->setting, 0, language);
    return value.held;
}

std::string describe(const UnwritableValue& value) {
    switch (value.kind) {
    case UnwritableValue::Kind::ToneInNoTable:
        return value.key + ": " + value.held + " is a tone code in no tone list";
    case UnwritableValue::Kind::NotAFrequency:
        return value.key + ": " + value.held + " is not a frequency";
    }
    return value.key;
}

std::string writeNote(const UnwritableValue& value) {
    const std::string written = writtenText(value, 1);
    return written == value.held ? std::string() : describe(value) + "; written as " + written;
}

} // namespace settings
