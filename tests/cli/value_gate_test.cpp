// One gate for every value from outside the windows: the same text given in
// a YAML file, with --set and in a cell of the batch window is taken or
// refused alike, in the same words, in either language, before any radio
// is touched.
#include "settings/radio_yaml.h"
#include "settings/radio_yaml_keys.h"
#include "settings/value_pattern.h"
#include "shell/batch_values.h"
#include "support/test_registry.h"
#include "support/tq305_run.h"
#include "words/program_flags.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// A file giving `value` to `key` (and a receive frequency to a channel).
std::string yamlGiving(const std::string& key, const std::string& value, int band) {
    std::string quoted = "'";
    for (const char c : value)
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    quoted += "'";
    const std::string bandLine = band == 0 ? "band: 136-174MHz\n" : "band: 400-480MHz\n";
    const settings::yaml::FilePlace place =
        settings::yaml::filePlaceOf(*settings::findKey(key)->setting);
    const std::string index = key.substr(key.find('[') + 1, key.find(']') - key.find('[') - 1);
    if (place.perChannel) {
        const std::string rx = band == 0 ? "145.0" : "438.5";
        return bandLine + "channels:\n  " + index + ":\n    rx_frequency: " +
               (place.name == "rx_frequency"
                    ? quoted
                    : rx + "\n    " + std::string(place.name) + ": " + quoted) +
               "\n";
    }
    if (place.perIndex)
        return bandLine + std::string(place.section) + ":\n  " + std::string(place.name) +
               ":\n    " + index + ": " + quoted + "\n";
    return bandLine + std::string(place.section) + ":\n  " + std::string(place.name) + ": " +
           quoted + "\n";
}

} // namespace

enum ChineseWords { Same, Taken, Named };

class ValueGateTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;
    QString path(const QString& name) const { return m_folder.filePath(name); }

    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", path("xdg"));
        env.insert("HOME", path("home"));
        return env;
    }

  private slots:
    void initTestCase() {
        QVERIFY(m_folder.isValid());
        for (const char* band : {"0", "3"}) {
            const QString yaml = path(QString("band%1.yaml").arg(band));
            QFile file(yaml);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(band == QString("0") ? "band: 136-174MHz\n" : "band: 400-480MHz\n");
            file.close();
            QCOMPARE(
                runTq305({"import", yaml, "-o", path(QString("band%1.dat").arg(band))}).exitCode,
                0);
        }
    }
    void cleanup() { ui::UILanguage = 1; }

    void throughEveryDoor_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("band");
        QTest::addColumn<QString>("refusal"); // English; empty: taken
        // In Chinese the batch window takes and names a list's Chinese
        // entries too: where they differ, its words name them.
        QTest::addColumn<int>("chinese"); // Same words as the file's, Taken, or Named
        const QString low = "a frequency from 136 MHz to 174 MHz on the 5 kHz or 6.25 kHz raster";
        const QString fm =
            "empty (none) or an FM frequency from 70.00 to 107.95 MHz in steps of 0.05";
        const QString squelch = "one of 0, 1, 2, 3, 4, 5, 6, 7, 8, 9";
        const QString dtmf = "at most 8 of the characters 0-9, A-D, * and #";
        const auto row = [](const char* name, const char* key, const QString& value, int band,
                            const QString& refusal, int chinese = Same) {
            QTest::newRow(name) << key << value << band << refusal << chinese;
        };
        row("below the band", "channels[1].rx_frequency", "99.00000", 0,
            "99.00000 is refused; allowed: " + low);
        row("above the band", "channels[1].rx_frequency", "479.00000", 0,
            "479.00000 is refused; allowed: " + low);
        row("off the raster", "channels[1].rx_frequency", "145.00001", 0,
            "145.00001 is refused; allowed: " + low + ", such as 145.00000");
        row("a transmit frequency outside", "channels[1].tx_frequency", "99", 3,
            "99 is refused; allowed: empty (none) or a frequency from 400 MHz to 480 MHz on the "
            "5 kHz or 6.25 kHz raster");
        row("the VFO outside", "vfo.frequency", "99.00000", 3,
            "99.00000 is refused; allowed: a frequency from 400 MHz to below 480 MHz on the 5 kHz "
            "or 6.25 kHz raster");
        row("the VFO at the band's top", "vfo.frequency", "480", 3,
            "480 is refused; allowed: a frequency from 400 MHz to below 480 MHz on the 5 kHz or "
            "6.25 kHz raster");
        row("an offset too large", "vfo.offset", "100", 3,
            "100 is refused; allowed: an offset from 0 to 99.995 MHz on the 5 kHz or 6.25 kHz "
            "raster");
        row("the largest offset", "vfo.offset", "99.995", 3, "");
        row("the lowest FM frequency", "fm.full_band", "70.00", 3, "");
        row("the highest FM preset", "fm.presets[1]", "107.95", 3, "");
        row("an FM frequency past any integer", "fm.presets[2]", "111111111111111188.00", 3,
            "111111111111111188.00 is refused; allowed: " + fm);
        row("an FM frequency off its steps", "fm.full_band", "88.07", 3,
            "88.07 is refused; allowed: " + fm);
        row("a list entry the list lacks", "features.squelch", "10", 3,
            "10 is refused; allowed: " + squelch);
        row("a list entry in small letters", "features.time_out", "60 s", 3, "");
        row("a tone by its value", "vfo.rx_tone", "67", 3, "");
        row("a tone no list has", "vfo.rx_tone", "67.1", 3,
            "67.1 is refused; allowed: Off, a CTCSS tone such as 67.0 or 254.1, or a DCS code "
            "such as D023N or D754I",
            Named);
        row("a Chinese entry", "features.key_lock", "上锁", 3,
            "上锁 is refused; allowed: one of Lock, Normal", Taken);
        row("a character DTMF lacks", "dtmf.own_code", "12E4", 3,
            "12E4 is refused; allowed: " + dtmf);
        row("a DTMF code too long", "dtmf.own_code", "123456789", 3,
            "123456789 is refused; allowed: " + dtmf);
        row("a power level too high", "power.high", "256", 3,
            "256 is refused; allowed: a whole number from 0 to 255");
        row("a present channel too high", "features.present_channel", "100", 3,
            "100 is refused; allowed: empty (none) or a whole number from 0 to 99");
        row("a tab", "features.squelch", "3\t4", 3, "3\\t4 is refused; allowed: " + squelch);
        row("a long value", "features.squelch", QString(300, '5'), 3,
            QString(40, '5') + "… is refused; allowed: " + squelch);
    }
    void throughEveryDoor() {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(int, band);
        QFETCH(QString, refusal);
        QFETCH(int, chinese);

        // A YAML file.
        const settings::YamlImport imported =
            settings::importYaml(yamlGiving(key.toStdString(), value.toStdString(), band));
        QCOMPARE(imported.radio.has_value(), refusal.isEmpty());
        if (!refusal.isEmpty()) {
            QCOMPARE(QString::fromStdString(imported.error.key), key);
            QCOMPARE(QString::fromStdString(imported.error.problem.en), refusal);
        }

        // --set: refused before the port is looked at, or on to the port.
        const Tq305Run set = runTq305({"write", path(QString("band%1.dat").arg(band)), "--device",
                                       path("no-radio"), "--no-backup", "--set", key + "=" + value},
                                      environment());
        if (refusal.isEmpty()) {
            QVERIFY2(set.exitCode == 3 && !set.err.contains("refused"), qPrintable(set.err));
        } else {
            QCOMPARE(set.exitCode, 2);
            QCOMPARE(set.err, "tq305: --set " + key + ": " + path("no-radio") + ": " + refusal +
                                  "; no radio was written\n");
        }

        // A cell of the batch window, in English and in Chinese.
        const shell::BatchValues batch = shell::parseBatchValues(key + "=x");
        QCOMPARE(batch.error, QString());
        const QString cell = shell::batchValueRefusal(batch.patterns.front(), 1, band, value);
        QCOMPARE(cell, refusal.isEmpty()
                           ? QString()
                           : "port 1, " + key + ": " + refusal + "; no radio is written");
        ui::UILanguage = 0;
        const QString inChinese = shell::batchValueRefusal(batch.patterns.front(), 1, band, value);
        if (refusal.isEmpty() || chinese == Taken)
            QCOMPARE(inChinese, QString());
        else if (chinese == Same)
            QCOMPARE(inChinese, "端口 1, " + key + "：" +
                                    QString::fromStdString(imported.error.problem.zh) +
                                    "；未写任何对讲机");
        else
            QVERIFY2(inChinese.contains(value + " 不被接受；可用：关闭、"), qPrintable(inChinese));
    }
};

TQ_REGISTER_TEST(ValueGateTest);
#include "value_gate_test.moc"
