#include "image/hex_text.h"
#include "image/image_decoder.h"
#include "image/image_encoder.h"
#include "settings/catalogue.h"
#include "settings/image_places.h"
#include "settings/radio_yaml.h"
#include "settings/radio_yaml_keys.h"
#include "settings/setting_values.h"
#include "settings/unwritable_values.h"
#include "settings/value_gate.h"

#include <algorithm>
#include <map>
#include <set>
#include <yaml-cpp/yaml.h>

namespace settings {

namespace {

using namespace settings::yaml;

// Bytes per line of unshown_bytes.
constexpr std::size_t RunLength = 16;

// Words a YAML 1.1 reader takes for a boolean or for nothing.
constexpr std::string_view NotTexts[] = {"y",     "Y",     "yes",  "Yes",  "YES",  "n",    "N",
                                         "no",    "No",    "NO",   "true", "True", "TRUE", "false",
                                         "False", "FALSE", "on",   "On",   "ON",   "off",  "Off",
                                         "OFF",   "null",  "Null", "NULL", "~"};

// A value another YAML tool would load as a boolean, as nothing, or as a
// number it writes back otherwise ("08", "0123" read as octal), so a file it
// saves would no longer import: written quoted.
bool needsQuotes(std::string_view text) {
    if (std::ranges::find(NotTexts, text) != std::end(NotTexts))
        return true;
    const std::string_view digits =
        text.starts_with('-') || text.starts_with('+') ? text.substr(1) : text;
    return digits.size() > 1 && digits[0] == '0' &&
           std::ranges::all_of(digits, [](char c) { return (c >= '0' && c <= '9') || c == '_'; });
}

// A value as the file writes it.
void put(YAML::Emitter& out, const std::string& text) {
    if (needsQuotes(text))
        out << YAML::DoubleQuoted;
    out << text;
}

class Writer {
  public:
    Writer(const image::MemoryImage& image, std::optional<int> band)
        : m_values(shownValues(image::decodeImage(image), band)),
          m_band(m_values.band.value_or(DefaultBandCode)) {
        for (UnwritableValue& value : unwritableValues(m_values))
            m_unwritable.emplace(value.key, std::move(value));
    }

    void write(const image::MemoryImage& image) {
        m_out.SetIndent(2);
        m_out << YAML::BeginMap;
        for (const Setting* setting : fileSettings())
            if (filePlaceOf(*setting).section.empty())
                value(*setting, 1);
        channels();
        for (const std::string_view section : sections())
            this->section(section);
        unshown(image);
        m_out << YAML::EndMap;
    }

    std::string text() const { return m_out.c_str(); }
    std::vector<std::string>& report() { return m_report; }
    const std::set<std::string>& reportedKeys() const { return m_reportedKeys; }
    bool importable() const { return m_importable; }

  private:
    // The key and its value as the English window shows it, or what a write
    // sends where the window cannot write it back.
    void value(const Setting& setting, int index) {
        const FilePlace place = filePlaceOf(setting);
        const std::string key = keyOf(setting, index);
        std::string text = valueText(setting, m_values, index, English);
        std::string named = key + ": " + text; // how a refusal names the value
        if (const auto found = m_unwritable.find(key); found != m_unwritable.end()) {
            if (std::string written = writeNote(found->second); !written.empty()) {
                text = writtenText(found->second, English);
                note(key, written);
            } else {
                named = describe(found->second);
            }
        }
        if (const ParsedValue checked = enterValue(setting, text, m_band); !checked.ok()) {
            note(key, named + ": an import refuses it until it is mended; allowed: " +
                          checked.allowed.en);
            m_importable = false;
        }
        if (place.perIndex)
            m_out << YAML::Key << index;
        else
            m_out << YAML::Key << std::string(place.name);
        m_out << YAML::Value;
        put(m_out, text);
    }

    void note(const std::string& key, const std::string& line) {
        m_report.push_back(line);
        m_reportedKeys.insert(key);
    }

    void channels() {
        m_out << YAML::Key << std::string(ChannelsKey) << YAML::Value;
        std::vector<int> used;
        for (int n = 1; n <= image::ChannelCount; ++n)
            if (!m_values.Form1.row(n).isEmpty())
                used.push_back(n);
        if (used.empty()) {
            m_out << YAML::Flow << YAML::BeginMap << YAML::EndMap;
            return;
        }
        m_out << YAML::BeginMap;
        for (const int n : used) {
            m_out << YAML::Key << n << YAML::Value << YAML::BeginMap;
            for (const Setting* setting : fileSettings())
                if (filePlaceOf(*setting).perChannel)
                    value(*setting, n);
            m_out << YAML::EndMap;
        }
        m_out << YAML::EndMap;
    }

    void section(std::string_view name) {
        m_out << YAML::Key << std::string(name) << YAML::Value << YAML::BeginMap;
        for (const Setting* setting : fileSettings()) {
            const FilePlace place = filePlaceOf(*setting);
            if (place.section != name)
                continue;
            if (!place.perIndex) {
                value(*setting, 1);
                continue;
            }
            // Indexed values in use, by number; none is an empty map.
            std::vector<int> used;
            for (int index = 1; index <= setting->count; ++index)
                if (!valueText(*setting, m_values, index, English).empty())
                    used.push_back(index);
            m_out << YAML::Key << std::string(place.name) << YAML::Value;
            if (used.empty()) {
                m_out << YAML::Flow << YAML::BeginMap << YAML::EndMap;
                continue;
            }
            m_out << YAML::BeginMap;
            for (const int index : used)
                value(*setting, index);
            m_out << YAML::EndMap;
        }
        m_out << YAML::EndMap;
    }

    // The unshown bytes that differ from what the encoder puts there, in
    // runs of at most RunLength bytes, each under its first offset.
    void unshown(const image::MemoryImage& image) {
        image::MemoryImage encoded{};
        image::encodeImage(m_values, encoded);
        std::map<std::size_t, std::string> runs;
        std::size_t start = 0, length = 0;
        for (std::size_t offset = 0; offset < image::ImageSize; ++offset) {
            const bool kept = isUnshown(offset) && image[offset] != encoded[offset];
            if (!kept || length == RunLength)
                length = 0;
            if (!kept)
                continue;
            if (length == 0)
                start = offset;
            runs[start] += (length++ ? " " : "") + image::hexByte(image[offset]);
        }
        m_out << YAML::Key << std::string(UnshownKey) << YAML::Value;
        if (runs.empty()) {
            m_out << YAML::Flow << YAML::BeginMap << YAML::EndMap;
            return;
        }
        m_out << YAML::BeginMap;
        for (const auto& [offset, bytes] : runs) {
            char key[8];
            std::snprintf(key, sizeof key, "0x%03zX", offset);
            m_out << YAML::Key << key << YAML::Value;
            put(m_out, bytes);
        }
        m_out << YAML::EndMap;
    }

    const image::EditorValues m_values;
    const int m_band;
    std::map<std::string, UnwritableValue> m_unwritable;
    YAML::Emitter m_out;
    std::vector<std::string> m_report;
    std::set<std::string> m_reportedKeys;
    bool m_importable = true;
};

// Bytes the file cannot bring back although every value was written: what
// the encoder always writes in its own way (the fixed bits, an empty
// channel's other bytes) and what the windows read in their own way (an
// automatic power-off of 3), one line per place.
void reportRewritten(const image::MemoryImage& image, const image::MemoryImage& again,
                     const std::set<std::string>& reported, std::vector<std::string>& report) {
    std::map<std::string, std::string> places;
    std::vector<std::string> order;
    for (std::size_t offset = 0; offset < image::ImageSize; ++offset) {
        if (image[offset] == again[offset])
            continue;
        const std::string place = placeOf(offset);
        if (reported.contains(place))
            continue;
        char change[32];
        std::snprintf(change, sizeof change, "0x%03zX %s becomes %s", offset,
                      image::hexByte(image[offset]).c_str(), image::hexByte(again[offset]).c_str());
        std::string& line = places[place];
        if (line.empty())
            order.push_back(place);
        line += (line.empty() ? "" : ", ") + std::string(change);
    }
    for (const std::string& place : order)
        report.push_back(place +
                         ": the file cannot bring these bytes back as they were: " + places[place]);
}

} // namespace

YamlExport exportYaml(const image::MemoryImage& image, std::optional<int> band,
                      std::string_view program) {
    Writer writer(image, band);
    writer.write(image);
    YamlExport result;
    result.text =
        "# " + std::string(program) + " YAML, format " + std::to_string(YamlFormatVersion) +
        ": the memory of a TQ-305 radio, as the English windows show it.\n" + writer.text() + "\n";
    result.report = std::move(writer.report());
    if (writer.importable()) {
        const YamlImport again = importYaml(result.text);
        if (again.radio)
            reportRewritten(image, again.radio->image, writer.reportedKeys(), result.report);
    }
    return result;
}

} // namespace settings
