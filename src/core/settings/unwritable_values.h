// Values an image can hold that no window can write back: the windows show
// them, but a write or an export turns them into something else. Found once
// here, by catalogue key, for every place that must say so.
#pragma once

#include "image/editor_values.h"

#include <string>
#include <vector>

namespace settings {

struct UnwritableValue {
    enum class Kind {
        ToneInNoTable, // a tone code the tone lists lack: a write sends no tone
        NotAFrequency, // a frequency with digits that are not decimal
    };
    Kind kind;
    std::string key;  // "channels[99].rx_tone"
    std::string held; // the value as the windows show it: "6F.F"
};

// In key order: channel by channel, each in column order.
std::vector<UnwritableValue> unwritableValues(const image::EditorValues& values);

// What a write sends in place of the value, as the window in `language`
// names it; the held text itself when the write keeps it.
std::string writtenText(const UnwritableValue& value, int language);

// "channels[99].rx_tone: 6F.F is a tone code in no tone list", in English.
std::string describe(const UnwritableValue& value);

// The same, then what a write sends instead ("; written as Off"); empty
// when a write keeps the value as it is.
std::string writeNote(const UnwritableValue& value);

} // namespace settings
