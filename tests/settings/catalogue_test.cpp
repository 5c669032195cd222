#include "files/dat_file.h"
#include "image/image_decoder.h"
#include "image/sample_values.h"
#include "settings/catalogue.h"
#include "settings/setting_values.h"
#include "settings/value_gate.h"
#include "support/test_registry.h"

#include <QTest>
#include <set>

namespace {

image::EditorValues shownFile(const char* name) {
    const files::LoadResult loaded = files::loadDatFile(std::string(TQ_TEST_DATA "/") + name);
    image::MemoryImage bytes{};
    loaded.file.copyInto(bytes);
    return settings::shownValues(image::decodeImage(bytes), loaded.file.band);
}

} // namespace

class CatalogueTest : public QObject {
    Q_OBJECT

  private slots:
    void everyKeyNamesOneSetting() {
        std::set<std::string> keys;
        std::set<std::pair<std::string, std::string>> controls;
        for (const settings::Setting& setting : settings::catalogue()) {
            if (!setting.isIndexed())
                QVERIFY2(controls.insert({setting.window, setting.control}).second,
                         setting.control);
            for (int index = 1; index <= setting.count; ++index) {
                const std::string key = settings::keyOf(setting, index);
                QVERIFY2(keys.insert(key).second, key.c_str());
                const auto found = settings::findKey(key);
                QVERIFY2(found && found->setting == &setting && found->index == index, key.c_str());
            }
        }
    }

    void keysTheCatalogueLacks_data() {
        QTest::addColumn<QString>("key");
        for (const char* key :
             {"", "channels[0].rx_tone", "channels[100].rx_tone", "channels[01].power",
              "channels[].power", "channels[1]", "channels[1].rx_tones", "channels[-1].power",
              "channels[1x].power", "features.squelc", "Features.squelch", "fm.presets[33]",
              "fm.presets", "band.", "dtmf.auto_dial[9]"})
            QTest::addRow("%s", key) << key;
    }
    void keysTheCatalogueLacks() {
        QFETCH(QString, key);
        QVERIFY(!settings::findKey(key.toStdString()));
    }

    void newIsWhatTheWindowsStartWith() {
        QCOMPARE(settings::newValues(3), testing::defaultValues());
        QCOMPARE(settings::newValues(0).Form3.Text20, std::string("155.00000"));
    }

    // Every value, as a window shows it, reads back as the same value.
    void valueTextsReadBack_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("language");
        for (const char* file : {"full_image_band0.dat", "all_ff_image_band3.dat"})
            for (int language : {0, 1})
                QTest::addRow("%s %d", file, language) << file << language;
    }
    void valueTextsReadBack() {
        QFETCH(QString, file);
        QFETCH(int, language);
        const image::EditorValues shown = shownFile(file.toUtf8().constData());
        image::EditorValues read = settings::newValues(3);
        read.Form1 = {}; // empty channels are not written, so they stay empty
        for (const settings::Setting& setting : settings::catalogue()) {
            if (!setting.inImage())
                continue;
            for (int index = 1; index <= setting.count; ++index) {
                if (setting.key.starts_with("channels") && shown.Form1.row(index).isEmpty())
                    continue;
                const std::string text = settings::valueText(setting, shown, index, language);
                // A text is kept as it is shown; the gate checks an entry
                // against the band, which these images do not keep to.
                settings::ParsedValue value;
                value.text = text;
                if (setting.kind != settings::Kind::Text)
                    value = settings::enterValue(setting, text, shown.band.value_or(3), language);
                const std::string key = settings::keyOf(setting, index);
                QVERIFY2(value.ok(), (key + ": " + text + ": " + value.allowed.en).c_str());
                QVERIFY2(settings::setValue(setting, read, index, value), key.c_str());
            }
        }
        QCOMPARE(read, shown);
    }

    // A decoded value a control cannot hold leaves it as it was.
    void windowsTakeWhatTheirControlsHold_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("decoded");
        QTest::addColumn<int>("shown");
        QTest::newRow("voice prompt 2") << "features.voice_prompt" << 2 << 2;
        QTest::newRow("voice prompt 3") << "features.voice_prompt" << 3 << 1;
        QTest::newRow("offset direction 3") << "vfo.offset_direction" << 3 << 2;
        QTest::newRow("tone 260") << "vfo.rx_tone" << 260 << 260;
        QTest::newRow("tone 261") << "vfo.rx_tone" << 261 << 0;
        QTest::newRow("fm channel 31") << "fm.channel" << 31 << 31;
        QTest::newRow("fm channel 32") << "fm.channel" << 32 << 0;
        QTest::newRow("fm step 255") << "fm.step" << 255 << 1;
        QTest::newRow("high power 255") << "power.high" << 255 << 255;
        QTest::newRow("high power 256") << "power.high" << 256 << 208;
        QTest::newRow("low power -1") << "power.low" << -1 << 116;
    }
    void windowsTakeWhatTheirControlsHold() {
        QFETCH(QString, key);
        QFETCH(int, decoded);
        QFETCH(int, shown);
        const settings::Setting& setting = *settings::findKey(key.toStdString())->setting;
        image::EditorValues values = settings::newValues(3);
        settings::ParsedValue value;
        value.number = decoded;
        image::EditorValues source = values;
        QVERIFY(settings::setValue(setting, source, 1, value));
        settings::takeDecoded(values, source);
        QCOMPARE(settings::positionOf(setting, values), std::optional<int>(shown));
    }

    // List entries as the windows name them in each language, at the
    // position the radio's byte holds: a swap would program the opposite.
    void entriesInBothLanguages_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("zh");
        QTest::addColumn<QString>("en");
        QTest::newRow("key lock") << "features.key_lock" << 0 << "上锁"
                                  << "Lock";
        QTest::newRow("key lock normal") << "features.key_lock" << 1 << "正常"
                                         << "Normal";
        QTest::newRow("beep on") << "features.beep" << 1 << "开"
                                 << "On";
        QTest::newRow("channel power high") << "channels[].power" << 1 << "高"
                                            << "High";
        QTest::newRow("offset add") << "vfo.offset_direction" << 0 << "+异频"
                                    << "Add";
        QTest::newRow("fm scan manual") << "features.fm_scan_mode" << 0 << "手动"
                                        << "Manual";
        QTest::newRow("key lock mode auto") << "features.key_lock_mode" << 0 << "自动"
                                            << "Auto";
        QTest::newRow("vfo wide") << "vfo.bandwidth" << 1 << "宽带"
                                  << "Wide";
    }
    void entriesInBothLanguages() {
        QFETCH(QString, key);
        QFETCH(int, position);
        QFETCH(QString, zh);
        QFETCH(QString, en);
        const std::string name = key.toStdString();
        const settings::Setting* setting = nullptr;
        for (const settings::Setting& candidate : settings::catalogue())
            if (candidate.key == name)
                setting = &candidate;
        QVERIFY(setting);
        QCOMPARE(QString::fromStdString(settings::entryText(*setting, position, 0)), zh);
        QCOMPARE(QString::fromStdString(settings::entryText(*setting, position, 1)), en);
    }

    void valueTextsThatAreNoValue_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("allowed");
        QTest::newRow("squelch 10") << "features.squelch"
                                    << "10"
                                    << "one of 0, 1, 2, 3, 4, 5, 6, 7, 8, 9";
        QTest::newRow("a Chinese entry") << "features.beep"
                                         << "开"
                                         << "one of Off, On";
        QTest::newRow("power 256") << "power.high"
                                   << "256"
                                   << "a whole number from 0 to 255";
        QTest::newRow("power 1.5") << "power.low"
                                   << "1.5"
                                   << "a whole number from 0 to 255";
        QTest::newRow("power empty") << "power.low"
                                     << ""
                                     << "a whole number from 0 to 255";
        QTest::newRow("own code too long") << "dtmf.own_code"
                                           << "123456789"
                                           << "at most 8 of the characters 0-9, A-D, * and #";
        QTest::newRow("band") << "band"
                              << "400-470MHz"
                              << "one of 136-174MHz, 240-260MHz, 350-390MHz, 400-480MHz, "
                                 "400-420MHz, 450-470MHz, 440-480MHz, 450-490MHz";
    }
    void valueTextsThatAreNoValue() {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QString, allowed);
        const settings::ParsedValue value = settings::enterValue(
            *settings::findKey(key.toStdString())->setting, text.toStdString(), 3);
        QCOMPARE(QString::fromStdString(value.allowed.en), allowed);
    }
};

TQ_REGISTER_TEST(CatalogueTest);
#include "catalogue_test.moc"
