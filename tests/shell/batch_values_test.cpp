// The batch window's values for each radio: what it refuses, and how it
// says so in either language, before any radio is touched.
#include "shell/batch_values.h"
#include "support/test_registry.h"
#include "words/program_flags.h"

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
            << "port 3 would get '12E4' for dtmf.own_code, so no radio is written: DTMF has no "
               "character 'E' (0-9, A-D, * and #)";
        QTest::newRow("too long, zh")
            << 0 << "dtmf.own_code=1001+"
            << "123456789" << QString()
            << "端口3 的 dtmf.own_code 不能为“123456789”，未写任何对讲机：最多 8 个字符";
        QTest::newRow("a character DTMF lacks, zh")
            << 0 << "dtmf.ptt_id=A1+"
            << "A1X" << QString()
            << "端口3 的 dtmf.ptt_id 不能为“A1X”，未写任何对讲机：DTMF 没有字符“X”（只有 "
               "0-9、A-D、* "
               "和 #）";
        QTest::newRow("not an entry, zh")
            << 0 << "features.squelch=9"
            << "10" << QString()
            << "端口3 的 features.squelch 不能为“10”，未写任何对讲机：应为以下之一：0, 1, 2, 3, 4, "
               "5, 6, 7, 8, 9";
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
        QCOMPARE(shell::batchValueRefusal(values.patterns.front(), 3, cellValue), refusal);
    }
};

TQ_REGISTER_TEST(BatchValuesTest);
#include "batch_values_test.moc"
