#pragma once

#include <array>
#include <string_view>

// The list texts of the optional features window that are the same in both
// languages, and the positions its StartForm selects. Plain data, so other
// tools can print the settings with the same texts.
namespace editors::features {

struct FixedList {
    std::string_view list;                  // objectName of the list
    int firstPosition;                      // entries before it come from the language table
    std::array<std::string_view, 10> texts; // empty entries end the list
};

inline constexpr std::array FixedLists{
    FixedList{"Combo3", 0, {"5K", "10K", "6.25K", "12.5K", "25K"}},
    FixedList{"Combo5", 0, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
    FixedList{"Combo14", 1, {"1", "2", "3", "4", "5", "6", "7", "8", "9"}},
    FixedList{"Combo15", 0, {"0.5", "1", "1.5", "2", "2.5", "3"}},
    // Hidden lists that keep their Chinese texts in both languages.
    FixedList{"Combo26", 0, {"禁止", "使能"}},
    FixedList{"Combo28", 0, {"使能", "禁止"}},
};

// Captions of the hidden labels, Chinese in both languages.
inline constexpr std::string_view ScanAddCaption = "扫描添加:"; // Label26
inline constexpr std::string_view AniCaption = "ANI:";          // Label28

// A control and the label that captions it.
struct Captioned {
    std::string_view label;
    std::string_view control;
};

// The function page: the left column top to bottom, then the right column
// under the present channel box.
inline constexpr std::array<Captioned, 8> FunctionPageLeft{{
    {"Label1", "Combo16"},
    {"Label13", "Combo6"},
    {"Label105", "Combo105"},
    {"Label7", "Combo7"},
    {"Label9", "Combo9"},
    {"Label16", "Combo12"},
    {"Label2", "Combo1"},
    {"Label4", "Combo11"},
}};
inline constexpr Captioned PresentChannel{"Label6", "Text6"};
inline constexpr std::array<Captioned, 8> FunctionPageRight{{
    {"Label3", "Combo3"},
    {"Label5", "Combo5"},
    {"Label8", "Combo8"},
    {"Label10", "Combo10"},
    {"Label19", "Combo19"},
    {"Label11", "Combo13"},
    {"Label31", "Combo4"},
    {"Label12", "Combo2"},
}};
// The VFO page, two to a row: the two entry boxes first, then the lists.
inline constexpr std::array<Captioned, 8> VfoPage{{
    {"Label20", "Text20"},
    {"Label21", "Text21"},
    {"Label22", "Combo22"},
    {"Label23", "Combo23"},
    {"Label24", "Combo24"},
    {"Label25", "Combo25"},
    {"Label30", "Combo30"},
    {"Label27", "Combo27"},
}};
inline constexpr std::array<Captioned, 2> VoxFrame{{
    {"Label14", "Combo14"},
    {"Label15", "Combo15"},
}};

// The tone lists: the off entry of the language table, then the tone table.
inline constexpr std::array<std::string_view, 2> ToneLists{"Combo22", "Combo23"};

struct Default {
    std::string_view list;
    int position;
};

// StartForm's selections.
inline constexpr std::array Defaults{
    Default{"Combo16", 1}, Default{"Combo6", 0},  Default{"Combo105", 1}, Default{"Combo7", 1},
    Default{"Combo9", 1},  Default{"Combo12", 1}, Default{"Combo1", 1},   Default{"Combo11", 1},
    Default{"Combo3", 4},  Default{"Combo5", 4},  Default{"Combo8", 1},   Default{"Combo10", 1},
    Default{"Combo19", 1}, Default{"Combo13", 1}, Default{"Combo4", 1},   Default{"Combo2", 1},
    Default{"Combo14", 0}, Default{"Combo15", 1}, Default{"Combo22", 0},  Default{"Combo23", 0},
    Default{"Combo24", 1}, Default{"Combo25", 1}, Default{"Combo30", 2},  Default{"Combo27", 1},
    Default{"Combo26", 1}, Default{"Combo28", 1},
};

} // namespace editors::features
