#include "files/dat_file.h"
#include "image/image_decoder.h"
#include "image/image_encoder.h"
#include "image/tone_codes.h"
#include "settings/catalogue.h"
#include "settings/image_places.h"
#include "settings/radio_yaml.h"
#include "settings/setting_values.h"
#include "settings/value_gate.h"
#include "support/test_registry.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <random>

namespace {

const std::string Heading = "TQ-305 CloneDesk 1.0";

class Dice {
  public:
    explicit Dice(unsigned seed) : m_engine(seed) {}
    int below(int n) { return int(m_engine() % std::uint32_t(n)); }
    bool chance(int percent) { return below(100) < percent; }

  private:
    std::mt19937 m_engine;
};

// Written out here: the decimal number header is more than moc can read.
std::string frequencyText(long long tensOfHz) {
    char text[48];
    std::snprintf(text, sizeof text, "%lld.%05lld", tensOfHz / 100000, tensOfHz % 100000);
    return text;
}

// A frequency on the raster from `low` up to `high` MHz.
std::string onRaster(Dice& dice, int low, int high) {
    const long long step = dice.chance(50) ? 500 : 625; // tens of Hz
    return frequencyText(low * 100000LL + step * dice.below(int((high - low) * 100000LL / step)));
}

std::string dtmfCode(Dice& dice, int maximum) {
    std::string code;
    for (int i = dice.below(maximum + 1); i > 0; --i)
        code += "0123456789ABCD*#"[dice.below(16)];
    return code;
}

std::string fmText(Dice& dice) {
    if (dice.chance(30))
        return "";
    const int hundredths = 7000 + 5 * dice.below(760);
    char text[32];
    std::snprintf(text, sizeof text, "%d.%02d", hundredths / 100, hundredths % 100);
    return text;
}

// Values a user could have entered in the windows, every setting drawn.
image::EditorValues enteredValues(Dice& dice) {
    const int band = dice.below(8);
    const image::BandLimits limits = settings::bandLimits(band);
    image::EditorValues values = settings::newValues(band);
    for (int n = 1; n <= image::ChannelCount; ++n) {
        if (dice.chance(40))
            continue;
        image::ChannelRow& row = values.Form1.row(n);
        row.freqText[0] = onRaster(dice, limits.BandLow, limits.BandHigh);
        row.freqText[1] = dice.chance(20) ? "" : onRaster(dice, limits.BandLow, limits.BandHigh);
        for (std::size_t t = 0; t < 2; ++t) {
            row.listIndex[t] = dice.chance(30) ? 0 : 1 + dice.below(image::ToneCount);
            row.toneText[t] = std::string(image::toneText(row.listIndex[t]));
        }
        for (std::size_t f = 2; f < 6; ++f)
            row.listIndex[f] = dice.below(2);
    }
    for (const settings::Setting& setting : settings::catalogue()) {
        if (setting.kind != settings::Kind::List || !setting.inImage() ||
            setting.field == settings::Field::Band || setting.isIndexed() ||
            setting.field == settings::Field::ChannelFlag)
            continue;
        // The windows read an automatic power-off of 3 or 4 back as off.
        const int entries =
            setting.key == "features.auto_power_off" ? 3 : settings::entryCount(setting);
        settings::setValue(
            setting, values, 1,
            settings::enterValue(setting, settings::entryText(setting, dice.below(entries), 1), 3));
    }
    values.Form3.Text6 = dice.chance(10) ? "" : std::to_string(dice.below(100));
    values.Form3.Text20 = onRaster(dice, limits.BandLow, limits.BandHigh);
    values.Form3.Text21 = onRaster(dice, 0, 99);
    const std::string ptt = dtmfCode(dice, 16), own = dtmfCode(dice, 8);
    values.Form2.Text2.assign(ptt.begin(), ptt.end());
    values.Form2.Text3.assign(own.begin(), own.end());
    for (std::string& preset : values.Form5.presets)
        preset = fmText(dice);
    values.Form5.Text2 = fmText(dice);
    values.Form4 = {dice.below(256), dice.below(256)};
    return values;
}

// The values encoded, with bytes no window shows drawn at random.
settings::RadioImage enteredImage(Dice& dice) {
    const image::EditorValues values = enteredValues(dice);
    settings::RadioImage radio{{}, *values.band};
    image::encodeImage(values, radio.image);
    for (std::size_t offset = 0; offset < image::ImageSize; ++offset)
        if (settings::isUnshown(offset) && dice.chance(20))
            radio.image[offset] = std::uint8_t(dice.below(256));
    return radio;
}

bool sameImage(const image::MemoryImage& a, const image::MemoryImage& b) {
    return std::equal(a.begin(), a.begin() + image::ImageSize, b.begin());
}

QString joined(const std::vector<std::string>& lines) {
    QString text;
    for (const std::string& line : lines)
        text += QString::fromStdString(line) + '\n';
    return text;
}

std::string importError(const std::string& text, const settings::RadioImage* base = nullptr) {
    const settings::YamlImport imported = settings::importYaml(text, base);
    return imported.radio ? "imported" : settings::errorLine("radio.yaml", imported.error);
}

} // namespace

class RadioYamlTest : public QObject {
    Q_OBJECT

  private slots:
    // What a user could have entered comes back byte for byte, with nothing
    // to report, and the file read back writes the same text again.
    void enteredImagesComeBackWhole() {
        for (unsigned seed = 1; seed <= 30; ++seed) {
            Dice dice(seed);
            const settings::RadioImage radio = enteredImage(dice);
            const settings::YamlExport exported =
                settings::exportYaml(radio.image, radio.band, Heading);
            QVERIFY2(exported.report.empty(), qPrintable(joined(exported.report)));
            const settings::YamlImport imported = settings::importYaml(exported.text);
            QVERIFY2(imported.radio, settings::errorLine("seed", imported.error).c_str());
            QCOMPARE(imported.radio->band, radio.band);
            QVERIFY2(sameImage(imported.radio->image, radio.image),
                     qPrintable(QString::number(seed)));
            QCOMPARE(settings::exportYaml(imported.radio->image, radio.band, Heading).text,
                     exported.text);
        }
    }

    // Any bytes at all: every byte that does not come back is in a place the
    // report names, or the report says the file must be mended first.
    void whateverIsLostIsReported() {
        for (unsigned seed = 1; seed <= 30; ++seed) {
            Dice dice(1000 + seed);
            image::MemoryImage bytes{};
            for (std::size_t i = 0; i < image::ImageSize; ++i)
                bytes[i] = std::uint8_t(dice.chance(30) ? 0xFF : dice.below(256));
            const std::optional<int> band =
                dice.chance(20) ? std::nullopt : std::optional<int>(dice.below(8));
            const settings::YamlExport exported = settings::exportYaml(bytes, band, Heading);
            const settings::YamlImport imported = settings::importYaml(exported.text);
            const QString report = joined(exported.report);
            if (!imported.radio) {
                QVERIFY2(report.contains(QString::fromStdString(imported.error.key) + ": ") &&
                             report.contains("an import refuses it"),
                         qPrintable(report));
                continue;
            }
            for (std::size_t offset = 0; offset < image::ImageSize; ++offset)
                if (bytes[offset] != imported.radio->image[offset])
                    QVERIFY2(
                        report.contains(QString::fromStdString(settings::placeOf(offset)) + ": "),
                        qPrintable(QString::number(offset, 16) + "\n" + report));
        }
    }

    void unwritableValuesAreNamed() {
        Dice dice(7);
        settings::RadioImage radio = enteredImage(dice);
        image::channelRecord(radio.image, 99).rxTone().bytes()[0] = 0xFF;
        image::channelRecord(radio.image, 99).rxTone().bytes()[1] = 0x06;
        image::channelRecord(radio.image, 99).rxFrequency()[0] = 0x00;
        image::channelRecord(radio.image, 98).rxFrequency()[0] = 0x00;
        image::channelRecord(radio.image, 98).rxFrequency()[1] = 0xAF;
        const settings::YamlExport exported =
            settings::exportYaml(radio.image, radio.band, Heading);
        const QString report = joined(exported.report);
        QVERIFY2(report.contains("channels[99].rx_tone: 6F.F is a tone code in no tone list; "
                                 "written as Off\n"),
                 qPrintable(report));
        QVERIFY2(
            report.contains(QRegularExpression(
                R"(channels\[98\]\.rx_frequency: \d\d\d\.\dAF00 is not a frequency: an import)")),
            qPrintable(report));
    }

    // A hand-edited file: one line naming the place, the key and what is allowed.
    void refusedFiles_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("error");
        const auto row = [](const char* name, const QByteArray& file, const char* error,
                            int language = 1) {
            QTest::newRow(name) << file << language << QString::fromUtf8(error);
        };
        const char* noSettings = "radio.yaml:1:1: holds no settings; allowed: a YAML map of "
                                 "settings";
        row("an empty file", "", noSettings);
        row("only a comment", "# radio\n", noSettings);
        row("only a document start", "---\n", noSettings);
        row("only a null", "~\n", noSettings);
        row("an empty map", "{}\n", noSettings);
        row("no settings, zh", "", "radio.yaml:1:1: 不含任何设置；可用：设置的 YAML 映射", 0);
        row("a second document", "band: 400-480MHz\n---\nband: 136-174MHz\n",
            "radio.yaml:2:1: a second document; allowed: one document");
        row("a text the parser meets again and again", ",h\xff\xff\xff", noSettings);
        row("channel 1 and 01",
            "channels:\n  1: {rx_frequency: 438.5}\n  01: {tx_frequency: 439}\n",
            "radio.yaml:3:3: channels.01: given twice (first on line 2); allowed: once");
        row("FM preset 2 and 002", "fm:\n  presets:\n    2: 88.0\n    002: 89.0\n",
            "radio.yaml:4:5: fm.presets.002: given twice (first on line 3); allowed: once");
        row("an FM frequency past any integer", "fm: {presets: {1: 111111111111111188.00}}\n",
            "radio.yaml:1:19: fm.presets[1]: 111111111111111188.00 is refused; allowed: empty "
            "(none) or an FM frequency from 70.00 to 107.95 MHz in steps of 0.05");
        row("a block scalar", "features:\n  squelch: |\n    3\n    4\n",
            "radio.yaml:2:12: features.squelch: 3\\n4\\n is refused; allowed: one of 0, 1, 2, "
            "3, 4, 5, 6, 7, 8, 9");
        row("a long value", "features:\n  squelch: " + QByteArray(5000, '7') + "\n",
            "radio.yaml:2:12: features.squelch: 7777777777777777777777777777777777777777… is "
            "refused; allowed: one of 0, 1, 2, 3, 4, 5, 6, 7, 8, 9");
        row("bytes that are not UTF-8", "features:\n  squelch: a\xff\xfe\n",
            "radio.yaml:2:12: features.squelch: a\\xFF\\xFE is refused; allowed: one of 0, 1, "
            "2, 3, 4, 5, 6, 7, 8, 9");
        row("a raw NUL", QByteArray("features:\n  squelch: 3\0\n", 25),
            "radio.yaml:2:13: a NUL character; allowed: a YAML map of settings");
        row("deep nesting", QByteArray(3000, '[') + QByteArray(3000, ']'),
            "radio.yaml:1:1: nested too deeply; allowed: a YAML map of settings");
        row("columns count characters",
            "channels:\n  1: {rx_frequency: 438.5, power: 高高, bandwidth: 窄}\n",
            "radio.yaml:2:35: channels[1].power: 高高 is refused; allowed: one of Low, High");
        row("out of band, zh", "channels:\n  1:\n    rx_frequency: 480.00625\n",
            "radio.yaml:3:19: channels[1].rx_frequency: 480.00625 不被接受；可用：400 MHz 到 "
            "480 MHz 的频率，位于 5 kHz 或 6.25 kHz 步进上",
            0);
        row("a list entry, zh", "features: {key_lock: 锁}\n",
            "radio.yaml:1:22: features.key_lock: 锁 不被接受；可用：以下之一：Lock, Normal", 0);
        row("not YAML", "band: [400-480MHz\n",
            "radio.yaml:2:1: not YAML (end of sequence flow not found); allowed: a YAML map of "
            "settings");
        row("not a map", "- band\n",
            "radio.yaml:1:1: not a map; allowed: a map of band, channels, features, vfo, dtmf, "
            "fm, power, unshown_bytes");
        row("unknown top key", "bands: 400-480MHz\n",
            "radio.yaml:1:1: bands: unknown key; allowed: band, channels, features, vfo, dtmf, "
            "fm, power, unshown_bytes");
        row("unknown setting", "features:\n  squelsh: 3\n",
            "radio.yaml:2:3: features.squelsh: unknown key; allowed: memory_mode, auto_power_off, "
            "scan_mode, voice_prompt, key_lock, key_lock_mode, display_mode, fm_monitor, "
            "present_channel, step, squelch, battery_save, backlight, fm_scan_mode, time_out, "
            "beep, reverse, vox_gain, vox_delay");
        row("unknown channel field", "channels:\n  3: {rx_frequency: 438.5, tone: Off}\n",
            "radio.yaml:2:28: channels[3].tone: unknown key; allowed: rx_frequency, "
            "tx_frequency, rx_tone, tx_tone, power, busy_lock, scan_add, bandwidth");
        row("band unknown", "band: 400-470MHz\n",
            "radio.yaml:1:7: band: 400-470MHz is refused; allowed: one of 136-174MHz, "
            "240-260MHz, 350-390MHz, 400-480MHz, 400-420MHz, 450-470MHz, 440-480MHz, 450-490MHz");
        row("frequency out of band", "channels:\n  1:\n    rx_frequency: 480.00625\n",
            "radio.yaml:3:19: channels[1].rx_frequency: 480.00625 is refused; allowed: a "
            "frequency from 400 MHz to 480 MHz on the 5 kHz or 6.25 kHz raster");
        row("frequency off the raster", "channels:\n  1:\n    rx_frequency: 438.513\n",
            "radio.yaml:3:19: channels[1].rx_frequency: 438.513 is refused; allowed: a frequency "
            "from 400 MHz to 480 MHz on the 5 kHz or 6.25 kHz raster, such as 438.51250");
        row("tone not in the lists", "channels:\n  1: {rx_frequency: 438.5, rx_tone: 67.1}\n",
            "radio.yaml:2:37: channels[1].rx_tone: 67.1 is refused; allowed: Off, a CTCSS tone "
            "such as 67.0 or 254.1, or a DCS code such as D023N or D754I");
        row("list entry in Chinese", "channels:\n  1: {rx_frequency: 438.5, power: 高}\n",
            "radio.yaml:2:35: channels[1].power: 高 is refused; allowed: one of Low, High");
        row("number out of range", "power:\n  high: 256\n",
            "radio.yaml:2:9: power.high: 256 is refused; allowed: a whole number from 0 to 255");
        row("list where a value goes", "power:\n  low: [1, 2]\n",
            "radio.yaml:2:8: power.low: a list is refused; allowed: a single value");
        row("map where a map of channels goes", "channels: 5\n",
            "radio.yaml:1:11: channels: not a map; allowed: a map of channel numbers 1 to 99");
        row("duplicate channel",
            "channels:\n  7: {rx_frequency: 438.5}\n  7: {rx_frequency: 439}\n",
            "radio.yaml:3:3: channels.7: given twice (first on line 2); allowed: once");
        row("no channel 100", "channels:\n  100: {rx_frequency: 438.5}\n",
            "radio.yaml:2:3: channels.100: no channel; allowed: channel numbers 1 to 99");
        row("channel without a frequency", "channels:\n  4: {power: Low}\n",
            "radio.yaml:2:3: channels[4].rx_frequency: missing; allowed: a channel with its "
            "receive frequency, or ~ for none");
        row("DTMF character", "dtmf:\n  own_code: 12E\n",
            "radio.yaml:2:13: dtmf.own_code: 12E is refused; allowed: at most 8 of the "
            "characters 0-9, A-D, * and #");
        row("FM preset off its steps", "fm:\n  presets:\n    3: 88.07\n",
            "radio.yaml:3:8: fm.presets[3]: 88.07 is refused; allowed: empty (none) or an FM "
            "frequency from 70.00 to 107.95 MHz in steps of 0.05");
        row("VFO at the band's top", "vfo:\n  frequency: 480\n",
            "radio.yaml:2:14: vfo.frequency: 480 is refused; allowed: a frequency from 400 MHz to "
            "below 480 MHz on the 5 kHz or 6.25 kHz raster");
        row("unshown byte that a window shows", "unshown_bytes:\n  0x6FF: 00 11\n",
            "radio.yaml:2:10: unshown_bytes.0x6FF: reaches a byte a window shows; allowed: "
            "offsets such as 0x507 of bytes no window shows, each with bytes as two hexadecimal "
            "digits apart");
    }
    void refusedFiles() {
        QFETCH(QByteArray, file);
        QFETCH(int, language);
        QFETCH(QString, error);
        const settings::YamlImport imported = settings::importYaml(file.toStdString());
        QVERIFY(!imported.radio);
        QCOMPARE(
            QString::fromStdString(settings::errorLine("radio.yaml", imported.error, language)),
            error);
    }

    // Keys left out keep the base's values; ~ empties; a new channel is
    // filled as a row typed into.
    void leftOutKeysKeepTheBase() {
        Dice dice(11);
        settings::RadioImage base = enteredImage(dice);
        base.band = 3;
        const image::EditorValues before =
            settings::shownValues(image::decodeImage(base.image), base.band);
        const std::string file = "channels:\n  1: ~\n  2: {rx_frequency: 401.0125}\n"
                                 "features: {squelch: 7}\n";
        // Any band but the base's is refused.
        QCOMPARE(importError("band: 136-174MHz\n", &base),
                 std::string("radio.yaml:1:7: band: 136-174MHz is refused; allowed: "
                             "400-480MHz, the band of the base file"));
        const settings::YamlImport imported = settings::importYaml(file, &base);
        QVERIFY(imported.radio);
        image::EditorValues expected = before;
        expected.Form1.row(1) = {};
        expected.Form1.row(2) = {{"401.01250", "401.01250"}, {"", ""}, {0, 0, 1, 1, 1, 1}};
        expected.Form3.Combo5 = 7;
        const image::EditorValues after =
            settings::shownValues(image::decodeImage(imported.radio->image), imported.radio->band);
        QCOMPARE(after.Form1.row(2), expected.Form1.row(2));
        QVERIFY(after == expected);
        for (std::size_t offset = 0; offset < image::ImageSize; ++offset)
            if (settings::isUnshown(offset))
                QCOMPARE(imported.radio->image[offset], base.image[offset]);
    }

    // The format other tools and git depend on: keys, their order, the runs
    // of unshown bytes, the quoting, the first line, as kept in tests/data.
    void exportsKeepTheirFormat_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("every kind of value") << "full_image_band0";
        QTest::newRow("a blank radio") << "all_ff_image_band3";
    }
    void exportsKeepTheirFormat() {
        QFETCH(QString, name);
        const files::LoadResult loaded =
            files::loadDatFile((TQ_TEST_DATA "/" + name + ".dat").toStdString());
        QVERIFY(loaded.ok());
        image::MemoryImage bytes{};
        loaded.file.copyInto(bytes);
        QFile kept(TQ_TEST_DATA "/" + name + ".yaml");
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromStdString(
                     settings::exportYaml(bytes, loaded.file.band, "TQ-305 CloneDesk").text),
                 QString::fromUtf8(kept.readAll()));
    }

    // Files the first exports wrote, whose first line named the program's
    // version, read as files of format 1 do.
    void filesOfTheFirstExportsAreRead() {
        const std::string body = "band: 136-174MHz\nchannels:\n  1:\n    rx_frequency: "
                                 "145.50000\n    tx_tone: 67.0\nfeatures:\n  beep: Off\n";
        const settings::YamlImport first = settings::importYaml(
            "# TQ-305 CloneDesk 1.0: the memory of a TQ-305 radio, as the English windows show "
            "it.\n" +
            body);
        const settings::YamlImport now = settings::importYaml(
            "# TQ-305 CloneDesk YAML, format 1: the memory of a TQ-305 radio, as the English "
            "windows show it.\n" +
            body);
        QVERIFY(first.radio && now.radio);
        QVERIFY(sameImage(first.radio->image, now.radio->image));
    }

    // Values another YAML tool would load as booleans or as numbers it writes
    // otherwise are quoted; list entries match in any case and numbers by
    // value, and come back in the windows' spelling.
    void valuesSurviveOtherTools_data() {
        QTest::addColumn<QString>("given");    // under features:/vfo:/dtmf:
        QTest::addColumn<QString>("exported"); // the line the export writes
        QTest::newRow("off") << "vfo: {busy_lock: off}"
                             << "  busy_lock: \"Off\"";
        QTest::newRow("on") << "features: {beep: ON}"
                            << "  beep: \"On\"";
        QTest::newRow("a tone as a whole number") << "vfo: {rx_tone: 67}"
                                                  << "  rx_tone: 67.0";
        QTest::newRow("a DCS code in small letters") << "vfo: {tx_tone: d023n}"
                                                     << "  tx_tone: D023N";
        QTest::newRow("a list entry in small letters") << "features: {time_out: 60 s}"
                                                       << "  time_out: 60 S";
        QTest::newRow("a code with a leading zero") << "dtmf: {own_code: \"0123\"}"
                                                    << "  own_code: \"0123\"";
        QTest::newRow("a code of one zero") << "dtmf: {own_code: \"0\"}"
                                            << "  own_code: 0";
        QTest::newRow("the offset's top") << "vfo: {offset: 99.995}"
                                          << "  offset: 99.99500";
        QTest::newRow("the FM bottom") << "fm: {full_band: 70}"
                                       << "  full_band: 70.00";
    }
    void valuesSurviveOtherTools() {
        QFETCH(QString, given);
        QFETCH(QString, exported);
        const settings::YamlImport imported =
            settings::importYaml("band: 136-174MHz\n" + given.toStdString() + "\n");
        QVERIFY2(imported.radio, settings::errorLine("radio.yaml", imported.error).c_str());
        const QString text = QString::fromStdString(
            settings::exportYaml(imported.radio->image, imported.radio->band, Heading).text);
        QVERIFY2(text.split('\n').contains(exported), qPrintable(text));
    }

    // A radio's file imported over another radio of its band gives that
    // radio back: its settings, its unshown bytes, and its channels and FM
    // presets even when it has none (the base's channels in the same places,
    // as the file leaves out empty ones).
    void aFileOverAnotherBaseGivesItsRadio_data() {
        QTest::addColumn<unsigned>("seed");
        QTest::addColumn<bool>("emptied"); // no channels and no FM presets
        QTest::newRow("channels and presets") << 21u << false;
        QTest::newRow("no channels, no presets") << 22u << true;
        QTest::newRow("no channels, no presets, another") << 23u << true;
    }
    void aFileOverAnotherBaseGivesItsRadio() {
        QFETCH(unsigned, seed);
        QFETCH(bool, emptied);
        Dice dice(seed);
        settings::RadioImage radio = enteredImage(dice);
        settings::RadioImage base = enteredImage(dice);
        base.band = radio.band;
        image::EditorValues values =
            settings::shownValues(image::decodeImage(radio.image), radio.band);
        if (emptied) {
            values.Form1 = {};
            values.Form5.presets = {};
            image::encodeImage(values, radio.image);
        } else {
            image::EditorValues baseValues =
                settings::shownValues(image::decodeImage(base.image), base.band);
            for (int n = 1; n <= image::ChannelCount; ++n)
                if (values.Form1.row(n).isEmpty() != baseValues.Form1.row(n).isEmpty())
                    baseValues.Form1.row(n) = values.Form1.row(n);
            baseValues.Form5.presets = values.Form5.presets;
            image::encodeImage(baseValues, base.image);
            for (std::size_t offset = 0; offset < image::ImageSize; ++offset)
                if (settings::isUnshown(offset))
                    base.image[offset] = std::uint8_t(dice.below(256));
        }
        const settings::YamlExport exported =
            settings::exportYaml(radio.image, radio.band, Heading);
        QVERIFY2(exported.report.empty(), qPrintable(joined(exported.report)));
        const settings::YamlImport imported = settings::importYaml(exported.text, &base);
        QVERIFY2(imported.radio, settings::errorLine("radio.yaml", imported.error).c_str());
        for (std::size_t offset = 0; offset < image::ImageSize; ++offset)
            QVERIFY2(imported.radio->image[offset] == radio.image[offset],
                     qPrintable(QString::fromStdString(settings::placeOf(offset))));
    }
};

TQ_REGISTER_TEST(RadioYamlTest);

#include "radio_yaml_test.moc"
