// Which characters of a printout no installed font can draw. The build's
// CJK font (fonts-wqy-microhei) covers the Chinese; U+0378 is unassigned
// and U+10FFFD private, so no font draws them.
#include "print/font_coverage.h"
#include "support/test_registry.h"

#include <QGuiApplication>
#include <QTest>

class FontCoverageTest : public QObject {
    Q_OBJECT

  private slots:
    void namesEachUndrawableCharacterOnce_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("missing");
        const QString unassigned = QString(QChar(0x0378));
        const QString privateUse = QString::fromUcs4(U"\U0010FFFD");
        QTest::newRow("Latin") << QStringList{"Channel 1", "438.50000"} << "";
        QTest::newRow("Chinese, by fallback") << QStringList{"信道数据", "功能设置"} << "";
        QTest::newRow("spaces and controls draw nothing") << QStringList{" \t\n\r\u00a0"} << "";
        QTest::newRow("one undrawable, met twice")
            << QStringList{"a" + unassigned, unassigned + "b"} << unassigned;
        QTest::newRow("beyond the basic plane, in the order met")
            << QStringList{privateUse + "x", unassigned} << privateUse + unassigned;
    }
    void namesEachUndrawableCharacterOnce() {
        QFETCH(QStringList, texts);
        QFETCH(QString, missing);
        QCOMPARE(print::uncoveredCharacters(texts, QGuiApplication::font()), missing);
    }

    void namedWithTheirCodePoints_data() {
        QTest::addColumn<QString>("characters");
        QTest::addColumn<QString>("named");
        QTest::newRow("two") << "编程"
                             << "编程 (U+7F16 U+7A0B)";
        QTest::newRow("beyond the basic plane")
            << QString::fromUcs4(U"\U0010FFFD") << QString::fromUcs4(U"\U0010FFFD") + " (U+10FFFD)";
        QTest::newRow("more than eight: the first eight")
            << "abcdefghi"
            << "abcdefghi (U+0061 U+0062 U+0063 U+0064 U+0065 U+0066 U+0067 U+0068 ...)";
        const QString thirtyTwo = "0123456789abcdefghijklmnopqrstuv";
        const QString points = "(U+0030 U+0031 U+0032 U+0033 U+0034 U+0035 U+0036 U+0037 ...)";
        QTest::newRow("thirty-two: all") << thirtyTwo << thirtyTwo + " " + points;
        QTest::newRow("more than thirty-two: the first thirty-two")
            << thirtyTwo + "wxyz" << thirtyTwo + "... " + points;
        QTest::newRow("cut by characters, not UTF-16 units")
            << QString::fromUcs4(U"􏿽").repeated(33)
            << QString::fromUcs4(U"􏿽").repeated(32) + "... (" + QString("U+10FFFD ").repeated(8) +
                   "...)";
    }
    void namedWithTheirCodePoints() {
        QFETCH(QString, characters);
        QFETCH(QString, named);
        QCOMPARE(print::charactersNamed(characters), named);
    }

    // Every kind of block is looked at, and the page numbers too.
    void looksAtEveryTextOfTheDocument() {
        const QString unassigned = QString(QChar(0x0378));
        print::PrintDocument document;
        document.textLine("title");
        QCOMPARE(print::uncoveredCharacters(document), QString());
        document.grid({"grid", {"a", "b"}, {{"1", unassigned}}});
        QCOMPARE(print::uncoveredCharacters(document), unassigned);
    }
};

TQ_REGISTER_TEST(FontCoverageTest);
#include "font_coverage_test.moc"
