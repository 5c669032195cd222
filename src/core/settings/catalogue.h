// The catalogue of every setting the windows show, in the order each window
// shows them; the windows, the command line, the printout and the text form
// of a radio all read it.
#pragma once

#include "settings/setting.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace settings {

std::span<const Setting> catalogue();

// The setting shown by `control` of `window`; nullptr when none is.
const Setting* settingOf(std::string_view window, std::string_view control);

// The band list's entries, in code order: a position is a band code.
std::span<const Texts> bandEntries();
inline constexpr int DefaultBandCode = 3; // "400-480MHz"

// A key with its index: "channels[12].rx_tone" is the rx_tone of channel 12.
struct KeyedSetting {
    const Setting* setting;
    int index; // 1..count; 1 for a setting that is not indexed
};

// The key of `setting` at `index` ("channels[12].rx_tone").
std::string keyOf(const Setting& setting, int index = 1);

// The setting a key names; nothing for a key the catalogue lacks or an
// index outside 1..count.
std::optional<KeyedSetting> findKey(std::string_view key);

} // namespace settings
