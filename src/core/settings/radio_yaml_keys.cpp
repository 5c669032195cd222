#include "settings/radio_yaml_keys.h"

#include "settings/catalogue.h"

#include <algorithm>

namespace settings::yaml {

namespace {

std::string_view withoutIndex(std::string_view part, bool& indexed) {
    indexed = part.ends_with("[]");
    return indexed ? part.substr(0, part.size() - 2) : part;
}

} // namespace

FilePlace filePlaceOf(const Setting& setting) {
    FilePlace place;
    const std::string_view key = setting.key;
    const auto dot = key.find('.');
    if (dot == std::string_view::npos) {
        place.name = withoutIndex(key, place.perIndex);
        return place;
    }
    place.section = withoutIndex(key.substr(0, dot), place.perChannel);
    place.name = withoutIndex(key.substr(dot + 1), place.perIndex);
    return place;
}

std::vector<const Setting*> fileSettings() {
    std::vector<const Setting*> held;
    for (const Setting& setting : catalogue())
        if (setting.inImage())
            held.push_back(&setting);
    return held;
}

std::vector<std::string_view> sections() {
    std::vector<std::string_view> found;
    for (const Setting* setting : fileSettings()) {
        const FilePlace place = filePlaceOf(*setting);
        if (!place.section.empty() && !place.perChannel &&
            std::ranges::find(found, place.section) == found.end())
            found.push_back(place.section);
    }
    return found;
}

std::string namesIn(std::string_view section) {
    std::string names;
    for (const Setting* setting : fileSettings())
        if (filePlaceOf(*setting).section == section)
            names += (names.empty() ? "" : ", ") + std::string(filePlaceOf(*setting).name);
    return names;
}

} // namespace settings::yaml
