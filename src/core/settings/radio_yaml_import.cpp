#include "image/hex_text.h"
#include "image/image_decoder.h"
#include "image/image_encoder.h"
#include "settings/catalogue.h"
#include "settings/image_places.h"
#include "settings/radio_yaml.h"
#include "settings/radio_yaml_keys.h"
#include "settings/setting_values.h"
#include "settings/value_checks.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <sstream>
#include <yaml-cpp/yaml.h>

namespace settings {

namespace {

using namespace settings::yaml;

// Thrown inside the reader only, caught by importYaml.
struct Refusal {
    YamlError error;
};

[[noreturn]] void refuse(const YAML::Mark& mark, std::string key, std::string problem) {
    throw Refusal{{mark.line + 1, mark.column + 1, std::move(key), std::move(problem)}};
}

std::string joinKey(std::string_view parent, std::string_view child) {
    return parent.empty() ? std::string(child) : std::string(parent) + "." + std::string(child);
}

// A map's entries in file order; a key given twice is refused.
std::vector<std::pair<YAML::Node, YAML::Node>> entries(const YAML::Node& map, std::string_view key,
                                                       std::string_view allowed) {
    std::vector<std::pair<YAML::Node, YAML::Node>> found;
    if (map.IsNull())
        return found;
    if (!map.IsMap())
        refuse(map.Mark(), std::string(key),
               "not a map; allowed: a map of " + std::string(allowed));
    std::map<std::string, int> seen;
    for (auto it = map.begin(); it != map.end(); ++it) {
        if (!it->first.IsScalar())
            refuse(it->first.Mark(), std::string(key),
                   "a key that is not a name; allowed: " + std::string(allowed));
        const auto [at, added] = seen.emplace(it->first.Scalar(), it->first.Mark().line + 1);
        if (!added)
            refuse(it->first.Mark(), joinKey(key, it->first.Scalar()),
                   "given twice (first on line " + std::to_string(at->second) + "); allowed: once");
        found.emplace_back(it->first, it->second);
    }
    return found;
}

// A number 1..count written in decimal; nothing for anything else.
std::optional<int> number(const std::string& text, int count) {
    int n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size() || n < 1 || n > count)
        return std::nullopt;
    return n;
}

class Reader {
  public:
    Reader(const YAML::Node& root, const RadioImage* base) : m_root(root), m_base(base) {}

    RadioImage read() {
        const auto top = entries(m_root, "", allowedTop());
        const auto band = std::ranges::find_if(
            top, [](const auto& entry) { return entry.first.Scalar() == "band"; });
        const int code =
            band == top.end() ? (m_base ? m_base->band : DefaultBandCode) : readBand(band->second);
        m_limits = bandLimits(code);
        m_values =
            m_base ? shownValues(image::decodeImage(m_base->image), m_base->band) : newValues(code);
        for (const auto& [key, value] : top) {
            const std::string name = key.Scalar();
            if (name == "band")
                continue;
            if (name == ChannelsKey)
                readChannels(value);
            else if (name == UnshownKey)
                readUnshown(value);
            else if (isSection(name))
                readSection(name, value);
            else
                refuse(key.Mark(), name, "unknown key; allowed: " + allowedTop());
        }
        RadioImage radio;
        if (m_base)
            radio.image = m_base->image;
        image::encodeImage(m_values, radio.image);
        for (std::size_t offset = 0; offset < image::ImageSize; ++offset)
            if (m_unshown.contains(offset))
                radio.image[offset] = m_unshown[offset];
            else if (m_base && !m_unshownGiven && isUnshown(offset))
                radio.image[offset] = m_base->image[offset];
        radio.band = code;
        return radio;
    }

  private:
    static std::string allowedTop() {
        std::string names = "band, " + std::string(ChannelsKey);
        for (const std::string_view section : sections())
            names += ", " + std::string(section);
        return names + ", " + std::string(UnshownKey);
    }

    static bool isSection(const std::string& name) {
        const std::vector<std::string_view> known = sections();
        return std::ranges::find(known, name) != known.end();
    }

    static const Setting& bandSetting() { return *findKey("band")->setting; }

    int readBand(const YAML::Node& node) {
        const ParsedValue band = scalar(bandSetting(), 1, node);
        if (m_base && band.number != m_base->band)
            refuse(node.Mark(), "band",
                   band.text + " is refused; allowed: " +
                       entryText(bandSetting(), m_base->band, 1) + ", the band of the base file");
        return *band.number;
    }

    // A value checked as the windows check what is typed.
    ParsedValue scalar(const Setting& setting, int index, const YAML::Node& node) {
        const std::string key = keyOf(setting, index);
        if (!node.IsNull() && !node.IsScalar())
            refuse(node.Mark(), key,
                   std::string(node.IsMap() ? "a map" : "a list") +
                       " is refused; allowed: a single value");
        const std::string text = node.IsNull() ? std::string() : node.Scalar();
        ParsedValue value = checkValueText(setting, text, m_limits);
        if (!value.ok())
            refuse(node.Mark(), key,
                   (text.empty() ? std::string("an empty value") : text) +
                       " is refused; allowed: " + value.allowed);
        return value;
    }

    void readChannels(const YAML::Node& channels) {
        const std::string allowed = "channel numbers 1 to " + std::to_string(image::ChannelCount);
        for (const auto& [key, value] : entries(channels, ChannelsKey, allowed)) {
            const auto n = number(key.Scalar(), image::ChannelCount);
            if (!n)
                refuse(key.Mark(), joinKey(ChannelsKey, key.Scalar()),
                       "no channel; allowed: " + allowed);
            readChannel(*n, key, value);
        }
    }

    void readChannel(int n, const YAML::Node& key, const YAML::Node& fields) {
        image::ChannelRow& row = m_values.Form1.row(n);
        const std::string name = "channels[" + std::to_string(n) + "]";
        if (fields.IsNull()) {
            row = {};
            return;
        }
        const bool added = row.isEmpty();
        if (added)
            row.listIndex = {0, 0, 1, 1, 1, 1}; // a row typed into: tones off, the rest at 1
        bool txGiven = false;
        for (const auto& [field, value] : entries(fields, name, namesIn(ChannelsKey))) {
            const Setting* setting = channelSetting(field.Scalar());
            if (!setting)
                refuse(field.Mark(), name + "." + field.Scalar(),
                       "unknown key; allowed: " + namesIn(ChannelsKey));
            setValue(*setting, m_values, n, scalar(*setting, n, value));
            txGiven = txGiven || setting->field == Field::ChannelTxFrequency;
        }
        if (row.isEmpty())
            refuse(key.Mark(), name + ".rx_frequency",
                   "missing; allowed: a channel with its receive frequency, or ~ for none");
        if (added && !txGiven)
            row.freqText[1] = row.freqText[0];
    }

    static const Setting* channelSetting(const std::string& name) {
        for (const Setting* setting : fileSettings())
            if (filePlaceOf(*setting).perChannel && filePlaceOf(*setting).name == name)
                return setting;
        return nullptr;
    }

    void readSection(const std::string& section, const YAML::Node& map) {
        for (const auto& [key, value] : entries(map, section, namesIn(section))) {
            const Setting* setting = nullptr;
            for (const Setting* candidate : fileSettings())
                if (filePlaceOf(*candidate).section == section &&
                    filePlaceOf(*candidate).name == key.Scalar())
                    setting = candidate;
            if (!setting)
                refuse(key.Mark(), joinKey(section, key.Scalar()),
                       "unknown key; allowed: " + namesIn(section));
            if (!filePlaceOf(*setting).perIndex) {
                setValue(*setting, m_values, 1, scalar(*setting, 1, value));
                continue;
            }
            const std::string name = joinKey(section, key.Scalar());
            const std::string allowed = "numbers 1 to " + std::to_string(setting->count);
            for (const auto& [index, text] : entries(value, name, allowed)) {
                const auto k = number(index.Scalar(), setting->count);
                if (!k)
                    refuse(index.Mark(), name + "." + index.Scalar(),
                           "no such; allowed: " + allowed);
                setValue(*setting, m_values, *k, scalar(*setting, *k, text));
            }
        }
    }

    void readUnshown(const YAML::Node& map) {
        m_unshownGiven = true;
        const std::string allowed = "offsets such as 0x507 of bytes no window shows, each with "
                                    "bytes as two hexadecimal digits apart";
        for (const auto& [key, value] : entries(map, UnshownKey, allowed)) {
            const std::string name = joinKey(UnshownKey, key.Scalar());
            std::size_t offset = 0;
            const std::string& text = key.Scalar();
            const auto [end, error] =
                text.starts_with("0x")
                    ? std::from_chars(text.data() + 2, text.data() + text.size(), offset, 16)
                    : std::from_chars_result{text.data(), std::errc::invalid_argument};
            if (error != std::errc() || end != text.data() + text.size())
                refuse(key.Mark(), name, "not an offset; allowed: " + allowed);
            if (!value.IsScalar())
                refuse(value.Mark(), name, "not a row of bytes; allowed: " + allowed);
            std::istringstream bytes(value.Scalar());
            for (std::string digits; bytes >> digits; ++offset) {
                const auto byte = digits.size() == 2 ? image::parseHexByte(digits) : std::nullopt;
                if (!byte)
                    refuse(value.Mark(), name, digits + " is refused; allowed: " + allowed);
                if (offset >= image::ImageSize || !isUnshown(offset))
                    refuse(value.Mark(), name,
                           "reaches a byte a window shows; allowed: " + allowed);
                if (!m_unshown.emplace(offset, *byte).second)
                    refuse(value.Mark(), name, "gives a byte twice; allowed: " + allowed);
            }
        }
    }

    const YAML::Node& m_root;
    const RadioImage* m_base;
    image::BandLimits m_limits;
    image::EditorValues m_values;
    std::map<std::size_t, std::uint8_t> m_unshown;
    bool m_unshownGiven = false;
};

} // namespace

std::string errorLine(std::string_view file, const YamlError& error) {
    std::string line = std::string(file) + ":" + std::to_string(error.line) + ":" +
                       std::to_string(error.column) + ": ";
    if (!error.key.empty())
        line += error.key + ": ";
    return line + error.problem;
}

YamlImport importYaml(std::string_view text, const RadioImage* base) {
    YamlImport result;
    try {
        const YAML::Node root = YAML::Load(std::string(text));
        result.radio = Reader(root, base).read();
    } catch (const Refusal& refusal) {
        result.error = refusal.error;
    } catch (const YAML::Exception& error) {
        result.error = {error.mark.line + 1, error.mark.column + 1, "",
                        "not YAML (" + error.msg + "); allowed: a YAML map of settings"};
    }
    return result;
}

} // namespace settings
