#pragma once

#include <array>
#include <string_view>

// Where the optional features window places its settings.
namespace editors::features {

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

} // namespace editors::features
