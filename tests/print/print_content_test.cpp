#include "editors/optional_features.h"
#include "editors/power_levels.h"
#include "print/print_content.h"
#include "shell/file_commands.h"
#include "support/program_fixture.h"
#include "support/test_registry.h"
#include "words/program_flags.h"
#include "words/program_info.h"

#include <QTest>

using namespace print;

namespace {

QString zh(const char* text) {
    return QString::fromUtf8(text);
}

template <class T> QList<T> blocksOf(const PrintDocument& document) {
    QList<T> found;
    for (const Block& block : document.blocks())
        if (const T* b = std::get_if<T>(&block))
            found << *b;
    return found;
}

QStringList cellTexts(const TableRow& row) {
    QStringList texts;
    for (const TableCell& cell : row.cells)
        texts << cell.text;
    return texts;
}

} // namespace

class PrintContentTest : public QObject {
    Q_OBJECT

    // The program in `language` showing the golden image.
    static std::unique_ptr<ProgramFixture> showing(int language) {
        auto p = std::make_unique<ProgramFixture>(language);
        p->window->switchLanguage(language);
        if (p->window->fileCommands().openFile(TQ_TEST_DATA "/full_image_band0.dat") !=
            files::FileError::None)
            return nullptr;
        return p;
    }
    static PrintDocument printed(const ProgramFixture& p) {
        return PrintContent(p.window->editorValues(), ui::UILanguage,
                            p.window->optionalFeatures()->isChecked("Check12"));
    }

  private slots:
    // The thirteen function rows, in order, with the captions of the language
    // in force and the values the window shows. An empty expected value:
    // whatever the list shows.
    void functionRows_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("value");
        const struct {
            const char *zhCaption, *zhValue, *enCaption, *enValue;
        } rows[] = {
            {"记忆频道显示模式:", "频道", "Memory Mode:", "Channel"},
            {"当前频道数:", "42", " Present Channel:", "42"},
            {"显示模式:", "", "Display Mode:", "Channel"},
            {"步进频率:", "12.5K", "Step Frequency:", "12.5K"},
            {"收音机监听信号:", "关", "Fm Monitor:", "Off"},
            {"静噪等级:", "7", "Squelch Level:", "7"},
            {"语音通知:", "英文", "Language:", "Englist"},
            {"省电:", "关", "Battery Save:", "Off"},
            {"按键锁:", "正常", "Key Lock:", "Normal"},
            {"自动背光:", "开", "Auto Backlight:", "On"},
            {"发射超时:", "180 秒", "Time-out Timer:", "180 S"},
            {"收音机搜台模式:", "手动", "FM Scan Mode:", "Manual"},
            {"扫描模式:", "搜索", "Scan Mode:", "Search"},
        };
        for (int i = 0; i < 13; ++i) {
            QTest::addRow("zh %d", i + 1) << 0 << i << zh(rows[i].zhCaption) << zh(rows[i].zhValue);
            QTest::addRow("en %d", i + 1) << 1 << i << rows[i].enCaption << rows[i].enValue;
        }
    }
    void functionRows() {
        QFETCH(int, language);
        QFETCH(int, row);
        QFETCH(QString, caption);
        QFETCH(QString, value);
        const auto p = showing(language);
        QVERIFY(p);
        const QList<TableRow> rows = blocksOf<TableRow>(printed(*p));
        QCOMPARE(rows.size(), 13 + 3 + 2);
        const QStringList cells = cellTexts(rows[row]);
        QCOMPARE(cells.size(), 2);
        QCOMPARE(cells[0], caption);
        QCOMPARE(cells[1],
                 value.isEmpty() ? p->window->optionalFeatures()->listText("Combo1") : value);
        for (const TableCell& cell : rows[row].cells) {
            QCOMPARE(cell.widthTwips, 4500);
            QCOMPARE(cell.align, Align::Center);
            QCOMPARE(cell.borders, Border::Left | Border::Top | Border::Right | Border::Bottom);
        }
    }

    // Heads and the channel section stay Chinese whatever the language; the
    // channel table is alone on the pages after a break.
    void frameOfTheDocument_data() {
        QTest::addColumn<int>("language");
        QTest::newRow("zh") << 0;
        QTest::newRow("en") << 1;
    }
    void frameOfTheDocument() {
        QFETCH(int, language);
        const auto p = showing(language);
        QVERIFY(p);
        const PrintDocument document = printed(*p);
        const QList<Block>& blocks = document.blocks();

        const auto* company = std::get_if<TextLine>(&blocks.at(0));
        QVERIFY(company);
        QCOMPARE(company->text, QString::fromUtf8(ui::CompanyName));
        QVERIFY(company->bold);
        QCOMPARE(company->size, 24.0);
        const QList<TextLine> lines = blocksOf<TextLine>(document);
        QCOMPARE(lines.value(1).text, zh("TQ305sys编程数据打印"));
        QVERIFY(!lines.value(1).bold);

        QStringList headings;
        for (const Heading& h : blocksOf<Heading>(document))
            headings << h.text;
        QCOMPARE(headings, QStringList({zh("功能设置"), zh("VOX(声控发射)"), zh("调试信息")}));

        // After the page break: the line "信道数据", then the grid, nothing else printed.
        qsizetype pageBreak = -1;
        for (qsizetype i = 0; i < blocks.size(); ++i)
            if (std::holds_alternative<PageBreak>(blocks[i]))
                pageBreak = i;
        QVERIFY(pageBreak > 0);
        QVERIFY(pageBreak + 2 < blocks.size());
        QCOMPARE(std::get<TextLine>(blocks.at(pageBreak + 1)).text, zh("信道数据"));
        QVERIFY(pageBreak + 2 < blocks.size());
        const auto* grid = std::get_if<GridCopy>(&blocks.at(pageBreak + 2));
        QVERIFY(grid);
        QCOMPARE(grid->title, zh("信道数据"));
        QCOMPARE(blocksOf<GridCopy>(document).size(), 1);
        for (qsizetype i = pageBreak + 3; i < blocks.size(); ++i)
            QVERIFY(std::holds_alternative<LineBreak>(blocks[i]));
    }

    // The grid copy is the table as the user sees it, header in the language in force.
    void channelGridCopy_data() { frameOfTheDocument_data(); }
    void channelGridCopy() {
        QFETCH(int, language);
        const auto p = showing(language);
        QVERIFY(p);
        const GridCopy grid = blocksOf<GridCopy>(printed(*p)).value(0);
        QCOMPARE(grid.header.value(0), language == 0 ? zh("频道") : "Fre");
        QCOMPARE(grid.header.value(8), language == 0 ? zh("宽窄带") : "Band");
        QCOMPARE(grid.rows.size(), 99);
        for (int row = 1; row <= 99; ++row)
            for (int col = 0; col <= 8; ++col)
                QCOMPARE(grid.rows[row - 1].value(col), p->cell(row, col));
        // Channel 1 of the golden image, in the language's list texts.
        QCOMPARE(grid.rows[0].value(5), language == 0 ? zh("高") : "High");
    }

    // The VOX rows; "是"/"否" whatever the language.
    void voxRows_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("answer");
        QTest::newRow("zh ticked") << 0 << true << zh("允许取消操作是否") << zh("是");
        QTest::newRow("zh not") << 0 << false << zh("允许取消操作是否") << zh("否");
        QTest::newRow("en ticked") << 1 << true << zh("Allow to Cancel Operating是否") << zh("是");
        QTest::newRow("en not") << 1 << false << zh("Allow to Cancel Operating是否") << zh("否");
    }
    void voxRows() {
        QFETCH(int, language);
        QFETCH(bool, ticked);
        QFETCH(QString, caption);
        QFETCH(QString, answer);
        const auto p = showing(language);
        QVERIFY(p);
        p->window->optionalFeatures()->setChecked("Check12", ticked);
        const QList<TableRow> rows = blocksOf<TableRow>(printed(*p));
        QCOMPARE(cellTexts(rows[13]),
                 QStringList({p->window->optionalFeatures()->caption("Label14"),
                              p->window->optionalFeatures()->listText("Combo14")}));
        QCOMPARE(cellTexts(rows[14]).value(0),
                 language == 0 ? zh("VOX延迟时间(秒):") : "VOX Delay Time(s):");
        QCOMPARE(cellTexts(rows[15]), QStringList({caption, answer}));
    }

    // The power rows hold the bare levels, ends of the range included.
    void powerRows_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("low");
        QTest::newRow("zh ends") << 0 << 255 << 0;
        QTest::newRow("en ends") << 1 << 0 << 255;
        QTest::newRow("en middle") << 1 << 208 << 116;
    }
    void powerRows() {
        QFETCH(int, language);
        QFETCH(int, high);
        QFETCH(int, low);
        const auto p = showing(language);
        QVERIFY(p);
        QVERIFY(p->window->powerLevels()->setHighPowerLevel(high));
        QVERIFY(p->window->powerLevels()->setLowPowerLevel(low));
        const QList<TableRow> rows = blocksOf<TableRow>(printed(*p));
        QCOMPARE(cellTexts(rows[16]),
                 QStringList({language == 0 ? zh("高功率等级") : "High Power Grades",
                              QString::number(high)}));
        QCOMPARE(cellTexts(rows[17]),
                 QStringList({language == 0 ? zh("低功率等级") : "Low Power Grades",
                              QString::number(low)}));
    }

    // An empty present channel prints an empty value cell, not a missing one.
    void emptyPresentChannel() {
        const auto p = showing(1);
        QVERIFY(p);
        p->window->optionalFeatures()->setPresentChannelText(QString());
        const QList<TableRow> rows = blocksOf<TableRow>(printed(*p));
        QCOMPARE(cellTexts(rows[1]), QStringList({" Present Channel:", QString()}));
        QVERIFY(rows[1].cells[1].borders.testFlag(Border::Bottom));
    }
};

TQ_REGISTER_TEST(PrintContentTest);
#include "print_content_test.moc"
