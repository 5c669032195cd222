#include "shell/image_difference.h"

#include "editors/band_selection.h"
#include "editors/chinese_window_texts.h"
#include "editors/editor_texts.h"
#include "editors/optional_features_lists.h"
#include "image/image_decoder.h"
#include "image/tone_codes.h"
#include "settings/catalogue.h"
#include "settings/setting_values.h"
#include "shell/apply_language.h"
#include "ui/language_text.h"

#include <array>

namespace shell {

namespace {

using image::ByteRange;
using image::MemoryImage;
using enum ui::TextTarget;

// The few texts that are the difference's own, not a window's.
struct OwnText {
    const char* zh;
    const char* en;
    QString in(int language) const { return QString::fromUtf8(language == 0 ? zh : en); }
};
constexpr OwnText ChannelPlace{"信道 %1", "CH %1"};
constexpr OwnText EmptyValue{"（空）", "(empty)"};
constexpr OwnText NotInList{"（值 %1，列表中没有）", "(value %1, not in the list)"};
constexpr OwnText OtherBytes{"其他字节", "Other bytes"};

// Hexadecimal bytes of a run of other bytes, at most this many.
constexpr std::size_t ShownRunBytes = 8;

constexpr ByteRange at(std::size_t offset) {
    return {offset, offset};
}

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString orEmpty(const QString& text, int language) {
    return text.isEmpty() ? EmptyValue.in(language) : text;
}

// ---- Form3: which bytes each control shows, and its value.

using Features = image::OptionalFeaturesValues;
using Settings = image::ConstFunctionSettings;
using Vfo = image::ConstVfoSettings;

constexpr std::size_t setting(std::size_t field) {
    return image::offsets::FunctionSettings + field;
}
constexpr std::size_t vfo(std::size_t field) {
    return image::offsets::Vfo + field;
}

// A list or, with `text` set instead, an entry box.
struct FeatureField {
    std::string_view control;
    image::ListPosition Features::*list;
    std::string Features::*text;
    ByteRange bytes;
};

constexpr FeatureField FeatureFields[] = {
    {"Combo1", &Features::Combo1, nullptr, at(setting(Settings::DisplayMode))},
    {"Combo3", &Features::Combo3, nullptr, at(setting(Settings::StepFrequency))},
    {"Combo16", &Features::Combo16, nullptr, at(setting(Settings::MemoryDisplay))},
    {"Combo5", &Features::Combo5, nullptr, at(setting(Settings::Squelch))},
    {"Text6", nullptr, &Features::Text6, at(setting(Settings::PresentChannel))},
    {"Combo4", &Features::Combo4, nullptr, at(setting(Settings::Switches))},
    {"Combo8", &Features::Combo8, nullptr, at(setting(Settings::Switches))},
    {"Combo9", &Features::Combo9, nullptr, at(setting(Settings::Switches))},
    {"Combo2", &Features::Combo2, nullptr, at(setting(Settings::Switches))},
    {"Combo10", &Features::Combo10, nullptr, at(setting(Settings::Switches))},
    {"Combo19", &Features::Combo19, nullptr, at(setting(Settings::Switches))},
    {"Combo7", &Features::Combo7, nullptr, at(setting(Settings::VoiceAndKeys))},
    {"Combo12", &Features::Combo12, nullptr, at(setting(Settings::VoiceAndKeys))},
    {"Combo11", &Features::Combo11, nullptr, at(setting(Settings::VoiceAndKeys))},
    {"Combo105", &Features::Combo105, nullptr, at(setting(Settings::VoiceAndKeys))},
    {"Combo14", &Features::Combo14, nullptr, at(setting(Settings::VoxGain))},
    {"Combo15", &Features::Combo15, nullptr, at(setting(Settings::VoxDelay))},
    {"Combo6", &Features::Combo6, nullptr, at(setting(Settings::AutoPowerOff))},
    {"Combo13", &Features::Combo13, nullptr, at(setting(Settings::TimeOut))},
    {"Text20", nullptr, &Features::Text20, {vfo(Vfo::Frequency), vfo(Vfo::Frequency + 3)}},
    {"Text21", nullptr, &Features::Text21, {vfo(Vfo::Offset), vfo(Vfo::Offset + 3)}},
    {"Combo22", &Features::Combo22, nullptr, {vfo(Vfo::RxTone), vfo(Vfo::RxTone + 1)}},
    {"Combo23", &Features::Combo23, nullptr, {vfo(Vfo::TxTone), vfo(Vfo::TxTone + 1)}},
    {"Combo24", &Features::Combo24, nullptr, at(vfo(Vfo::Flags))},
    {"Combo25", &Features::Combo25, nullptr, at(vfo(Vfo::Flags))},
    {"Combo27", &Features::Combo27, nullptr, at(vfo(Vfo::Flags))},
    {"Combo30", &Features::Combo30, nullptr, at(vfo(Vfo::OffsetDirection))},
};

const FeatureField* featureField(std::string_view control) {
    for (const FeatureField& field : FeatureFields)
        if (field.control == control)
            return &field;
    return nullptr;
}

const settings::Setting& settingOf(const char* window, std::string_view control) {
    return *settings::settingOf(window, control);
}

// A setting's caption as a title.
QString captionOf(const settings::Setting& setting, int language) {
    return ui::plainCaption(QString::fromUtf8(setting.caption.in(language)));
}

// The entry a list shows at `position`, or that it has none.
QString entryOf(const settings::Setting& setting, int position, int language) {
    const QString entry = fromUtf8(settings::entryText(setting, position, language));
    return entry.isEmpty() ? NotInList.in(language).arg(position) : entry;
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
    void field(const QString& place, const QString& setting, std::initializer_list<ByteRange> bytes,
               const QString& before, const QString& after) {
        bool differs = false;
        for (const ByteRange& range : bytes)
            for (std::size_t i = range.first; i <= range.last; ++i)
                differs = differs || differsAt(i);
        if (!differs || before == after)
            return;
        m_changes.append({place, setting, before, after});
        for (const ByteRange& range : bytes)
            for (std::size_t i = range.first; i <= range.last; ++i)
                m_shown[i] = m_shown[i] || differsAt(i);
    }

    // The compared bytes that differ and that no change accounts for, as runs.
    QList<Change> finish() {
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
            QStringList bytes;
            for (std::size_t i = run.first;
                 i <= run.last && bytes.size() < qsizetype(ShownRunBytes); ++i)
                bytes << QString("%1").arg(image[i], 2, 16, QChar('0')).toUpper();
            return bytes.join(' ') + (run.size() > ShownRunBytes ? QString(" …") : QString());
        };
        const auto offset = [](std::size_t i) {
            return "0x" + QString("%1").arg(i, 3, 16, QChar('0')).toUpper();
        };
        const QString where = run.size() == 1 ? offset(run.first)
                                              : offset(run.first) + QString("–") + offset(run.last);
        m_changes.append({OtherBytes.in(m_language), where, hex(m_before), hex(m_after)});
    }

    const MemoryImage& m_before;
    const MemoryImage& m_after;
    int m_language;
    std::array<bool, image::ImageSize> m_compared{};
    std::array<bool, image::ImageSize> m_shown{};
    QList<Change> m_changes;
};

// ---- The windows, one by one.

void compareBand(Comparison& c, const MemoryImage& before, const MemoryImage& after) {
    const int language = c.language();
    const auto text = [&](std::uint8_t code) {
        const QString entry = editors::BandSelection::entryText(code);
        return entry.isEmpty() ? NotInList.in(language).arg(code) : entry;
    };
    const QString place = ui::plainCaption(
        ui::languageText(MainWindowTexts, "MDIForm1", "Label1", Caption, 0, language));
    c.field(place, {}, {at(image::offsets::Band)}, text(before[image::offsets::Band]),
            text(after[image::offsets::Band]));
}

// The setting of a channel table column.
const settings::Setting& channelColumn(int column) {
    for (const settings::Setting& setting : settings::catalogue())
        if (std::string_view(setting.window) == "Form1" && setting.column == column)
            return setting;
    return settings::catalogue().front();
}

// Channel table cells, as the grid shows them.
QString channelCell(const image::ChannelRow& row, int column, int language) {
    image::EditorValues values;
    values.Form1.row(1) = row;
    return fromUtf8(settings::valueText(channelColumn(column), values, 1, language));
}

constexpr int ChannelColumns = 8;

QString channelSummary(const image::ChannelRow& row, int language) {
    if (row.isEmpty())
        return EmptyValue.in(language);
    QStringList cells;
    for (int column = 1; column <= ChannelColumns; ++column)
        if (const QString cell = channelCell(row, column, language); !cell.isEmpty())
            cells << cell;
    return cells.join(' ');
}

void compareChannels(Comparison& c, const image::ChannelTableValues& before,
                     const image::ChannelTableValues& after) {
    const int language = c.language();
    for (int n = 1; n <= image::ChannelCount; ++n) {
        const std::size_t b =
            image::offsets::ChannelRecords + std::size_t(n - 1) * image::ChannelRecordSize;
        const QString place = ChannelPlace.in(language).arg(n);
        const image::ChannelRow& was = before.row(n);
        const image::ChannelRow& is = after.row(n);
        if (was.isEmpty() || is.isEmpty()) {
            c.field(place, {}, {{b, b + image::ChannelRecordSize - 1}},
                    channelSummary(was, language), channelSummary(is, language));
            continue;
        }
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
        for (int column = 1; column <= ChannelColumns; ++column) {
            const ByteRange& bytes = Columns[std::size_t(column - 1)];
            c.field(place, captionOf(channelColumn(column), language),
                    {{b + bytes.first, b + bytes.last}},
                    orEmpty(channelCell(was, column, language), language),
                    orEmpty(channelCell(is, column, language), language));
        }
    }
}

void compareFeature(Comparison& c, const QString& place, const editors::features::Captioned& pair,
                    const Features& before, const Features& after) {
    const FeatureField* field = featureField(pair.control);
    if (!field)
        return;
    const int language = c.language();
    const auto text = [&](const Features& values) {
        if (field->text)
            return orEmpty(QString::fromStdString(values.*(field->text)), language);
        const image::ListPosition& position = values.*(field->list);
        if (!position)
            return EmptyValue.in(language);
        return entryOf(settingOf("Form3", pair.control), *position, language);
    };
    c.field(place, captionOf(settingOf("Form3", pair.control), language), {field->bytes},
            text(before), text(after));
}

void compareFeatures(Comparison& c, const Features& before, const Features& after) {
    namespace features = editors::features;
    // The window, then the frame the setting stands in: the VFO page has
    // captions the function page has too ("Power", "Frequency").
    const auto place = [&](const char* frame) {
        const auto caption = [&](const char* control) {
            return ui::plainCaption(ui::languageText(editors::OptionalFeaturesTexts, "Form3",
                                                     control, Caption, 0, c.language()));
        };
        return caption("") + " / " + caption(frame);
    };
    const QString functions = place("Frame2");
    for (const auto& pair : features::FunctionPageLeft)
        compareFeature(c, functions, pair, before, after);
    compareFeature(c, functions, features::PresentChannel, before, after);
    for (const auto& pair : features::FunctionPageRight)
        compareFeature(c, functions, pair, before, after);
    const QString vox = place("Frame1");
    for (const auto& pair : features::VoxFrame)
        compareFeature(c, vox, pair, before, after);
    const QString vfo = place("Frame3");
    for (const auto& pair : features::VfoPage)
        compareFeature(c, vfo, pair, before, after);
}

void compareDtmf(Comparison& c, const image::DtmfValues& before, const image::DtmfValues& after) {
    namespace dtmf = editors::dtmf;
    const int language = c.language();
    const QString place = QString::fromUtf8(dtmf::Title);
    const auto text = [&](const std::u16string& code) {
        return orEmpty(QString::fromStdU16String(code), language);
    };
    using image::offsets::DtmfOwnCode;
    using image::offsets::DtmfPttId;
    c.field(place, captionOf(settingOf("Form2", "Text2"), language),
            {{DtmfPttId, DtmfPttId + image::DtmfPttIdLength - 1}}, text(before.Text2),
            text(after.Text2));
    c.field(place, captionOf(settingOf("Form2", "Text3"), language),
            {{DtmfOwnCode, DtmfOwnCode + image::DtmfOwnCodeLength - 1}}, text(before.Text3),
            text(after.Text3));
}

void compareFm(Comparison& c, const image::FmPresetValues& before,
               const image::FmPresetValues& after) {
    namespace fm = editors::fm;
    const int language = c.language();
    const QString place = ui::plainCaption(QString::fromUtf8(fm::MenuCaption));
    const auto text = [&](const std::string& frequency) {
        return orEmpty(QString::fromStdString(frequency), language);
    };
    using Area = image::ConstFmArea;
    constexpr std::size_t Base = image::offsets::FmPresets;
    for (int k = 1; k <= image::FmPresetCount; ++k) {
        const std::size_t first = Base + 2 * std::size_t(k - 1);
        c.field(place, QString::fromUtf8(fm::NumberColumnTitle) + ' ' + QString::number(k),
                {{first, first + 1}}, text(before.presets[std::size_t(k - 1)]),
                text(after.presets[std::size_t(k - 1)]));
    }
    for (int member = 0; member < int(before.Combo1.size()); ++member) {
        const settings::Setting& list = settingOf("Form5", "Combo1_" + std::to_string(member));
        const auto position = [&](const image::FmPresetValues& values) {
            const image::ListPosition& p = values.Combo1[std::size_t(member)];
            return p ? entryOf(list, *p, language) : EmptyValue.in(language);
        };
        c.field(place, captionOf(list, language),
                {at(Base + Area::CurrentChannel + std::size_t(member))}, position(before),
                position(after));
    }
    c.field(place, captionOf(settingOf("Form5", "Text2"), language),
            {{Base + Area::FullBand, Base + Area::FullBand + 1}}, text(before.Text2),
            text(after.Text2));
}

void comparePowerLevels(Comparison& c, const image::PowerLevelValues& before,
                        const image::PowerLevelValues& after) {
    const int language = c.language();
    const auto caption = [&](const char* control) {
        return ui::plainCaption(
            ui::languageText(editors::PowerLevelsTexts, "Form4", control, Caption, 0, language));
    };
    using Calibration = image::ConstCalibration;
    constexpr std::size_t Base = image::offsets::Calibration;
    c.field(caption(""), captionOf(settingOf("Form4", "Slider1"), language),
            {at(Base + Calibration::HighPower)}, QString::number(before.Slider1),
            QString::number(after.Slider1));
    c.field(caption(""), captionOf(settingOf("Form4", "Slider2"), language),
            {at(Base + Calibration::LowPower)}, QString::number(before.Slider2),
            QString::number(after.Slider2));
}

} // namespace

QList<Change> imageDifference(const MemoryImage& before, const MemoryImage& after, int language,
                              std::span<const ByteRange> compared) {
    Comparison c(before, after, language, compared);
    const image::DecodedImage was = image::decodeImage(before);
    const image::DecodedImage is = image::decodeImage(after);
    compareBand(c, before, after);
    compareChannels(c, was.Form1, is.Form1);
    compareFeatures(c, was.Form3, is.Form3);
    compareDtmf(c, was.Form2, is.Form2);
    compareFm(c, was.Form5, is.Form5);
    comparePowerLevels(c, was.Form4, is.Form4);
    return c.finish();
}

QString changeLine(const Change& change) {
    const QString where =
        change.setting.isEmpty() ? change.place : change.place + " / " + change.setting;
    return QString("%1: %2 → %3").arg(where, change.before, change.after);
}

} // namespace shell
