// clang-format off
// moc reads these in order and needs the Qt headers before <compare>.
#include <QTest>
#include "image/decimal_text.h"
#include "support/test_registry.h"
// clang-format on

using image::Decimal;
using image::Rounding;

Q_DECLARE_METATYPE(image::Rounding)

class DecimalTextTest : public QObject {
    Q_OBJECT

  private slots:
    void isNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        QTest::addColumn<QString>("value");
        QTest::newRow("integer") << "440" << true << "440";
        QTest::newRow("blanks around") << "  12.50\t" << true << "12.5";
        QTest::newRow("plus") << "+3" << true << "3";
        QTest::newRow("minus") << "-0.5" << true << "-0.5";
        QTest::newRow("minus zero") << "-0.000" << true << "0";
        QTest::newRow("point first") << ".5" << true << "0.5";
        QTest::newRow("point last") << "88." << true << "88";
        QTest::newRow("leading zeros") << "007" << true << "7";
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("blank") << "  " << false << "";
        QTest::newRow("point alone") << "." << false << "";
        QTest::newRow("sign alone") << "-" << false << "";
        QTest::newRow("two points") << "1.2.3" << false << "";
        QTest::newRow("exponent") << "1e3" << false << "";
        QTest::newRow("letter after") << "12a" << false << "";
        QTest::newRow("blank inside") << "1 2" << false << "";
        QTest::newRow("two signs") << "--1" << false << "";
        QTest::newRow("hex letters") << "FFF.FFFFF" << false << "";
    }
    void isNumber() {
        QFETCH(QString, text);
        QFETCH(bool, number);
        QFETCH(QString, value);
        const auto parsed = Decimal::parse(text.toStdString());
        QCOMPARE(parsed.has_value(), number);
        QCOMPARE(image::isNumber(text.toStdString()), number);
        if (parsed)
            QCOMPARE(QString::fromStdString(parsed->toString()), value);
    }

    void format_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        QTest::newRow("pads decimals") << "438.5125"
                                       << "0.00000"
                                       << "438.51250";
        QTest::newRow("one integer digit") << ".6"
                                           << "0.00000"
                                           << "0.60000";
        QTest::newRow("three integer digits") << "10"
                                              << "000.00000"
                                              << "010.00000";
        QTest::newRow("longer integer kept") << "1234.5"
                                             << "000.00000"
                                             << "1234.50000";
        QTest::newRow("half rounds up") << "145.000005"
                                        << "0.00000"
                                        << "145.00001";
        QTest::newRow("below half rounds down") << "145.0000049999"
                                                << "0.00000"
                                                << "145.00000";
        QTest::newRow("carry through") << "99.999995"
                                       << "0.00000"
                                       << "100.00000";
        QTest::newRow("negative half away") << "-1.000005"
                                            << "0.00000"
                                            << "-1.00001";
        QTest::newRow("no negative zero") << "-0.000004"
                                          << "0.00000"
                                          << "0.00000";
        QTest::newRow("whole pattern") << "2.5"
                                       << "0"
                                       << "3";
        QTest::newRow("exact binary trap") << "438.51250"
                                           << "0.00000"
                                           << "438.51250";
    }
    void format() {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        const auto out = image::formatNumberText(text.toStdString(), pattern.toStdString());
        QVERIFY(out.has_value());
        QCOMPARE(QString::fromStdString(*out), expected);
    }

    void scaled_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<image::Rounding>("rounding");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("exact") << "438.5125" << 5 << Rounding::TowardZero << true
                               << qint64(43851250);
        QTest::newRow("even tie down") << "2.5" << 0 << Rounding::HalfEven << true << qint64(2);
        QTest::newRow("even tie up") << "3.5" << 0 << Rounding::HalfEven << true << qint64(4);
        QTest::newRow("above tie") << "2.5000001" << 0 << Rounding::HalfEven << true << qint64(3);
        QTest::newRow("away tie") << "-2.5" << 0 << Rounding::HalfAwayFromZero << true
                                  << qint64(-3);
        QTest::newRow("toward zero") << "-2.9" << 0 << Rounding::TowardZero << true << qint64(-2);
        QTest::newRow("largest") << "9223372036854775807" << 0 << Rounding::HalfEven << true
                                 << std::numeric_limits<qint64>::max();
        QTest::newRow("too large")
            << "9223372036854775808" << 0 << Rounding::HalfEven << false << qint64(0);
        QTest::newRow("rounds past largest")
            << "9223372036854775807.5" << 0 << Rounding::HalfAwayFromZero << false << qint64(0);
        QTest::newRow("huge") << "99999999999999999999" << 5 << Rounding::TowardZero << false
                              << qint64(0);
    }
    void scaled() {
        QFETCH(QString, text);
        QFETCH(int, decimals);
        QFETCH(image::Rounding, rounding);
        QFETCH(bool, fits);
        QFETCH(qint64, expected);
        const auto value = Decimal::parse(text.toStdString());
        QVERIFY(value.has_value());
        const auto units = value->scaled(decimals, rounding);
        QCOMPARE(units.has_value(), fits);
        if (units)
            QCOMPARE(qint64(*units), expected);
    }

    void leadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value");
        QTest::newRow("band byte 10") << "10"
                                      << "10";
        QTest::newRow("band byte FF") << "FF"
                                      << "0";
        QTest::newRow("band byte 0A") << "0A"
                                      << "0";
        QTest::newRow("band byte 1E") << "1E"
                                      << "1";
        QTest::newRow("letters first") << "FFF.FFFFF"
                                       << "0";
        QTest::newRow("offset text") << "000.60000"
                                     << "0.6";
        QTest::newRow("stops at letter") << " 12.5x7"
                                         << "12.5";
        QTest::newRow("empty") << ""
                               << "0";
    }
    void leadingNumber() {
        QFETCH(QString, text);
        QFETCH(QString, value);
        QCOMPARE(QString::fromStdString(Decimal::leadingNumber(text.toStdString()).toString()),
                 value);
    }

    void ordering_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("sign");
        QTest::newRow("equal forms") << "01.50"
                                     << "1.5" << 0;
        QTest::newRow("fraction decides") << "107.95"
                                          << "107.96" << -1;
        QTest::newRow("integer length") << "99.999"
                                        << "100" << -1;
        QTest::newRow("band limit") << "174.00001"
                                    << "174" << 1;
        QTest::newRow("negatives") << "-2"
                                   << "-10" << 1;
        QTest::newRow("sign") << "-0.1"
                              << "0" << -1;
    }
    void ordering() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, sign);
        const auto x = *Decimal::parse(a.toStdString());
        const auto y = *Decimal::parse(b.toStdString());
        const auto order = x <=> y;
        QCOMPARE(order < 0 ? -1 : (order > 0 ? 1 : 0), sign);
        QCOMPARE(x == y, sign == 0);
    }
};

TQ_REGISTER_TEST(DecimalTextTest);

#include "decimal_text_test.moc"
