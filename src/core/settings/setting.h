// A setting of the radio as the windows show it: its key, where it is shown,
// its captions and list entries in both languages, its limits, and the rule
// by which a window takes a decoded value. The catalogue (catalogue.h) holds
// one of these for every setting the windows show.
#pragma once

#include <span>
#include <string_view>

namespace settings {

// A text in both languages; language 0 is Chinese, 1 English.
struct Texts {
    const char* zh;
    const char* en;
    constexpr const char* in(int language) const { return language == 0 ? zh : en; }
};

enum class Kind {
    List,   // a drop-down list: the value is a position
    Text,   // an entry box or a table cell: the value is a text
    Number, // a slider: the value is a whole number
    Check,  // a check box the windows never show checked
};

// How a window takes a decoded value.
enum class Taking {
    WhenListHolds, // a position the list lacks leaves the list as it was
    WithinRange,   // a number outside the limits leaves the control as it was
    Always,        // a text is always shown
    AsEntered,     // a text goes through the box's entry check, as if typed
    Never,         // the image does not hold the setting: it keeps what New gave it
};

// Where the value lives in image::EditorValues.
enum class Field {
    None, // shown only by the windows, held by no image
    Band,
    ChannelRxFrequency,
    ChannelTxFrequency,
    ChannelRxTone,
    ChannelTxTone,
    ChannelFlag, // the channel table's list column `column`
    FeatureList, // OptionalFeaturesValues: the list named by the control
    FeatureText, // OptionalFeaturesValues: the box named by the control
    DtmfPttId,
    DtmfOwnCode,
    FmPreset,
    FmList, // FmPresetValues::Combo1[column]
    FmFullBand,
    HighPower,
    LowPower,
};

struct Setting {
    std::string_view key; // "features.squelch"; "channels[].rx_tone" for an indexed setting
    const char* window;   // objectName of the window: "Form3"
    const char* control;  // objectName of the control: "Combo5"; a table's name for a column
    const char* label;    // objectName of the caption beside it; empty: none of its own
    Texts caption;        // as the window shows it, colon and all
    Kind kind;
    Field field;
    Taking taking;
    std::span<const Texts> entries{}; // a list's entries before any tone texts
    bool tones = false;               // the list goes on with the 260 tone texts
    int newPosition = 0;              // a list's position, a number's value, after New
    int minimum = 0;                  // a number's limits, a text's length limits
    int maximum = 0;
    int count = 1;         // how many: 99 channels, 32 FM presets; else 1
    int column = 0;        // the table column, or the member of a list array
    const char* list = ""; // the drop-down list that edits a table cell
    bool hidden = false;   // the window never shows the control

    bool isIndexed() const { return count > 1; }
    bool inImage() const { return field != Field::None; }
};

} // namespace settings
