#include "exchange/channel_csv.h"
#include "support/test_registry.h"

#include <QTest>

namespace {

constexpr image::BandLimits VhfBand{136, 174};

exchange::ImportReport importRows(const QString& rows) {
    const std::string csv =
        "Location,Frequency,Duplex,Offset,Tone,rToneFreq,Mode,Name\n" + rows.toStdString();
    image::ChannelTableValues table;
    return exchange::importChannels(csv, VhfBand, {}, table);
}

QString line(const exchange::ImportReport& report, int language) {
    return QString::fromStdString(exchange::reportLine(report.rows.back(), language));
}

} // namespace

// What a user reads about each row, in both languages.
class ImportReportTest : public QObject {
    Q_OBJECT
  private slots:
    void linesInBothLanguages_data() {
        QTest::addColumn<QString>("rows"); // the last row is the one told
        QTest::addColumn<QString>("zh");
        QTest::addColumn<QString>("en");
        QTest::newRow("imported") << "2,146.52,,,,,FM,\n"
                                  << "第 2 行：信道 2 已导入"
                                  << "line 2: channel 2 imported";
        QTest::newRow("receive snapped")
            << "3,146.9433,,,,,FM,\n"
            << "第 2 行：信道 3 已导入，有改动：接收频率 146.9433 已调整为 146.94000"
            << "line 2: channel 3 imported with changes: receive frequency 146.9433 snapped to "
               "146.94000";
        QTest::newRow("both snapped")
            << "4,146.9433,+,0.6,,,FM,\n"
            << "第 2 行：信道 4 已导入，有改动：接收频率 146.9433 已调整为 146.94000；"
               "发射频率 147.5433 已调整为 147.54000"
            << "line 2: channel 4 imported with changes: receive frequency 146.9433 snapped to "
               "146.94000; transmit frequency 147.5433 snapped to 147.54000";
        QTest::newRow("receive outside the band")
            << "5,450,,,,,FM,\n"
            << "第 2 行：已跳过：接收频率 450 超出频段 136-174 MHz"
            << "line 2: skipped: receive frequency 450 lies outside the band 136-174 MHz";
        QTest::newRow("transmit outside the band")
            << "6,173.9,+,0.6,,,FM,\n"
            << "第 2 行：已跳过：发射频率 174.5 超出频段 136-174 MHz"
            << "line 2: skipped: transmit frequency 174.5 lies outside the band 136-174 MHz";
        QTest::newRow("location") << "100,146.52,,,,,FM,\n"
                                  << "第 2 行：已跳过：信道号“100”超出 1-99 范围"
                                  << "line 2: skipped: location \"100\" is outside 1..99";
        QTest::newRow("tone") << "7,146.52,,,Tone,101.0,FM,\n"
                              << "第 2 行：已跳过：亚音频 101.0 不在亚音频表中"
                              << "line 2: skipped: tone 101.0 is not in the tone table";
        QTest::newRow("mode") << "8,146.52,,,,,AM,\n"
                              << "第 2 行：已跳过：本机不支持调制方式“AM”"
                              << "line 2: skipped: mode \"AM\" is not one the radio has";
        QTest::newRow("offset") << "9,146.52,+,x,,,FM,\n"
                                << "第 2 行：已跳过：Offset 列的“x”不是可用的数字"
                                << "line 2: skipped: Offset \"x\" is not a usable number";
        QTest::newRow("second row for a channel")
            << "9,146.52,,,,,FM,\n9,147.0,,,,,FM,\n"
            << "第 3 行：已跳过：信道 9 已由第 2 行给出"
            << "line 3: skipped: channel 9 was already given by line 2";
        // A value that looks like a placeholder is shown as it stands.
        QTest::newRow("percent in a value")
            << "10,146.52,,,,,%1,\n"
            << "第 2 行：已跳过：本机不支持调制方式“%1”"
            << "line 2: skipped: mode \"%1\" is not one the radio has";
    }
    void linesInBothLanguages() {
        QFETCH(QString, rows);
        QFETCH(QString, zh);
        QFETCH(QString, en);
        const exchange::ImportReport report = importRows(rows);
        QCOMPARE(line(report, exchange::Chinese), zh);
        QCOMPARE(line(report, exchange::English), en);
    }

    void summaryAndNoteInBothLanguages() {
        const exchange::ImportReport report =
            importRows("1,146.52,,,,,FM,Home\n2,146.9433,,,,,FM,\n3,450,,,,,FM,\n4,147,,,,,FM,\n");
        QCOMPARE(QString::fromStdString(exchange::reportSummary(report, exchange::Chinese)),
                 QString("共 4 行，导入 3 行，跳过 1 行"));
        QCOMPARE(QString::fromStdString(exchange::reportSummary(report, exchange::English)),
                 QString("3 of 4 rows imported, 1 skipped"));
        QVERIFY(QString::fromStdString(exchange::reportNote(report, exchange::Chinese))
                    .startsWith("Name、Comment、TStep"));
        QVERIFY(QString::fromStdString(exchange::reportNote(report, exchange::English))
                    .startsWith("Name, Comment, TStep"));
        QVERIFY(exchange::reportNote(importRows("1,146.52,,,,,FM,\n"), exchange::Chinese).empty());
    }
};

TQ_REGISTER_TEST(ImportReportTest);
#include "import_report_test.moc"
