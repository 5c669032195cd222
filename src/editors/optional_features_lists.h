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

inline constexpr std::string_view DefaultOffsetText = "10.00000";
inline constexpr std::string_view InitialPresentChannelText = "1";

} // namespace editors::features
