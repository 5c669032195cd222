#include "print/print_layout.h"
#include "support/test_registry.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTest>

using namespace print;

namespace {

// A PDF page of the given paper, never written anywhere.
struct Paper {
    QBuffer buffer;
    QPdfWriter writer{&buffer};
    Paper(QPageSize::PageSizeId size, QPageLayout::Orientation orientation) {
        buffer.open(QIODevice::WriteOnly);
        writer.setPageLayout(QPageLayout(QPageSize(size), orientation, QMarginsF(15, 15, 15, 15),
                                         QPageLayout::Millimeter));
    }
};

GridCopy channels(int rows) {
    GridCopy grid{"Channels", {"No", "RX", "TX"}, {}};
    for (int r = 1; r <= rows; ++r)
        grid.rows << QStringList{QString::number(r), "438.50000", "438.50000"};
    return grid;
}

QStringList textsOf(const LaidOutPage& page) {
    QStringList texts;
    for (const PlacedText& t : page.texts)
        texts << t.text;
    return texts;
}

} // namespace

class PrintLayoutTest : public QObject {
    Q_OBJECT
  private slots:
    // A grid running over pages: every page shows the header row first, the
    // rows follow in order, each exactly once, and nothing crosses the footer.
    void gridBreaksWithItsHeaderOnEveryPage_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("paper");
        QTest::addColumn<int>("orientation");
        QTest::newRow("99 rows A4") << 99 << int(QPageSize::A4) << int(QPageLayout::Portrait);
        QTest::newRow("99 rows A5 landscape")
            << 99 << int(QPageSize::A5) << int(QPageLayout::Landscape);
        QTest::newRow("300 rows letter")
            << 300 << int(QPageSize::Letter) << int(QPageLayout::Portrait);
        QTest::newRow("1 row") << 1 << int(QPageSize::A4) << int(QPageLayout::Portrait);
    }
    void gridBreaksWithItsHeaderOnEveryPage() {
        QFETCH(int, rows);
        QFETCH(int, paper);
        QFETCH(int, orientation);
        Paper page{QPageSize::PageSizeId(paper), QPageLayout::Orientation(orientation)};
        PrintDocument document;
        document.textLine("Channels");
        document.grid(channels(rows));
        const QList<LaidOutPage> pages = layOut(document, page.writer);

        int next = 1;
        for (int i = 0; i < pages.size(); ++i) {
            const QStringList texts = textsOf(pages[i]);
            const qsizetype header = texts.indexOf("No");
            QVERIFY2(header >= 0, qPrintable(QString("page %1 has no header").arg(i + 1)));
            QCOMPARE(texts.mid(header, 3), QStringList({"No", "RX", "TX"}));
            QCOMPARE(texts.count("No"), 1);
            // The first page has the line above, later ones the title.
            QCOMPARE(texts.value(header - 1), "Channels");
            for (qsizetype t = header + 3; t + 2 < texts.size() - 1; t += 3)
                QCOMPARE(texts[t], QString::number(next++));
            QCOMPARE(pages[i].shades.size(), 1);
            for (const PlacedText& t : pages[i].texts)
                QVERIFY(t.rect.bottom() <= page.writer.height() + 0.5);
        }
        QCOMPARE(next, rows + 1);
        if (rows > 60)
            QVERIFY(pages.size() > 1);
    }

    // Every page carries "n / total" last.
    void pageNumbersInTheFooter() {
        Paper page(QPageSize::A4, QPageLayout::Portrait);
        PrintDocument document;
        document.textLine("first");
        document.newPage();
        document.grid(channels(150));
        const QList<LaidOutPage> pages = layOut(document, page.writer);
        QVERIFY(pages.size() >= 3);
        for (int i = 0; i < pages.size(); ++i)
            QCOMPARE(pages[i].texts.last().text, QString("%1 / %2").arg(i + 1).arg(pages.size()));
    }

    // A break starts a new page, but never leaves an empty one behind.
    void pageBreaks_data() {
        QTest::addColumn<QStringList>("script"); // "text", "break"
        QTest::addColumn<int>("pages");
        QTest::newRow("text break text") << QStringList{"a", "|", "b"} << 2;
        QTest::newRow("break first") << QStringList{"|", "a"} << 1;
        QTest::newRow("two breaks") << QStringList{"a", "|", "|", "b"} << 2;
        QTest::newRow("break last") << QStringList{"a", "|"} << 1;
    }
    void pageBreaks() {
        QFETCH(QStringList, script);
        QFETCH(int, pages);
        Paper page(QPageSize::A4, QPageLayout::Portrait);
        PrintDocument document;
        for (const QString& step : script)
            step == "|" ? document.newPage() : document.textLine(step);
        QCOMPARE(layOut(document, page.writer).size(), pages);
    }

    // A settings row keeps its width in twips when it fits, and is narrowed to
    // the page when it does not; its borders close the cells.
    void tableRowWidths_data() {
        QTest::addColumn<int>("twips");
        QTest::addColumn<bool>("narrowed");
        QTest::newRow("two 4500 twips cells") << 4500 << false;
        QTest::newRow("wider than the page") << 9000 << true;
    }
    void tableRowWidths() {
        QFETCH(int, twips);
        QFETCH(bool, narrowed);
        Paper page(QPageSize::A4, QPageLayout::Portrait);
        PrintDocument document;
        const Borders all = bordersFromFlags("1111");
        document.tableCell("Scan Mode:", twips, Align::Center, all);
        document.tableCell("Search", twips, Align::Center, all);
        document.endTableRow();
        const LaidOutPage laid = layOut(document, page.writer).value(0);
        QCOMPARE(laid.rules.size(), 8);
        double right = 0;
        for (const QLineF& rule : laid.rules)
            right = std::max({right, rule.x1(), rule.x2()});
        const double wanted = 2 * twips * page.writer.logicalDpiX() / 1440.0;
        if (narrowed)
            QVERIFY(qAbs(right - page.writer.width()) < 1);
        else
            QVERIFY(qAbs(right - wanted) < 1);
    }

    void borderFlags_data() {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<int>("borders");
        QTest::newRow("1111") << "1111"
                              << int(Border::Left | Border::Top | Border::Right | Border::Bottom);
        QTest::newRow("1010") << "1010" << int(Border::Left | Border::Right);
        QTest::newRow("0001") << "0001" << int(Border::Bottom);
        QTest::newRow("short") << "1" << int(Border::Left);
    }
    void borderFlags() {
        QFETCH(QString, flags);
        QFETCH(int, borders);
        QCOMPARE(int(bordersFromFlags(flags)), borders);
    }
};

TQ_REGISTER_TEST(PrintLayoutTest);
#include "print_layout_test.moc"
