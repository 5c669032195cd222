// The batch window's values for each radio: what it refuses, and how it
// says so in either language, before any radio is touched.
#include "shell/batch_values.h"
#include "support/test_registry.h"
#include "words/program_flags.h"

#include <QRegularExpression>
#include <QTest>

class BatchValuesTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { ui::UILanguage = 1; }

    void refusals_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cellValue"); // given to the first pattern, port 3
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("two counters") << 1 << "dtmf.own_code=0001+  dtmf.ptt_id=A10+"
                                      << "0001" << QString() << QString();
        QTest::newRow("a key given twice")
            << 1 << "dtmf.own_code=1+ dtmf.own_code=5" << QString()
            << "values for each radio: dtmf.own_code is given twice" << QString();
        QTest::newRow("no such key, zh")
            << 0 << "dtmf.own=1" << QString() << "每台的数值无法使用：dtmf.own：没有这个键的设置"
            << QString();
        QTest::newRow("a character DTMF lacks")
            << 1 << "dtmf.own_code=1001+"
            << "12E4" << QString()
            << "port 3, dtmf.own_code: 12E4 is refused; allowed: at most 8 of the characters "
               "0-9, A-D, * and #; no radio is written";
        QTest::newRow("too long, zh")
            << 0 << "dtmf.own_code=1001+"
            << "123456789" << QString()
            << "端口 3, dtmf.own_code：123456789 不被接受；可用：最多 8 个字符，只能是 0-9、A-D、* "
               "和 #；未写任何对讲机";
        QTest::newRow("not an entry, zh")
            << 0 << "features.squelch=9"
            << "10" << QString()
            << "端口 3, features.squelch：10 不被接受；可用：以下之一：0, 1, 2, 3, 4, 5, 6, 7, 8, "
               "9；未写任何对讲机";
        QTest::newRow("a value with a space, quoted")
            << 1 << "features.time_out=\"60 S\" 'features.auto_power_off=60 Minute'"
            << "60 S" << QString() << QString();
        QTest::newRow("a Chinese entry in Chinese") << 0 << "features.time_out=\"60 秒\""
                                                    << "60 秒" << QString() << QString();
        QTest::newRow("a Chinese entry in English")
            << 1 << "features.key_lock=上锁"
            << "上锁" << QString()
            << "port 3, features.key_lock: 上锁 is refused; allowed: one of Lock, Normal; no "
               "radio is written";
        QTest::newRow("a frequency outside the band")
            << 1 << "vfo.frequency=99"
            << "99" << QString()
            << "port 3, vfo.frequency: 99 is refused; allowed: a frequency from 400 MHz to below "
               "480 MHz on the 5 kHz or 6.25 kHz raster; no radio is written";
        QTest::newRow("entries apart by a comma")
            << 1 << "dtmf.own_code=1001+, features.squelch=3" << QString()
            << "values for each radio: entries are apart by spaces, not commas: "
               "dtmf.own_code=1001+, features.squelch=3"
            << QString();
        QTest::newRow("a quote left open")
            << 1 << "features.time_out=\"60 S" << QString()
            << "values for each radio: a quote is not closed: features.time_out=\"60 S"
            << QString();
        QTest::newRow("the band") << 1 << "band=136-174MHz" << QString()
                                  << "values for each radio: band: every radio gets the file's band"
                                  << QString();
    }
    void refusals() {
        QFETCH(int, language);
        QFETCH(QString, typed);
        QFETCH(QString, cellValue);
        QFETCH(QString, error);
        QFETCH(QString, refusal);
        ui::UILanguage = language;
        const shell::BatchValues values = shell::parseBatchValues(typed);
        QCOMPARE(values.error, error);
        if (!error.isEmpty()) {
            QVERIFY(values.patterns.empty());
            return;
        }
        QCOMPARE(shell::batchValueRefusal(values.patterns.front(), 3, 3, cellValue), refusal);
    }

    // The band is the file's: no radio of a batch gets its own.
    void theBandIsNotOffered() {
        for (int language : {0, 1}) {
            ui::UILanguage = language;
            const QStringList offered = shell::variableSettings();
            QVERIFY(offered.indexOf(QRegularExpression("dtmf\\.own_code .*")) >= 0);
            QCOMPARE(offered.indexOf(QRegularExpression("band\\b.*")), -1);
        }
    }
};

TQ_REGISTER_TEST(BatchValuesTest);
#include "batch_values_test.moc"
