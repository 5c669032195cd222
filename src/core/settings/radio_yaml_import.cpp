#include "image/hex_text.h"
#include "image/image_decoder.h"
#include "image/image_encoder.h"
#include "settings/catalogue.h"
#include "settings/image_places.h"
#include "settings/radio_yaml.h"
#include "settings/radio_yaml_keys.h"
#include "settings/setting_values.h"
#include "settings/value_gate.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <sstream>
#include <vector>
#include <yaml-cpp/depthguard.h>
#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/yaml.h>

namespace settings {

namespace {

using namespace settings::yaml;

// Thrown inside the reader only, caught by importYaml.
struct Refusal {
    YamlError error;
};

[[noreturn]] void refuse(const YAML::Mark& mark, std::string key, Phrase problem) {
    throw Refusal{{mark.line + 1, mark.column + 1, std::move(key), std::move(problem)}};
}

Phrase unknownKey(const std::string& allowed) {
    return refused({"未知的键", "unknown key"}, both(allowed));
}

// A node's place; a node the parser gave none (a value left out) is at its key.
YAML::Mark markOf(const YAML::Node& node, const YAML::Mark& key) {
    return node.Mark().is_null() ? key : node.Mark();
}

std::string joinKey(std::string_view parent, std::string_view child) {
    return parent.empty() ? std::string(child) : std::string(parent) + "." + std::string(child);
}

// A number 1..count written in decimal; nothing for anything else.
std::optional<int> number(const std::string& text, int count) {
    int n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size() || n < 1 || n > count)
        return std::nullopt;
    return n;
}

// A map's entries in file order; a key given twice is refused, and so is a
// number given twice in two spellings ("1" and "01") where `count` numbers
// the entries.
std::vector<std::pair<YAML::Node, YAML::Node>> entries(const YAML::Node& map, std::string_view key,
                                                       std::string_view allowed, int count = 0) {
    std::vector<std::pair<YAML::Node, YAML::Node>> found;
    if (map.IsNull())
        return found;
    if (!map.IsMap())
        refuse(map.Mark(), key.empty() ? std::string() : std::string(key),
               refused({"不是映射", "not a map"},
                       Phrase{"", "a map of "} + both(allowed) + Phrase{" 的映射", ""}));
    std::map<std::string, int> seen;
    for (auto it = map.begin(); it != map.end(); ++it) {
        if (!it->first.IsScalar())
            refuse(it->first.Mark(), std::string(key),
                   refused({"键不是名称", "a key that is not a name"}, both(allowed)));
        const std::optional<int> n = count ? number(it->first.Scalar(), count) : std::nullopt;
        const auto [at, added] = seen.emplace(n ? std::to_string(*n) : "=" + it->first.Scalar(),
                                              it->first.Mark().line + 1);
        if (!added) {
            const std::string first = std::to_string(at->second);
            refuse(it->first.Mark(), joinKey(key, it->first.Scalar()),
                   refused({"重复出现（第一次在第 " + first + " 行）",
                            "given twice (first on line " + first + ")"},
                           {"一次", "once"}));
        }
        found.emplace_back(it->first, it->second);
    }
    return found;
}

// An explicit empty map: "channels: {}" gives no channels at all.
bool isEmptyMap(const YAML::Node& node) {
    return node.IsMap() && node.size() == 0;
}

class Reader {
  public:
    Reader(const YAML::Node& root, const RadioImage* base) : m_root(root), m_base(base) {}

    RadioImage read() {
        const auto top = entries(m_root, "", allowedTop());
        if (top.empty()) // the file as a whole: its first line
            refuse(YAML::Mark(), "",
                   refused({"不含任何设置", "holds no settings"},
                           {"设置的 YAML 映射", "a YAML map of settings"}));
        const auto band = std::ranges::find_if(
            top, [](const auto& entry) { return entry.first.Scalar() == "band"; });
        const int code =
            band == top.end() ? (m_base ? m_base->band : DefaultBandCode) : readBand(band->second);
        m_band = code;
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
                refuse(key.Mark(), name, unknownKey(allowedTop()));
        }
        // Unshown bytes the file lists are its own; once it lists any, the
        // others are what the encoder writes (as the export compares them),
        // else the base's.
        RadioImage radio;
        image::encodeImage(m_values, radio.image);
        if (m_base) {
            image::MemoryImage over = m_base->image;
            image::encodeImage(m_values, over);
            for (std::size_t offset = 0; offset < image::ImageSize; ++offset)
                if (!isUnshown(offset))
                    radio.image[offset] = over[offset];
                else if (!m_unshownGiven)
                    radio.image[offset] = m_base->image[offset];
        }
        for (const auto& [offset, byte] : m_unshown)
            radio.image[offset] = byte;
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
        const ParsedValue band = scalar(bandSetting(), 1, node, node.Mark());
        if (m_base && band.number != m_base->band) {
            const std::string base = entryText(bandSetting(), m_base->band, English);
            refuse(node.Mark(), "band",
                   refused(both(band.text) + Phrase{" 不被接受", " is refused"},
                           {base + "（基础文件的频段）", base + ", the band of the base file"}));
        }
        return *band.number;
    }

    // A value checked as the windows check what is typed.
    ParsedValue scalar(const Setting& setting, int index, const YAML::Node& node,
                       const YAML::Mark& keyMark) {
        const std::string key = keyOf(setting, index);
        if (!node.IsNull() && !node.IsScalar())
            refuse(node.Mark(), key,
                   refused(node.IsMap() ? Phrase{"映射不被接受", "a map is refused"}
                                        : Phrase{"列表不被接受", "a list is refused"},
                           {"单个值", "a single value"}));
        const std::string text = node.IsNull() ? std::string() : node.Scalar();
        ParsedValue value = enterValue(setting, text, m_band);
        if (!value.ok())
            refuse(markOf(node, keyMark), key, refusalOf(text, value));
        return value;
    }

    void readChannels(const YAML::Node& channels) {
        const std::string count = std::to_string(image::ChannelCount);
        const Phrase allowed{"信道号 1 到 " + count, "channel numbers 1 to " + count};
        if (isEmptyMap(channels))
            for (int n = 1; n <= image::ChannelCount; ++n)
                m_values.Form1.row(n) = {};
        for (const auto& [key, value] :
             entries(channels, ChannelsKey, allowed.en, image::ChannelCount)) {
            const auto n = number(key.Scalar(), image::ChannelCount);
            if (!n)
                refuse(key.Mark(), joinKey(ChannelsKey, key.Scalar()),
                       refused({"没有该信道", "no channel"}, allowed));
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
                refuse(field.Mark(), name + "." + field.Scalar(), unknownKey(namesIn(ChannelsKey)));
            setValue(*setting, m_values, n, scalar(*setting, n, value, field.Mark()));
            txGiven = txGiven || setting->field == Field::ChannelTxFrequency;
        }
        if (row.isEmpty())
            refuse(key.Mark(), name + ".rx_frequency",
                   refused({"缺少", "missing"},
                           {"带接收频率的信道，或 ~ 表示无",
                            "a channel with its receive frequency, or ~ for none"}));
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
                refuse(key.Mark(), joinKey(section, key.Scalar()), unknownKey(namesIn(section)));
            if (!filePlaceOf(*setting).perIndex) {
                setValue(*setting, m_values, 1, scalar(*setting, 1, value, key.Mark()));
                continue;
            }
            const std::string name = joinKey(section, key.Scalar());
            const std::string count = std::to_string(setting->count);
            const Phrase allowed{"编号 1 到 " + count, "numbers 1 to " + count};
            if (isEmptyMap(value))
                for (int k = 1; k <= setting->count; ++k)
                    setValue(*setting, m_values, k, enterValue(*setting, "", m_band));
            for (const auto& [index, text] : entries(value, name, allowed.en, setting->count)) {
                const auto k = number(index.Scalar(), setting->count);
                if (!k)
                    refuse(index.Mark(), name + "." + index.Scalar(),
                           refused({"没有该编号", "no such"}, allowed));
                setValue(*setting, m_values, *k, scalar(*setting, *k, text, index.Mark()));
            }
        }
    }

    void readUnshown(const YAML::Node& map) {
        m_unshownGiven = true;
        const Phrase allowed{
            "窗口不显示的字节的偏移（如 0x507），每个字节写作两位十六进制数，以空格分开",
            "offsets such as 0x507 of bytes no window shows, each with "
            "bytes as two hexadecimal digits apart"};
        for (const auto& [key, value] : entries(map, UnshownKey, allowed.en)) {
            const std::string name = joinKey(UnshownKey, key.Scalar());
            std::size_t offset = 0;
            const std::string& text = key.Scalar();
            const auto [end, error] =
                text.starts_with("0x")
                    ? std::from_chars(text.data() + 2, text.data() + text.size(), offset, 16)
                    : std::from_chars_result{text.data(), std::errc::invalid_argument};
            if (error != std::errc() || end != text.data() + text.size())
                refuse(key.Mark(), name, refused({"不是偏移", "not an offset"}, allowed));
            if (!value.IsScalar())
                refuse(markOf(value, key.Mark()), name,
                       refused({"不是一行字节", "not a row of bytes"}, allowed));
            std::istringstream bytes(value.Scalar());
            for (std::string digits; bytes >> digits; ++offset) {
                const auto byte = digits.size() == 2 ? image::parseHexByte(digits) : std::nullopt;
                if (!byte)
                    refuse(value.Mark(), name,
                           refused(both(echoed(digits)) + Phrase{" 不被接受", " is refused"},
                                   allowed));
                if (offset >= image::ImageSize || !isUnshown(offset))
                    refuse(
                        value.Mark(), name,
                        refused({"涉及窗口显示的字节", "reaches a byte a window shows"}, allowed));
                if (!m_unshown.emplace(offset, *byte).second)
                    refuse(value.Mark(), name,
                           refused({"同一字节给出两次", "gives a byte twice"}, allowed));
            }
        }
    }

    const YAML::Node& m_root;
    const RadioImage* m_base;
    int m_band = DefaultBandCode;
    image::EditorValues m_values;
    std::map<std::size_t, std::uint8_t> m_unshown;
    bool m_unshownGiven = false;
};

// A column counted in bytes as counted in characters: a Chinese value before
// the fault counts one column per character.
int characterColumn(std::string_view text, int line, int byteColumn) {
    std::size_t start = 0;
    for (int n = 1; n < line && start != std::string_view::npos; ++n)
        if ((start = text.find('\n', start)) != std::string_view::npos)
            ++start;
    if (start == std::string_view::npos)
        return byteColumn;
    const std::string_view before = text.substr(start, std::size_t(std::max(byteColumn - 1, 0)));
    return 1 + int(std::ranges::count_if(
                   before, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The starts of the documents a text holds, as the parser meets them.
class DocumentStarts final : public YAML::EventHandler {
  public:
    std::vector<YAML::Mark> marks;

    void OnDocumentStart(const YAML::Mark& mark) override { marks.push_back(mark); }
    void OnDocumentEnd() override {}
    void OnNull(const YAML::Mark&, YAML::anchor_t) override {}
    void OnAlias(const YAML::Mark&, YAML::anchor_t) override {}
    void OnScalar(const YAML::Mark&, const std::string&, YAML::anchor_t,
                  const std::string&) override {}
    void OnSequenceStart(const YAML::Mark&, const std::string&, YAML::anchor_t,
                         YAML::EmitterStyle::value) override {}
    void OnSequenceEnd() override {}
    void OnMapStart(const YAML::Mark&, const std::string&, YAML::anchor_t,
                    YAML::EmitterStyle::value) override {}
    void OnMapEnd() override {}
};

// Where a second document begins; nothing when the text holds one at most.
// Two documents are read at most: on some damaged texts the parser meets
// document after document at the same place (YAML::LoadAll never ends).
std::optional<YAML::Mark> secondDocument(const std::string& text) {
    std::istringstream in(text);
    YAML::Parser parser(in);
    DocumentStarts starts;
    for (int n = 0; n < 2 && parser.HandleNextDocument(starts); ++n) {
    }
    if (starts.marks.size() < 2 || starts.marks[1].pos <= starts.marks[0].pos)
        return std::nullopt;
    return starts.marks[1];
}

// A fault of the file as a whole at a place given in lines and bytes.
YamlError fileError(std::string_view text, int line, int byteColumn, Phrase problem,
                    const Phrase& allowed = {"设置的 YAML 映射", "a YAML map of settings"}) {
    line = std::max(line, 1);
    return {line, characterColumn(text, line, std::max(byteColumn, 1)), "",
            refused(std::move(problem), allowed)};
}

// The radio a file gives, or where and why it was refused.
YamlError readFile(std::string_view text, const RadioImage* base,
                   std::optional<RadioImage>& radio) {
    // The reader would take a NUL for the end of the file.
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
        const std::string_view before = text.substr(0, nul);
        const std::size_t lineStart = before.rfind('\n') + 1; // 0 on the first line
        return fileError(text, 1 + int(std::ranges::count(before, '\n')), int(nul - lineStart) + 1,
                         {"含有 NUL 字符", "a NUL character"});
    }
    try {
        const std::string whole(text);
        const YAML::Node root = YAML::Load(whole);
        if (const std::optional<YAML::Mark> second = secondDocument(whole))
            return fileError(text, second->line + 1, second->column + 1,
                             {"第二个文档", "a second document"}, {"一个文档", "one document"});
        radio = Reader(root, base).read();
    } catch (const Refusal& refusal) {
        YamlError error = refusal.error;
        error.line = std::max(error.line, 1);
        error.column = characterColumn(text, error.line, std::max(error.column, 1));
        return error;
    } catch (const YAML::DeepRecursion& error) {
        return fileError(text, error.mark.line + 1, error.mark.column + 1,
                         {"嵌套过深", "nested too deeply"});
    } catch (const YAML::Exception& error) {
        return fileError(text, error.mark.line + 1, error.mark.column + 1,
                         {"不是 YAML（" + error.msg + "）", "not YAML (" + error.msg + ")"});
    }
    return {};
}

} // namespace

std::string errorLine(std::string_view file, const YamlError& error, int language) {
    std::string line = std::string(file) + ":" + std::to_string(error.line) + ":" +
                       std::to_string(error.column) + ": ";
    if (!error.key.empty())
        line += echoed(error.key) + ": ";
    return line + error.problem.in(language);
}

YamlImport importYaml(std::string_view text, const RadioImage* base) {
    YamlImport result;
    result.error = readFile(text, base, result.radio);
    return result;
}

} // namespace settings
