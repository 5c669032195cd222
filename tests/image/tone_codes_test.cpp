// clang-format off
// moc reads these in order and needs the Qt headers before <compare>.
#include <QSet>
#include <QTest>
#include "image/tone_codes.h"
#include "support/test_registry.h"
// clang-format on

class ToneCodesTest : public QObject {
    Q_OBJECT

  private slots:
    // Every table text survives text -> code bytes -> text, and finds its own position.
    void roundTrip_data() {
        QTest::addColumn<int>("position");
        for (int p = 1; p <= image::ToneCount; ++p)
            QTest::addRow("%d %s", p, image::toneText(p).data()) << p;
    }
    void roundTrip() {
        QFETCH(int, position);
        const std::string text(image::toneText(position));
        const auto bytes = image::toneBytes(text);
        QVERIFY(bytes.low && bytes.high);
        QCOMPARE(image::ToneCodeToText(*bytes.low, *bytes.high), text);
        QCOMPARE(image::FindTone(text), position);
    }

    void codes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("position");
        QTest::newRow("first CTCSS") << "67.0" << 0x70 << 0x06 << 1;
        QTest::newRow("one-digit high byte") << "85.4" << 0x54 << 0x08 << 8;
        QTest::newRow("hundred") << "100.0" << 0x00 << 0x10 << 13;
        QTest::newRow("199.9 not 199.5") << "199.9" << 0x99 << 0x19 << 40;
        QTest::newRow("last CTCSS") << "254.1" << 0x41 << 0x25 << 50;
        QTest::newRow("first normal") << "D023N" << 0x23 << 0x80 << 51;
        QTest::newRow("last normal") << "D754N" << 0x54 << 0x87 << 155;
        QTest::newRow("first inverted") << "D023I" << 0x23 << 0xC0 << 156;
        QTest::newRow("last inverted") << "D754I" << 0x54 << 0xC7 << 260;
    }
    void codes() {
        QFETCH(QString, text);
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(int, position);
        const std::string t = text.toStdString();
        const auto bytes = image::toneBytes(t);
        QCOMPARE(int(bytes.low.value_or(0xFFFF)), low);
        QCOMPARE(int(bytes.high.value_or(0xFFFF)), high);
        QCOMPARE(image::ToneCodeToText(std::uint8_t(low), std::uint8_t(high)), t);
        QCOMPARE(image::FindTone(t), position);
    }

    // Codes that name no tone still give a text, which FindTone does not find.
    void oddCodes_data() {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<QString>("text");
        QTest::newRow("one byte 0xFF") << 0xFF << 0x06 << "6F.F";
        QTest::newRow("zeros") << 0x00 << 0x00 << "00.0";
        QTest::newRow("both 0xFF") << 0xFF << 0xFF << "FFF.F";
        QTest::newRow("DCS digit not octal") << 0x89 << 0x88 << "D889N";
        QTest::newRow("high nibble 9") << 0x23 << 0x90 << "902.3";
    }
    void oddCodes() {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(QString, text);
        const std::string t = image::ToneCodeToText(std::uint8_t(low), std::uint8_t(high));
        QCOMPARE(QString::fromStdString(t), text);
        QCOMPARE(image::FindTone(t), 0);
    }

    void findToneMisses_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("lower case") << "d023n";
        QTest::newRow("no decimal") << "67";
        QTest::newRow("CTCSS with N") << "67.0N";
        QTest::newRow("off text") << "Off";
    }
    void findToneMisses() {
        QFETCH(QString, text);
        QCOMPARE(image::FindTone(text.toStdString()), 0);
    }

    // The radio's 50 CTCSS tones, written out here apart from the table: a
    // tone changed there still round-trips, but the radio would hear another.
    void ctcssTonesAreTheRadios() {
        const QStringList tones{
            "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",
            "91.5",  "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8",
            "123.0", "127.3", "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8",
            "162.2", "165.5", "167.9", "171.3", "173.8", "177.3", "179.9", "183.5", "186.2",
            "189.9", "192.8", "196.6", "199.9", "203.5", "206.5", "210.7", "218.1", "225.7",
            "229.1", "233.6", "241.8", "250.3", "254.1"};
        QStringList table;
        for (int p = image::CtcssFirst; p <= image::CtcssLast; ++p)
            table << QString::fromUtf8(image::toneText(p).data(),
                                       qsizetype(image::toneText(p).size()));
        QCOMPARE(table, tones);
    }

    void tableHasNoDuplicates() {
        QSet<QString> seen;
        for (const auto& text : image::FillToneTable())
            seen.insert(QString::fromStdString(text));
        QCOMPARE(seen.size(), image::ToneCount);
        QVERIFY(image::toneText(0).empty());
        QVERIFY(image::toneText(261).empty());
    }

    // Texts outside the table must not crash the code and give no hex digits for the bad byte.
    void shortTextsGiveNoBytes() {
        const auto bytes = image::toneBytes("DN");
        QVERIFY(!bytes.low.has_value());
        QVERIFY(!bytes.high.has_value());
        const auto junk = image::toneBytes("xy.z");
        QVERIFY(!junk.low.has_value());
    }
};

TQ_REGISTER_TEST(ToneCodesTest);

#include "tone_codes_test.moc"
