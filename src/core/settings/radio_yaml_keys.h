// How the YAML form of a radio nests the catalogue's keys: "band" at the
// top, "channels[].power" as channels: {N: {power: ...}}, "features.squelch"
// as features: {squelch: ...}, "fm.presets[]" as fm: {presets: {N: ...}}.
#pragma once

#include "settings/setting.h"

#include <string>
#include <string_view>
#include <vector>

namespace settings::yaml {

inline constexpr std::string_view ChannelsKey = "channels";
inline constexpr std::string_view UnshownKey = "unshown_bytes";

struct FilePlace {
    std::string_view section; // empty for a key at the top
    std::string_view name;
    bool perChannel = false; // under channels: {N: ...}
    bool perIndex = false;   // name: {N: value}
};

FilePlace filePlaceOf(const Setting& setting);

// The settings the file holds: those the image holds, in catalogue order.
std::vector<const Setting*> fileSettings();

// The sections below the top other than the channels, in catalogue order.
std::vector<std::string_view> sections();

// The names a section takes ("channels" for a channel's), joined for a message.
std::string namesIn(std::string_view section);

} // namespace settings::yaml
