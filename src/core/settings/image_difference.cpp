#include "settings/image_difference.h"

#include "image/image_decoder.h"
#include "settings/catalogue.h"
#include "settings/setting_values.h"

#include <array>
#include <cstdio>

namespace settings {

namespace {

using image::ByteRange;
using image::MemoryImage;

// The few texts that are the difference's own, not a window's; "%1" stands
// for a number.
constexpr Texts ChannelPlace{"信道 %1", "CH %1"};
constexpr Texts EmptyValue{"（空）", "(empty)"};
constexpr Texts NotInList{"（值 %1，列表中没有）", "(value %1, not in the list)"};
constexpr Texts OtherBytes{"其他字节", "Other bytes"};

// Hexadecimal bytes of a run of other bytes, at most this many.
constexpr std::size_t ShownRunBytes = 8;

constexpr ByteRange at(std::size_t offset) {
    return {offset, offset};
}

std::string withNumber(const Texts& texts, int language, long long number) {
    std::string text = texts.in(language);
    text.replace(text.find("%1"), 2, std::to_string(number));
    return text;
}

std::string orEmpty(const std::string& text, int language) {
    return text.empty() ? EmptyValue.in(language) : text;
}

// A caption as a title: no trailing colon, no spaces around it.
std::string plainCaption(std::string text) {
    const auto trim = [&] {
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        while (!text.empty() && text.front() == ' ')
            text.erase(0, 1);
    };
    trim();
    for (;;) {
        if (text.ends_with(':'))
            text.pop_back();
        else if (text.ends_with("："))
            text.resize(text.size() - std::string_view("：").size());
        else
            break;
    }
    trim();
    return text;
}

const Setting& settingOf(const char* window, std::string_view control) {
    return *settings::settingOf(window, control);
}

std::string captionOf(const Setting& setting, int language) {
    return plainCaption(setting.caption.in(language));
}

// The entry a list shows at `position`, or that it has none.
std::string entryOf(const Setting& setting, int position, int language) {
    const std::string entry = entryText(setting, position, language);
    return entry.empty() ? withNumber(NotInList, language, position) : entry;
}

std::string hexByte(std::uint8_t byte) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", byte);
    return text;
}

std::string offsetText(std::size_t offset) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%03zX", offset);
    return text;
}

// ---- Form3: which bytes each control shows.

using Settings = image::ConstFunctionSettings;
using Vfo = image::ConstVfoSettings;

constexpr std::size_t function(std::size_t field) {
    return image::offsets::FunctionSettings + field;
}
constexpr std::size_t vfo(std::size_t field) {
    return image::offsets::Vfo + field;
}

struct FeatureBytes {
    std::string_view control;
    ByteRange bytes;
};

constexpr FeatureBytes FeatureFields[] = {
    {"Combo1", at(function(Settings::DisplayMode))},
    {"Combo3", at(function(Settings::StepFrequency))},
    {"Combo16", at(function(Settings::MemoryDisplay))},
    {"Combo5", at(function(Settings::Squelch))},
    {"Text6", at(function(Settings::PresentChannel))},
    {"Combo4", at(function(Settings::Switches))},
    {"Combo8", at(function(Settings::Switches))},
    {"Combo9", at(function(Settings::Switches))},
    {"Combo2", at(function(Settings::Switches))},
    {"Combo10", at(function(Settings::Switches))},
    {"Combo19", at(function(Settings::Switches))},
    {"Combo7", at(function(Settings::VoiceAndKeys))},
    {"Combo12", at(function(Settings::VoiceAndKeys))},
    {"Combo11", at(function(Settings::VoiceAndKeys))},
    {"Combo105", at(function(Settings::VoiceAndKeys))},
    {"Combo14", at(function(Settings::VoxGain))},
    {"Combo15", at(function(Settings::VoxDelay))},
    {"Combo6", at(function(Settings::AutoPowerOff))},
    {"Combo13", at(function(Settings::TimeOut))},
    {"Text20", {vfo(Vfo::Frequency), vfo(Vfo::Frequency + 3)}},
    {"Text21", {vfo(Vfo::Offset), vfo(Vfo::Offset + 3)}},
    {"Combo22", {vfo(Vfo::RxTone), vfo(Vfo::RxTone + 1)}},
    {"Combo23", {vfo(Vfo::TxTone), vfo(Vfo::TxTone + 1)}},
    {"Combo24", at(vfo(Vfo::Flags))},
    {"Combo25", at(vfo(Vfo::Flags))},
    {"Combo27", at(vfo(Vfo::Flags))},
    {"Combo30", at(vfo(Vfo::OffsetDirection))},
};

const ByteRange* featureBytes(std::string_view control) {
    for (const FeatureBytes& field : FeatureFields)
        if (field.control == control)
            return &field.bytes;
    return nullptr;
}

// ---- Collecting the changes.

class Comparison {
  public:
    Comparison(const MemoryImage& before, const MemoryImage& after, int language,
               std::span<const ByteRange> compared)
        : m_before(before), m_after(after), m_language(language) {
        for (const ByteRange& range : compared)
            for (std::size_t i = range.first; i <= range.last && i < image::ImageSize; ++i)
                m_compared[i] = true;
    }

    // A setting the windows show from `bytes`: a change when a compared byte
    // differs and the window shows another text.
    void field(const std::string& place, const std::string& setting,
               std::initializer_list<ByteRange> bytes, const std::string& before,
               const std::string& after) {
        bool differs = false;
        for (const ByteRange& range : bytes)
            for (std::size_t i = range.first; i <= range.last; ++i)
                differs = differs || differsAt(i);
        if (!differs || before == after)
            return;
        m_changes.push_back({place, setting, before, after});
        for (const ByteRange& range : bytes)
            for (std::size_t i = range.first; i <= range.last; ++i)
                m_shown[i] = m_shown[i] || differsAt(i);
    }

    // The compared bytes that differ and that no change accounts for, as runs.
    std::vector<Change> finish() {
        for (std::size_t i = 0; i < image::ImageSize; ++i) {
            if (!differsAt(i) || m_shown[i])
                continue;
            std::size_t last = i;
            while (last + 1 < image::ImageSize && differsAt(last + 1) && !m_shown[last + 1])
                ++last;
            otherBytes({i, last});
            i = last;
        }
        return m_changes;
    }

    int language() const { return m_language; }

  private:
    bool differsAt(std::size_t i) const { return m_compared[i] && m_before[i] != m_after[i]; }

    void otherBytes(const ByteRange& run) {
        const auto hex = [&](const MemoryImage& image) {
            std::string bytes;
            for (std::size_t i = run.first; i <= run.last && i < run.first + ShownRunBytes; ++i)
                bytes += (i == run.first ? "" : " ") + hexByte(image[i]);
            return bytes + (run.size() > ShownRunBytes ? " …" : "");
        };
        const std::string where = run.size() == 1
                                      ? offsetText(run.first)
                                      : offsetText(run.first) + "–" + offsetText(run.last);
        m_changes.push_back({OtherBytes.in(m_language), where, hex(m_before), hex(m_after)});
    }

    const MemoryImage& m_before;
    const MemoryImage& m_after;
    int m_language;
    std::array<bool, image::ImageSize> m_compared{};
    std::array<bool, image::ImageSize> m_shown{};
    std::vector<Change> m_changes;
};

// ---- The windows, one by one.

void compareBand(Comparison& c, const std::string& place, const MemoryImage& before,
                 const MemoryImage& after) {
    const Setting& band = settingOf("MDIForm1", "Combo1");
    c.field(place, {}, {at(image::offsets::Band)},
            entryOf(band, before[image::offsets::Band], c.language()),
            entryOf(band, after[image::offsets::Band], c.language()));
}

// The setting of a channel table column.
const Setting& channelColumn(int column) {
    for (const Setting& setting : catalogue())
        if (std::string_view(setting.window) == "Form1" && setting.column == column)
            return setting;
    return catalogue().front();
}

constexpr int ChannelColumns = 8;

// A channel table cell, as the grid shows it.
std::string channelCell(const image::ChannelRow& row, int column, int language) {
    image::EditorValues values;
    values.Form1.row(1) = row;
    return valueText(channelColumn(column), values, 1, language);
}

std::string channelSummary(const image::ChannelRow& row, int language) {
    if (row.isEmpty())
        return EmptyValue.in(language);
    std::string cells;
    for (int column = 1; column <= ChannelColumns; ++column)
        if (const std::string cell = channelCell(row, column, language); !cell.empty())
            cells += (cells.empty() ? "" : " ") + cell;
    return cells;
}

void compareChannels(Comparison& c, const image::ChannelTableValues& before,
                     const image::ChannelTableValues& after) {
    const int language = c.language();
    using Record = image::ConstChannelRecord;
    constexpr std::array<ByteRange, ChannelColumns> Columns{{
        {Record::RxFrequency, Record::RxFrequency + 3},
        {Record::TxFrequency, Record::TxFrequency + 3},
        {Record::RxTone, Record::RxTone + 1},
        {Record::TxTone, Record::TxTone + 1},
        at(Record::Flags),
        at(Record::Flags),
        at(Record::Flags),
        at(Record::Flags),
    }};
    for (int n = 1; n <= image::ChannelCount; ++n) {
        const std::size_t b =
            image::offsets::ChannelRecords + std::size_t(n - 1) * image::ChannelRecordSize;
        const std::string place = withNumber(ChannelPlace, language, n);
        const image::ChannelRow& was = before.row(n);
        const image::ChannelRow& is = after.row(n);
        if (was.isEmpty() || is.isEmpty()) {
            c.field(place, {}, {{b, b + image::ChannelRecordSize - 1}},
                    channelSummary(was, language), channelSummary(is, language));
            continue;
        }
        for (int column = 1; column <= ChannelColumns; ++column) {
            const ByteRange& bytes = Columns[std::size_t(column - 1)];
            c.field(place, captionOf(channelColumn(column), language),
                    {{b + bytes.first, b + bytes.last}},
                    orEmpty(channelCell(was, column, language), language),
                    orEmpty(channelCell(is, column, language), language));
        }
    }
}

// The optional features in the order the window shows them, each under the
// window and the frame it stands in: the VFO page has captions the function
// page has too ("Power", "Frequency").
void compareFeatures(Comparison& c, const PlaceNames& places,
                     const image::OptionalFeaturesValues& before,
                     const image::OptionalFeaturesValues& after) {
    const int language = c.language();
    image::EditorValues was, is;
    was.Form3 = before;
    is.Form3 = after;
    // The window's pages in the order they are compared, and where each
    // setting stands.
    const auto frameOf = [&](const Setting& setting) -> const std::string& {
        const std::string_view key = setting.key;
        if (key.starts_with("vfo."))
            return places.vfo;
        if (key.starts_with("features.vox_"))
            return places.vox;
        return places.functions;
    };
    for (const std::string* frame : {&places.functions, &places.vox, &places.vfo})
        for (const Setting& setting : catalogue()) {
            const ByteRange* bytes = featureBytes(setting.control);
            if (std::string_view(setting.window) != "Form3" || !bytes || &frameOf(setting) != frame)
                continue;
            const auto text = [&](const image::EditorValues& values) {
                if (setting.kind == Kind::Text)
                    return orEmpty(textOf(setting, values), language);
                const auto position = positionOf(setting, values);
                return position ? entryOf(setting, *position, language) : EmptyValue.in(language);
            };
            c.field(*frame, captionOf(setting, language), {*bytes}, text(was), text(is));
        }
}

void compareDtmf(Comparison& c, const std::string& place, const image::DtmfValues& before,
                 const image::DtmfValues& after) {
    const int language = c.language();
    image::EditorValues was, is;
    was.Form2 = before;
    is.Form2 = after;
    using image::offsets::DtmfOwnCode;
    using image::offsets::DtmfPttId;
    const Setting& pttId = settingOf("Form2", "Text2");
    const Setting& ownCode = settingOf("Form2", "Text3");
    c.field(place, captionOf(pttId, language),
            {{DtmfPttId, DtmfPttId + image::DtmfPttIdLength - 1}},
            orEmpty(textOf(pttId, was), language), orEmpty(textOf(pttId, is), language));
    c.field(place, captionOf(ownCode, language),
            {{DtmfOwnCode, DtmfOwnCode + image::DtmfOwnCodeLength - 1}},
            orEmpty(textOf(ownCode, was), language), orEmpty(textOf(ownCode, is), language));
}

void compareFm(Comparison& c, const PlaceNames& places, const image::FmPresetValues& before,
               const image::FmPresetValues& after) {
    const int language = c.language();
    using Area = image::ConstFmArea;
    constexpr std::size_t Base = image::offsets::FmPresets;
    for (int k = 1; k <= image::FmPresetCount; ++k) {
        const std::size_t first = Base + 2 * std::size_t(k - 1);
        c.field(places.fm, places.presetColumn + ' ' + std::to_string(k), {{first, first + 1}},
                orEmpty(before.presets[std::size_t(k - 1)], language),
                orEmpty(after.presets[std::size_t(k - 1)], language));
    }
    for (int member = 0; member < int(before.Combo1.size()); ++member) {
        const Setting& list = settingOf("Form5", "Combo1_" + std::to_string(member));
        const auto position = [&](const image::FmPresetValues& values) {
            const image::ListPosition& p = values.Combo1[std::size_t(member)];
            return p ? entryOf(list, *p, language) : EmptyValue.in(language);
        };
        c.field(places.fm, captionOf(list, language),
                {at(Base + Area::CurrentChannel + std::size_t(member))}, position(before),
                position(after));
    }
    c.field(places.fm, captionOf(settingOf("Form5", "Text2"), language),
            {{Base + Area::FullBand, Base + Area::FullBand + 1}}, orEmpty(before.Text2, language),
            orEmpty(after.Text2, language));
}

void comparePowerLevels(Comparison& c, const std::string& place,
                        const image::PowerLevelValues& before,
                        const image::PowerLevelValues& after) {
    using Calibration = image::ConstCalibration;
    constexpr std::size_t Base = image::offsets::Calibration;
    c.field(place, captionOf(settingOf("Form4", "Slider1"), c.language()),
            {at(Base + Calibration::HighPower)}, std::to_string(before.Slider1),
            std::to_string(after.Slider1));
    c.field(place, captionOf(settingOf("Form4", "Slider2"), c.language()),
            {at(Base + Calibration::LowPower)}, std::to_string(before.Slider2),
            std::to_string(after.Slider2));
}

} // namespace

std::vector<Change> imageDifference(const MemoryImage& before, const MemoryImage& after,
                                    int language, const PlaceNames& places,
                                    std::span<const ByteRange> compared) {
    Comparison c(before, after, language, compared);
    const image::DecodedImage was = image::decodeImage(before);
    const image::DecodedImage is = image::decodeImage(after);
    compareBand(c, places.band, before, after);
    compareChannels(c, was.Form1, is.Form1);
    compareFeatures(c, places, was.Form3, is.Form3);
    compareDtmf(c, places.dtmf, was.Form2, is.Form2);
    compareFm(c, places, was.Form5, is.Form5);
    comparePowerLevels(c, places.powerLevels, was.Form4, is.Form4);
    return c.finish();
}

std::string changeLine(const Change& change) {
    const std::string where =
        change.setting.empty() ? change.place : change.place + " / " + change.setting;
    return where + ": " + change.before + " → " + change.after;
}

} // namespace settings
