// clang-format off
// moc reads these in order and needs the Qt headers before <compare>.
#include <QTest>
#include "image/frequency_codes.h"
#include "support/test_registry.h"
// clang-format on

using Bytes = QList<int>;

class FrequencyCodesTest : public QObject {
    Q_OBJECT

  private slots:
    // bytes in address order: digits 7-8 first.
    void bcd_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Bytes>("bytes");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("channel") << "438.51250" << Bytes{0x50, 0x12, 0x85, 0x43} << "438.51250";
        QTest::newRow("without point")
            << "43851250" << Bytes{0x50, 0x12, 0x85, 0x43} << "438.51250";
        QTest::newRow("low band") << "145.00625" << Bytes{0x25, 0x06, 0x50, 0x14} << "145.00625";
        QTest::newRow("padded offset")
            << "000.60000" << Bytes{0x00, 0x00, 0x06, 0x00} << "000.60000";
        QTest::newRow("hex letters") << "FFF.FFF00" << Bytes{0x00, 0xFF, 0xFF, 0xFF} << "FFF.FFF00";
    }
    void bcd() {
        QFETCH(QString, text);
        QFETCH(Bytes, bytes);
        QFETCH(QString, decoded);
        const std::string t = text.toStdString();
        for (int part = 1; part <= 4; ++part) {
            const auto byte = image::FreqTextToBcd(t, part);
            QVERIFY(byte.has_value());
            QCOMPARE(int(*byte), bytes[4 - part]);
        }
        const std::array<std::uint8_t, 4> raw{std::uint8_t(bytes[0]), std::uint8_t(bytes[1]),
                                              std::uint8_t(bytes[2]), std::uint8_t(bytes[3])};
        QCOMPARE(QString::fromStdString(image::freqTextFromBcd(raw)), decoded);
    }

    void bcdOddInput() {
        QCOMPARE(image::FreqTextToBcd("438.51250", 0), std::optional<std::uint8_t>(0));
        QCOMPARE(image::FreqTextToBcd("438.51250", 5), std::optional<std::uint8_t>(0));
        QVERIFY(!image::FreqTextToBcd("", 1));
        QVERIFY(!image::FreqTextToBcd("438.5", 3)); // too short: nothing to read
        QVERIFY(!image::FreqTextToBcd("4x8.51250", 1));
        const std::array<std::uint8_t, 4> ff{0xFF, 0xFF, 0xFF, 0xFF};
        QCOMPARE(image::freqTextFromBcd(ff), std::string("FFF.FFFFF"));
    }

    void snap_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("snapped");
        QTest::newRow("to 6.25 raster") << "438.51300"
                                        << "438.51250";
        QTest::newRow("6.25 nearer") << "438.50700"
                                     << "438.50625";
        QTest::newRow("equal distance") << "438.50300"
                                        << "438.50000";
        QTest::newRow("on 5 raster") << "438.50500"
                                     << "438.50500";
        QTest::newRow("on 6.25 raster") << "438.50625"
                                        << "438.50625";
        QTest::newRow("five decimals first") << "145.0123"
                                             << "145.01000";
        QTest::newRow("rounded to 10 Hz first") << "435.123449"
                                                << "435.12000";
        QTest::newRow("short text") << "145.123"
                                    << "145.12000";
        QTest::newRow("offset limit") << "99.995"
                                      << "99.99500";
        QTest::newRow("whole MHz") << "136"
                                   << "136.00000";
        QTest::newRow("5 raster nearer") << "145.09999"
                                         << "145.09500";
        QTest::newRow("top of 100 kHz step") << "145.09400"
                                             << "145.09375";
    }
    void snap() {
        QFETCH(QString, text);
        QFETCH(QString, snapped);
        const auto out = image::snapFrequencyText(text.toStdString());
        QVERIFY(out.has_value());
        QCOMPARE(QString::fromStdString(*out), snapped);
    }

    void snapRefusesNonNumbers() {
        QVERIFY(!image::SnapFrequency("1.2.3"));
        QVERIFY(!image::SnapFrequency(""));
        QVERIFY(!image::SnapFrequency("99999999999999999999"));
    }

    void fmCode_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("low");
        QTest::newRow("88.00") << "88.00" << true << 0x01 << 0x68;
        QTest::newRow("88.05 exactly") << "88.05" << true << 0x01 << 0x69;
        QTest::newRow("lowest") << "70.00" << true << 0x00 << 0x00;
        QTest::newRow("highest preset") << "107.95" << true << 0x02 << 0xF7;
        QTest::newRow("empty") << "" << true << 0xFF << 0xFF;
        QTest::newRow("leading zeros") << "088.1" << true << 0x01 << 0x6A;
        QTest::newRow("tie to even") << "88.025" << true << 0x01 << 0x68;
        QTest::newRow("above tie") << "88.0251" << true << 0x01 << 0x69;
        QTest::newRow("largest code") << "3346.70" << true << 0xFF << 0xFE;
        QTest::newRow("would be empty marker") << "3346.75" << false << 0 << 0;
        QTest::newRow("below 70") << "69.95" << false << 0 << 0;
        QTest::newRow("not a number") << "abc" << false << 0 << 0;
        QTest::newRow("huge") << "99999999999999999999" << false << 0 << 0;
    }
    void fmCode() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, high);
        QFETCH(int, low);
        const auto code = image::FmCode(text.toStdString());
        QCOMPARE(code.has_value(), valid);
        if (code) {
            QCOMPARE(int((*code)[0]), high);
            QCOMPARE(int((*code)[1]), low);
        }
    }

    // Every code the editors can hold reads back to a text that encodes to the same code.
    void fmCodeTextRoundTrip() {
        for (int c = 0; c <= image::FmCodeEditorMax; ++c) {
            const auto text = image::fmCodeToText(std::uint16_t(c));
            QVERIFY(text.has_value());
            QCOMPARE(image::FormatFmFrequency(*text), *text);
            const auto code = image::FmCode(*text);
            QVERIFY(code.has_value());
            QCOMPARE(((*code)[0] << 8) | (*code)[1], c);
        }
        QCOMPARE(image::fmCodeToText(361), std::optional<std::string>("88.05"));
        QVERIFY(!image::fmCodeToText(image::FmCodeEditorMax + 1));
        QVERIFY(!image::fmCodeToText(image::FmCodeEmpty));
    }

    void formatFm_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no point") << "88"
                                  << "88.00";
        QTest::newRow("point last") << "88."
                                    << "88.00";
        QTest::newRow("one decimal") << "88.5"
                                     << "88.50";
        QTest::newRow("two decimals down to 5") << "88.17"
                                                << "88.15";
        QTest::newRow("two decimals down to 0") << "88.13"
                                                << "88.10";
        QTest::newRow("three decimals") << "88.167"
                                        << "88.15";
        QTest::newRow("already normal") << "107.95"
                                        << "107.95";
        QTest::newRow("extra decimals dropped") << "107.951"
                                                << "107.95";
        QTest::newRow("integer digits kept") << "095"
                                             << "095.00";
    }
    void formatFm() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(image::FormatFmFrequency(text.toStdString())), expected);
    }
};

TQ_REGISTER_TEST(FrequencyCodesTest);

#include "frequency_codes_test.moc"
